#pragma once

#include <cstdint>
#include <functional>

/// Time and timers for everything that waits. The GUI implements it with precise Qt timers on
/// the UI thread; tests and headless previews use VirtualScheduler and advance time by hand.
/// Callbacks always run on the thread that owns the scheduler, never inside callAfter().
class Scheduler {
public:
  using TimerId = uint64_t;
  virtual ~Scheduler() = default;
  /// Milliseconds on a monotonic clock.
  virtual int64_t now() const = 0;
  /// Runs the callback once, `ms` milliseconds from now (negative counts as 0). Never returns 0.
  virtual TimerId callAfter(int64_t ms, std::function<void()> callback) = 0;
  /// Runs the callback once at the absolute time `due` (or as soon as possible if it passed).
  virtual TimerId callAt(int64_t due, std::function<void()> callback) {
    return callAfter(due - now(), std::move(callback));
  }
  /// Cancels a pending callback; unknown or finished ids are ignored.
  virtual void cancel(TimerId id) = 0;
};
