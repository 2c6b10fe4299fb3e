#include "playlist/CoTask.h"

CoTask& CoTask::operator=(CoTask&& other) noexcept {
  if (this != &other) {
    Cancel();
    handle_ = std::exchange(other.handle_, {});
    state_ = std::move(other.state_);
  }
  return *this;
}

CoTask::~CoTask() { Cancel(); }

void CoTask::Start() {
  if (handle_ && !state_->finished && !state_->cancelled) Resume(state_, handle_);
}

void CoTask::Cancel() {
  if (!handle_) return;
  if (!state_->finished) state_->cancelled = true;
  Handle h = std::exchange(handle_, {});
  if (state_->running > 0) {
    // The task's code is on the stack: its frame goes when that resumption returns.
    state_->orphan = h;
  } else {
    h.destroy();
  }
}

void CoTask::Resume(const std::shared_ptr<CoTaskState>& state, std::coroutine_handle<> h) {
  std::shared_ptr<CoTaskState> keep = state;
  ++keep->running;
  h.resume();
  --keep->running;
  if (keep->running == 0 && keep->orphan) std::exchange(keep->orphan, {}).destroy();
}

void WaitUntil::await_suspend(CoTask::Handle h) {
  std::shared_ptr<CoTaskState> state = h.promise().state;
  if (state->cancelled) return; // suspended for good; the owner destroys the frame
  timer_ = scheduler_.callAt(due_, [this, h, state] {
    timer_ = 0;
    CoTask::Resume(state, h);
  });
}
