// Timing of an in effect under the real Qt event loop: 400 steps at 5 ms must last 2.00 s.
// The motion task waits on deadlines (step k due at start + k × 5 ms); the baseline waits 5 ms
// after each step, as a loop of sleeps would, and drifts by every timer's lateness.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <map>
#include <memory>

#include "controls/ControlWrapper.h"
#include "controls/HostedControl.h"
#include "base/Scheduler.h"
#include "model/ShowNode.h"
#include "playlist/MotionTask.h"
#include "playlist/PlayHost.h"

namespace {

constexpr int kSteps = 400;
constexpr int kSpeedMs = 5;
constexpr double kNominalMs = kSteps * kSpeedMs;

/// The Scheduler seam on precise single-shot QTimers, as the program's own adapter does it.
class QtScheduler : public Scheduler {
public:
  QtScheduler() { clock_.start(); }
  ~QtScheduler() override {
    for (auto& [id, timer] : timers_)
      delete timer;
  }
  int64_t now() const override { return clock_.elapsed(); }
  TimerId callAfter(int64_t ms, std::function<void()> callback) override {
    TimerId id = next_++;
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, [this, id, timer, cb = std::move(callback)] {
      timers_.erase(id);
      timer->deleteLater();
      cb();
    });
    timers_[id] = timer;
    timer->start(static_cast<int>(ms < 0 ? 0 : ms));
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
  TimerId next_ = 1;
  std::map<TimerId, QTimer*> timers_;
};

/// A control window that only keeps its rectangle.
class BenchControl : public HostedControl {
public:
  InvokeStatus Invoke(int32_t, InvokeKind, const std::vector<Variant>&, Variant*) override {
    return InvokeStatus::Ok;
  }
  std::string ClassId() const override { return "{bench}"; }
  Rect GetWindowRect() const override { return rect; }
  void MoveWindow(const Rect& r) override { rect = r; }
  void ShowWindow(bool s) override { visible = s; }
  bool IsWindowVisible() const override { return visible; }
  void EnableWindow(bool) override {}
  bool IsWindowEnabled() const override { return true; }
  void BringToTop() override {}
  void SetTopmost(bool) override {}
  Rect rect{0, 0, kSteps, 50};
  bool visible = false;
};

class NoHost : public PlayHost {
public:
  void PlayStartObject(ShowNode&) override {}
  void PlayEndPage(ShowNode&) override {}
  void PlaySetBg(int32_t) override {}
  void PlayPageDone(ShowNode&) override {}
  void PlayObjectDone(ShowNode&) override {}
  void PlayCleanupPage(ShowNode&) override {}
  void PlayMoveObject(CControlWrapper& c, const Rect& r) override { c.MoveWindow(r); }
  void PlayTest() override {}
  void PlayAll() override {}
  void PlayStopQuiet() override {}
};

/// Runs the event loop until `done` holds, checking every millisecond.
void RunUntil(const std::function<bool()>& done) {
  QEventLoop loop;
  QTimer poll;
  poll.setTimerType(Qt::PreciseTimer);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  poll.start(1);
  loop.exec();
}

// In style 4 ("向右进") over a 400-pixel-wide object: 400 one-pixel steps.
double DeadlineEffectMs() {
  QtScheduler scheduler;
  NoHost host;
  ShowNode node;
  node.type = ObjectKind::Label;
  node.control = std::make_unique<CControlWrapper>(std::make_unique<BenchControl>());
  node.actionStyle = 1;
  node.inStyle = 4;
  node.inSpeed = kSpeedMs;
  MotionTask motion(scheduler, host, node, 800, 600);
  QElapsedTimer clock;
  clock.start();
  motion.Start();
  RunUntil([&] { return node.actionDone; });
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The same 400 steps, each followed by a wait of 5 ms from whenever the step ran.
double NaiveLoopMs() {
  QtScheduler scheduler;
  BenchControl window;
  int steps = 0;
  bool done = false;
  std::function<void()> step = [&] {
    if (steps == kSteps) {
      done = true;
      return;
    }
    window.MoveWindow(Rect{-kSteps + steps + 1, 0, steps + 1, 50});
    ++steps;
    scheduler.callAfter(kSpeedMs, step);
  };
  QElapsedTimer clock;
  clock.start();
  step();
  RunUntil([&] { return done; });
  return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void BM_InEffect400StepsAt5ms(benchmark::State& state) {
  double deadline = 0, naive = 0;
  for (auto _ : state) {
    deadline = DeadlineEffectMs();
    naive = NaiveLoopMs();
    state.SetIterationTime(deadline / 1000.0);
  }
  state.counters["deadline_ratio"] = deadline / kNominalMs;
  state.counters["naive_ratio"] = naive / kNominalMs;
  std::printf("in effect %d steps at %d ms: deadline tasks %.1f ms (actual/nominal %.4f), "
              "naive sleeps %.1f ms (actual/nominal %.4f)\n",
              kSteps, kSpeedMs, deadline, deadline / kNominalMs, naive, naive / kNominalMs);
}
BENCHMARK(BM_InEffect400StepsAt5ms)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
