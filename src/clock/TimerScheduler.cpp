#include "clock/TimerScheduler.h"

#include <QTimer>

#include <algorithm>
#include <chrono>

TimerScheduler::~TimerScheduler() {
  for (auto& [id, timer] : timers_)
    delete timer;
}

int64_t TimerScheduler::now() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Scheduler::TimerId TimerScheduler::callAfter(int64_t ms, std::function<void()> callback) {
  const TimerId id = next_++;
  auto* timer = new QTimer;
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, timer, [this, id, callback = std::move(callback)] {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    QTimer* done = found->second;
    timers_.erase(found);
    done->deleteLater();
    callback();
  });
  timers_[id] = timer;
  timer->start(static_cast<int>(std::clamp<int64_t>(ms, 0, 24 * 3600 * 1000)));
  return id;
}

void TimerScheduler::cancel(TimerId id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) return;
  found->second->stop();
  found->second->deleteLater();
  timers_.erase(found);
}
