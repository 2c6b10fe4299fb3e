#pragma once

#include <cstdint>
#include <functional>

#include "base/Scheduler.h"

/// A timer that fires every `period` milliseconds on the scheduler's thread, like a window
/// timer. Tick k is due at start + k × period, so late ticks do not shift the later ones.
class RepeatingTimer {
public:
  /// A stopped timer that will call `tick` every `periodMs` milliseconds once started.
  RepeatingTimer(Scheduler& scheduler, int64_t periodMs, std::function<void()> tick);
  RepeatingTimer(const RepeatingTimer&) = delete;
  RepeatingTimer& operator=(const RepeatingTimer&) = delete;
  /// Stops the timer.
  ~RepeatingTimer();

  /// Starts (or restarts) the timer; the first tick is one period from now.
  void Start();
  /// Stops the timer; no tick runs afterwards.
  void Stop();

private:
  void Arm();

  Scheduler& scheduler_;
  int64_t period_;
  std::function<void()> tick_;
  int64_t due_ = 0;
  Scheduler::TimerId timer_ = 0;
};
