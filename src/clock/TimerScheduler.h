#pragma once

#include <QObject>

#include <map>

#include "model/Scheduler.h"

class QTimer;

/// Scheduler on Qt's event loop: single-shot precise QTimers on the thread that owns it, time
/// from the monotonic steady clock.
class TimerScheduler : public Scheduler {
public:
  TimerScheduler() = default;
  ~TimerScheduler() override;
  TimerScheduler(const TimerScheduler&) = delete;
  TimerScheduler& operator=(const TimerScheduler&) = delete;

  /// Milliseconds of the steady clock.
  int64_t now() const override;
  /// Starts a precise single-shot timer; the callback runs from the event loop.
  TimerId callAfter(int64_t ms, std::function<void()> callback) override;
  /// Stops a pending timer; unknown ids are ignored.
  void cancel(TimerId id) override;

private:
  TimerId next_ = 1;
  std::map<TimerId, QTimer*> timers_;
};
