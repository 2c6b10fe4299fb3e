#pragma once

#include <functional>

#include "base/DateTime.h"
#include "base/Scheduler.h"

/// The local date and time as a date-time number. The schedule, the clock control, the
/// power-off check and the picture-of-today logic all read it; nothing reads the wall clock.
class LocalClock {
public:
  virtual ~LocalClock() = default;
  /// Local date-time number now.
  virtual double now() const = 0;
};

/// The system's local time (tz-aware), for the running program.
class SystemLocalClock : public LocalClock {
public:
  double now() const override;
};

/// A local clock that follows a scheduler: start date-time plus the scheduler's elapsed
/// milliseconds. Tests and headless previews use it with a VirtualScheduler.
class SchedulerLocalClock : public LocalClock {
public:
  SchedulerLocalClock(const Scheduler& scheduler, double start)
      : scheduler_(scheduler), start_(start), origin_(scheduler.now()) {}
  double now() const override {
    return start_ + static_cast<double>(scheduler_.now() - origin_) / 86400000.0;
  }
  /// Jumps to another date-time from the current scheduler time on.
  void set(double start) {
    start_ = start;
    origin_ = scheduler_.now();
  }

private:
  const Scheduler& scheduler_;
  double start_;
  int64_t origin_;
};
