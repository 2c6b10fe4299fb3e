// How late the clock's shown second changes after the real second boundary.
//
// The clock control (loaded from libzyntra-clock.so beside this program) runs style 4 on the
// real Qt-timer scheduler and the system's local time; every tick it runs is recorded with the
// milliseconds past the second at that moment. The baseline, measured in the same run on the
// same event loop, is a free-running 1000 ms timer started at an arbitrary moment, as a tick
// without alignment would be. Over 30 ticks each the benchmark prints mean and worst lateness
// and the ratio baseline / aligned of the means.

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <vector>

#include "qt/QtPrompts.h"
#include "qt/QtScheduler.h"
#include "controls/ControlLibrary.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"

namespace {

constexpr int kTicks = 30;

// Milliseconds past the current second of the system's local time (early wake-ups, just
// before a boundary, count as negative).
double LatenessMs(const LocalClock& clock) {
  const int ms = FromDateTimeNumber(clock.now()).millisecond;
  return ms >= 500 ? ms - 1000.0 : ms;
}

// The real scheduler, with the lateness of every callback it runs recorded.
class RecordingScheduler : public Scheduler {
public:
  explicit RecordingScheduler(const LocalClock& clock) : clock_(clock) {}
  int64_t now() const override { return timers_.now(); }
  TimerId callAfter(int64_t ms, std::function<void()> callback) override {
    return timers_.callAfter(ms, [this, callback = std::move(callback)] {
      lateness.push_back(LatenessMs(clock_));
      callback();
    });
  }
  void cancel(TimerId id) override { timers_.cancel(id); }
  std::vector<double> lateness;

private:
  const LocalClock& clock_;
  QtScheduler timers_;
};

struct Summary {
  double mean = 0;
  double worst = 0;
};

Summary Summarise(const std::vector<double>& values) {
  Summary s;
  if (values.empty()) return s;
  s.mean = std::accumulate(values.begin(), values.end(), 0.0) / values.size();
  s.worst = *std::max_element(values.begin(), values.end(),
                              [](double a, double b) { return std::abs(a) < std::abs(b); });
  return s;
}

void BM_ClockTickLateness(benchmark::State& state) {
  const std::string path =
      QCoreApplication::applicationDirPath().toStdString() + "/libzyntra-clock.so";
  std::string error;
  static std::unique_ptr<ControlLibrary> library = ControlLibrary::Load(path, &error);
  if (!library) {
    state.SkipWithError(error.c_str());
    return;
  }
  const ZyntraClassObject* clockClass =
      library->GetClassObject("{15AC02EE-C7A7-11D9-B2D4-00D009C22011}", &error);
  if (!clockClass) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    SystemLocalClock local;
    RecordingScheduler scheduler(local);
    QtPrompts prompts;
    QWidget screen;
    std::unique_ptr<HostedControl> clock(clockClass->create(
        &screen, Rect{0, 0, 320, 80}, true, ControlServices{&scheduler, &local, &prompts}));
    clock->Invoke(0x4003000A, InvokeKind::PropertyPut, {Variant::FromI2(4)}, nullptr); // Style
    clock->Invoke(0x68030000, InvokeKind::PropertyPut, {Variant::FromBool(true)}, nullptr);

    std::vector<double> baseline;
    QTimer freeRunning;
    freeRunning.setTimerType(Qt::PreciseTimer);
    QObject::connect(&freeRunning, &QTimer::timeout, [&] {
      // The display of a free-running tick shows the second that began this long ago.
      baseline.push_back(FromDateTimeNumber(local.now()).millisecond);
    });
    freeRunning.start(1000);
    QEventLoop loop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (scheduler.lateness.size() >= kTicks && baseline.size() >= kTicks) loop.quit();
    });
    watch.start(100);
    loop.exec();
    freeRunning.stop();
    clock.reset();

    scheduler.lateness.resize(kTicks);
    baseline.resize(kTicks);
    const Summary aligned = Summarise(scheduler.lateness);
    const Summary free = Summarise(baseline);
    state.counters["aligned_mean_ms"] = aligned.mean;
    state.counters["aligned_worst_ms"] = aligned.worst;
    state.counters["free_mean_ms"] = free.mean;
    state.counters["free_worst_ms"] = free.worst;
    state.counters["ratio"] = aligned.mean > 0 ? free.mean / aligned.mean : 0;
    std::printf("clock tick lateness over %d ticks: aligned mean %.2f ms, worst %.2f ms; "
                "free-running 1000 ms timer mean %.2f ms, worst %.2f ms; ratio %.1f\n",
                kTicks, aligned.mean, aligned.worst, free.mean, free.worst,
                aligned.mean > 0 ? free.mean / aligned.mean : 0.0);
  }
}
BENCHMARK(BM_ClockTickLateness)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
