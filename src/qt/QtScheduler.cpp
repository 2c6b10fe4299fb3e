#include "qt/QtScheduler.h"

#include <QTimer>

#include <algorithm>
#include <limits>

QtScheduler::QtScheduler(QObject* parent) : QObject(parent) { clock_.start(); }

QtScheduler::~QtScheduler() {
  // The timers are our children and die with us; make sure none fires during teardown.
  for (auto& [id, timer] : timers_)
    timer->stop();
}

int64_t QtScheduler::now() const { return clock_.elapsed(); }

Scheduler::TimerId QtScheduler::callAfter(int64_t ms, std::function<void()> callback) {
  constexpr int64_t kMaxInterval = std::numeric_limits<int>::max();
  TimerId id = next_++;
  auto* timer = new QTimer(this);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(static_cast<int>(std::clamp<int64_t>(ms, 0, kMaxInterval)));
  connect(timer, &QTimer::timeout, this, [this, id, timer, cb = std::move(callback)]() mutable {
    timers_.erase(id);
    timer->deleteLater();
    // The callback may schedule or cancel others, or even destroy what owns this scheduler's
    // user; it must not touch `timer` state afterwards, so it runs last.
    std::function<void()> run = std::move(cb);
    run();
  });
  timers_.emplace(id, timer);
  timer->start();
  return id;
}

void QtScheduler::cancel(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}
