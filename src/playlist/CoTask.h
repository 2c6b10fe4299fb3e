#pragma once

#include <coroutine>
#include <cstdint>
#include <exception>
#include <memory>
#include <utility>

#include "base/Scheduler.h"

// Playback tasks (the play task, the test task, one motion task per animated object) are C++20
// coroutines that run on the UI thread. A task runs until it waits; every wait is a Scheduler
// timer that resumes it later, so the UI thread is never blocked and a test runs a whole show in
// virtual time. This is the one style of cooperative task in the program: a task is a function
// returning CoTask that waits with `co_await WaitUntil(...)` / `co_await WaitFor(...)` and may
// await another CoTask as a subroutine.
//
// Ending a task at once is destroying it: the destruction of the coroutine frames cancels the
// pending timer, so nothing of the task runs again. A task may be ended while its own code is on
// the stack (a request it sent ends playback, for example from a message box's nested event
// loop); then its frames are kept until that code returns to the scheduler, the task's waits no
// longer arm timers, and `Cancelled()` tells its code to send nothing more.

/// State shared by the coroutines of one task.
struct CoTaskState {
  /// Set when the task has been ended; the task sends nothing more and never waits again.
  bool cancelled = false;
  /// Depth of resumptions of this task now on the stack.
  int running = 0;
  /// Set when the task has run to its end.
  bool finished = false;
  /// Root frame left to be destroyed by the resumption that is still on the stack.
  std::coroutine_handle<> orphan;
};

/// A cooperative task (or subroutine of one). Owns its coroutine frame; destroying a CoTask ends
/// it at once.
class CoTask {
public:
  struct promise_type;
  using Handle = std::coroutine_handle<promise_type>;

  struct promise_type {
    std::shared_ptr<CoTaskState> state;
    std::coroutine_handle<> continuation;
    bool finished = false;

    CoTask get_return_object() { return CoTask(Handle::from_promise(*this)); }
    std::suspend_always initial_suspend() noexcept { return {}; }
    struct FinalAwaiter {
      bool await_ready() noexcept { return false; }
      std::coroutine_handle<> await_suspend(Handle h) noexcept {
        promise_type& p = h.promise();
        p.finished = true;
        if (p.continuation) return p.continuation;
        p.state->finished = true;
        return std::noop_coroutine();
      }
      void await_resume() noexcept {}
    };
    FinalAwaiter final_suspend() noexcept { return {}; }
    void return_void() noexcept {}
    void unhandled_exception() noexcept { std::terminate(); }
  };

  CoTask() = default;
  CoTask(CoTask&& other) noexcept
      : handle_(std::exchange(other.handle_, {})), state_(std::move(other.state_)) {}
  CoTask& operator=(CoTask&& other) noexcept;
  CoTask(const CoTask&) = delete;
  CoTask& operator=(const CoTask&) = delete;
  /// Ends the task at once (see Cancel) and frees it.
  ~CoTask();

  /// Runs a root task up to its first wait. A task is started once.
  void Start();
  /// Ends the task at once: no timer of it fires any more and Cancelled() becomes true. Safe
  /// from inside the task's own requests.
  void Cancel();
  /// True when the task ran to its end.
  bool Done() const { return state_ && state_->finished; }
  /// True while the task exists and has neither ended by itself nor been cancelled.
  bool Running() const { return handle_ && !Done() && !Cancelled(); }
  /// True when the task was cancelled.
  bool Cancelled() const { return state_ && state_->cancelled; }
  /// The state shared with the task's code (null for an empty CoTask).
  const std::shared_ptr<CoTaskState>& State() const { return state_; }

  /// Awaiting a CoTask runs it as a subroutine of the awaiting task.
  auto operator co_await() && noexcept {
    struct Awaiter {
      Handle child;
      bool await_ready() noexcept { return !child || child.promise().finished; }
      std::coroutine_handle<> await_suspend(Handle parent) noexcept {
        child.promise().state = parent.promise().state;
        child.promise().continuation = parent;
        return child;
      }
      void await_resume() noexcept {}
    };
    return Awaiter{handle_};
  }

  /// Resumes `h` as the task of `state` and destroys an orphaned root frame once the last
  /// resumption of the task has returned.
  static void Resume(const std::shared_ptr<CoTaskState>& state, std::coroutine_handle<> h);

private:
  explicit CoTask(Handle h) : handle_(h), state_(std::make_shared<CoTaskState>()) {
    h.promise().state = state_;
  }

  Handle handle_;
  // The task's own state. A subroutine runs with its caller's state instead and keeps this one
  // unused, so destroying a finished subroutine never waits for a resumption to return.
  std::shared_ptr<CoTaskState> state_;
};

/// Waits until the scheduler time `due` (milliseconds). Always lets the event loop run, even
/// when `due` has passed; a cancelled task does not arm the timer and never resumes.
class WaitUntil {
public:
  WaitUntil(Scheduler& scheduler, int64_t due) : scheduler_(scheduler), due_(due) {}
  WaitUntil(const WaitUntil&) = delete;
  WaitUntil& operator=(const WaitUntil&) = delete;
  /// Cancels the timer when the waiting task is destroyed during the wait.
  ~WaitUntil() {
    if (timer_ != 0) scheduler_.cancel(timer_);
  }
  bool await_ready() const noexcept { return false; }
  void await_suspend(CoTask::Handle h);
  void await_resume() const noexcept {}

private:
  Scheduler& scheduler_;
  int64_t due_;
  Scheduler::TimerId timer_ = 0;
};

/// Waits `ms` milliseconds from now.
inline WaitUntil WaitFor(Scheduler& scheduler, int64_t ms) {
  return WaitUntil(scheduler, scheduler.now() + (ms < 0 ? 0 : ms));
}

/// The shared state of the awaiting task: `auto state = co_await CurrentTaskState{};`.
struct CurrentTaskState {
  std::shared_ptr<CoTaskState> state;
  bool await_ready() const noexcept { return false; }
  bool await_suspend(CoTask::Handle h) noexcept {
    state = h.promise().state;
    return false;
  }
  std::shared_ptr<CoTaskState> await_resume() noexcept { return std::move(state); }
};
