#include "playlist/RepeatingTimer.h"

#include <utility>

RepeatingTimer::RepeatingTimer(Scheduler& scheduler, int64_t periodMs, std::function<void()> tick)
    : scheduler_(scheduler), period_(periodMs > 0 ? periodMs : 1), tick_(std::move(tick)) {}

RepeatingTimer::~RepeatingTimer() { Stop(); }

void RepeatingTimer::Start() {
  Stop();
  due_ = scheduler_.now();
  Arm();
}

void RepeatingTimer::Stop() {
  if (timer_ != 0) scheduler_.cancel(std::exchange(timer_, 0));
}

void RepeatingTimer::Arm() {
  due_ += period_;
  timer_ = scheduler_.callAt(due_, [this] {
    Arm(); // the next tick first, so that the tick may stop the timer
    tick_();
  });
}
