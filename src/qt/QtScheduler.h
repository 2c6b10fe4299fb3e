#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <map>

#include "base/Scheduler.h"

class QTimer;

/// The program's scheduler: one precise single-shot QTimer per pending callback, on the thread
/// that owns the scheduler. Time is monotonic milliseconds since the scheduler was made.
class QtScheduler : public QObject, public Scheduler {
public:
  explicit QtScheduler(QObject* parent = nullptr);
  ~QtScheduler() override;

  /// Milliseconds since construction, from a monotonic clock.
  int64_t now() const override;
  /// Starts a single-shot precise timer; the callback runs from the event loop, never inside.
  TimerId callAfter(int64_t ms, std::function<void()> callback) override;
  /// Stops and drops the timer; unknown or finished ids are ignored.
  void cancel(TimerId id) override;
  /// Number of callbacks still waiting.
  size_t pending() const { return timers_.size(); }

private:
  QElapsedTimer clock_;
  TimerId next_ = 1;
  std::map<TimerId, QTimer*> timers_;
};
