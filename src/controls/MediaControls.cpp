#include "controls/MediaControls.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <map>

#include "controls/MPlayerCtrl.h"
#include "controls/RtfTextCtrl.h"
#include "model/Scheduler.h"

namespace {

// Scheduler on precise single-shot Qt timers. The controls only need a handful of timers at a
// time, so one QTimer per pending callback is fine.
class TimerScheduler : public Scheduler {
public:
  TimerScheduler() { clock_.start(); }
  int64_t now() const override { return clock_.elapsed(); }
  TimerId callAfter(int64_t ms, std::function<void()> callback) override {
    TimerId id = next_++;
    auto* timer = new QTimer(&owner_);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, &owner_, [this, id, cb = std::move(callback)] {
      auto it = timers_.find(id);
      if (it == timers_.end()) return;
      it->second->deleteLater();
      timers_.erase(it);
      cb();
    });
    timers_[id] = timer;
    timer->start(static_cast<int>(std::clamp<int64_t>(ms, 0, 24LL * 3600 * 1000)));
    return id;
  }
  void cancel(TimerId id) override {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
  }

private:
  QElapsedTimer clock_;
  QObject owner_;
  TimerId next_ = 1;
  std::map<TimerId, QTimer*> timers_;
};

} // namespace

Scheduler& DefaultControlScheduler() {
  static TimerScheduler* scheduler = new TimerScheduler; // outlives every control
  return *scheduler;
}

HostedControl* CreateMPlayerCtrl(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new MPlayerCtrl(parent);
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}

HostedControl* CreateRtfTextCtrl(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new RtfTextCtrl(parent);
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}
