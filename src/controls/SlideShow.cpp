#include "controls/SlideShow.h"

#include <algorithm>

SlideShow::SlideShow(Scheduler& scheduler) : scheduler_(scheduler) {}

SlideShow::~SlideShow() { Cancel(); }

void SlideShow::Start() {
  Cancel();
  runsDone_ = 0;
  current_ = -1;
  currentMissing_ = false;
  if (items_.empty()) {
    phase_ = Phase::Finished;
    Notify();
    return;
  }
  Enter(0, scheduler_.now());
}

void SlideShow::Stop() {
  Cancel();
  phase_ = Phase::Idle;
  current_ = -1;
  currentMissing_ = false;
  Notify();
}

double SlideShow::Progress() const {
  if (phase_ != Phase::Entering || duration_ <= 0) return 1.0;
  double p = static_cast<double>(scheduler_.now() - enterAt_) / static_cast<double>(duration_);
  return std::clamp(p, 0.0, 1.0);
}

void SlideShow::Enter(size_t index, int64_t at) {
  const SlideItem& item = items_[index];
  current_ = static_cast<int>(index);
  enterAt_ = at;
  currentMissing_ = onEnter && !onEnter(index);
  effect_ = currentMissing_ ? TransitionEffect::Cut : TransitionEffectFromName(item.effect);
  duration_ = TransitionDurationMs(effect_, item.speed);
  // Every item lasts at least one frame, so a list of cuts with no stay cannot spin forever.
  int64_t stayMs = std::max<int64_t>(0, item.stay) * 1000;
  leaveAt_ = at + std::max(duration_ + stayMs, kTransitionFrameMs);
  if (duration_ > 0) {
    phase_ = Phase::Entering;
    Schedule(std::min(at + kTransitionFrameMs, at + duration_), &SlideShow::Frame);
  } else {
    phase_ = Phase::Staying;
    Schedule(leaveAt_, &SlideShow::Leave);
  }
  Notify();
}

void SlideShow::Frame() {
  int64_t now = scheduler_.now();
  int64_t end = enterAt_ + duration_;
  if (now >= end) {
    phase_ = Phase::Staying;
    Schedule(leaveAt_, &SlideShow::Leave);
  } else {
    // The next frame is due on the frame grid from the start, however late this one ran.
    int64_t next = enterAt_ + ((now - enterAt_) / kTransitionFrameMs + 1) * kTransitionFrameMs;
    Schedule(std::min(next, end), &SlideShow::Frame);
  }
  Notify();
}

void SlideShow::Leave() {
  size_t next = static_cast<size_t>(current_) + 1;
  if (next >= items_.size()) {
    ++runsDone_;
    bool endless = loopPlay_ || loops_ <= 0;
    if (items_.empty() || (!endless && runsDone_ >= loops_)) {
      // The last picture stays on screen until stop.
      phase_ = Phase::Finished;
      Notify();
      return;
    }
    next = 0;
  }
  Enter(next, leaveAt_);
}

void SlideShow::Schedule(int64_t due, void (SlideShow::*step)()) {
  timer_ = scheduler_.callAt(due, [this, step] {
    timer_ = 0;
    (this->*step)();
  });
}

void SlideShow::Cancel() {
  if (timer_ != 0) scheduler_.cancel(timer_);
  timer_ = 0;
}

void SlideShow::Notify() {
  if (onUpdate) onUpdate();
}
