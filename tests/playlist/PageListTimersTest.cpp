#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/Settings.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/PowerControl.h"
#include "base/VirtualScheduler.h"
#include "playlist/AutoSaveTimer.h"
#include "playlist/PowerOffTimer.h"

namespace {

constexpr int64_t kMinute = 60000;

// A document as the auto-save sees it: a path and the files written, with the time.
struct FakeProject {
  const Scheduler& scheduler;
  std::string path;
  std::vector<std::string> saves;

  AutoSaveTimer::Project Hooks() {
    return {[this] { return path; }, [this](const std::string& p) { path = p; },
            [this](const std::string& p) {
              saves.push_back(std::to_string(scheduler.now() / kMinute) + " " + p);
              return true;
            }};
  }
};

TEST(AutoSaveTimerTest, SavesEverySaveDelayMinutesUnderTheProjectsOwnName) {
  struct Case {
    std::string path;
    bool autoSave;
    int32_t saveDelay;
    std::vector<std::string> saves; // "<minute> <file>" within 7 minutes
    std::string pathAfter;
  };
  const Case cases[] = {
      {"", true, 3, {"3 tempsave.xml", "6 tempsave.xml"}, ""},
      {"tempsave.xml", true, 3, {"3 tempsave.xml", "6 tempsave.xml"}, ""},
      // Opened from an auto-save file: the path is a full one, and it is dropped all the same.
      {"/work/tempsave.xml", true, 3, {"3 /work/tempsave.xml", "6 tempsave.xml"}, ""},
      {"/work/mytempsave.xml",
       true,
       3,
       {"3 /work/mytempsave.xml", "6 /work/mytempsave.xml"},
       "/work/mytempsave.xml"},
      {"/shows/a.vrx", true, 3, {"3 /shows/a.vrx", "6 /shows/a.vrx"}, "/shows/a.vrx"},
      {"/shows/a.vrx", true, 10, {}, "/shows/a.vrx"},
      {"",
       true,
       0,
       {"1 tempsave.xml", "2 tempsave.xml", "3 tempsave.xml", "4 tempsave.xml", "5 tempsave.xml",
        "6 tempsave.xml", "7 tempsave.xml"},
       ""},
      {"", false, 1, {}, ""},
  };
  for (const Case& c : cases) {
    VirtualScheduler scheduler;
    Settings settings;
    settings.AutoSave = c.autoSave;
    settings.SaveDelay = c.saveDelay;
    FakeProject project{scheduler, c.path, {}};
    AutoSaveTimer timer(scheduler, settings, project.Hooks());
    timer.Start();
    scheduler.advance(7 * kMinute);
    EXPECT_EQ(project.saves, c.saves) << c.path << " " << c.saveDelay;
    EXPECT_EQ(project.path, c.pathAfter);
    if (!c.autoSave) {
      EXPECT_EQ(timer.MinuteCounter(), 7) << "the counter runs on while off";
    }
  }
}

TEST(AutoSaveTimerTest, SettingsChangedWhileRunningApplyAtTheNextMinute) {
  VirtualScheduler scheduler;
  Settings settings;
  FakeProject project{scheduler, "", {}};
  AutoSaveTimer timer(scheduler, settings, project.Hooks());
  timer.Start();
  scheduler.advance(12 * kMinute);
  EXPECT_TRUE(project.saves.empty());
  settings.AutoSave = true; // the counter has long passed the default of 10
  scheduler.advance(kMinute);
  EXPECT_EQ(project.saves, (std::vector<std::string>{"13 tempsave.xml"}));
  timer.Stop();
  scheduler.advance(60 * kMinute);
  EXPECT_EQ(project.saves.size(), 1u);
}

struct RecordingPower : PowerControl {
  explicit RecordingPower(const Scheduler& s) : scheduler(s) {}
  bool PowerOff() override {
    calls.push_back(scheduler.now());
    return true;
  }
  const Scheduler& scheduler;
  std::vector<int64_t> calls;
};

double At(int hour, int minute, int second, int ms = 0) {
  return ToDateTimeNumber(DateTimeParts{2024, 5, 17, hour, minute, second, ms});
}

double TimeOfDay(int hour, int minute, int second) {
  return ToDateTimeNumber(DateTimeParts{1899, 12, 30, hour, minute, second, 0});
}

TEST(PowerOffTimerTest, PowersOffOnceWhenTheTimeOfDayReachesCloseTime) {
  VirtualScheduler scheduler;
  SchedulerLocalClock clock(scheduler, At(17, 59, 58, 900));
  Settings settings;
  settings.AutoClose = true;
  settings.CloseTime = TimeOfDay(18, 0, 0);
  RecordingPower power(scheduler);
  PowerOffTimer timer(scheduler, clock, settings, power);
  timer.Start();
  scheduler.advance(1000); // ticks at 59.4 and 59.9
  EXPECT_TRUE(power.calls.empty());
  scheduler.advance(5000); // 00.4 and 00.9 are both in the close second
  EXPECT_EQ(power.calls, (std::vector<int64_t>{1500}));
}

TEST(PowerOffTimerTest, NeverPowersOffWhileAutoCloseIsOff) {
  VirtualScheduler scheduler;
  SchedulerLocalClock clock(scheduler, At(0, 0, 0));
  Settings settings;
  settings.AutoClose = false;
  settings.CloseTime = TimeOfDay(0, 0, 1);
  RecordingPower power(scheduler);
  PowerOffTimer timer(scheduler, clock, settings, power);
  timer.Start();
  scheduler.advance(24 * 3600 * 1000);
  EXPECT_TRUE(power.calls.empty());
}

TEST(PowerOffTimerTest, ComparesToTheSecondOnAnyDay) {
  VirtualScheduler scheduler;
  SchedulerLocalClock clock(scheduler, At(23, 30, 0));
  Settings settings;
  settings.AutoClose = true;
  settings.CloseTime = TimeOfDay(6, 15, 30);
  RecordingPower power(scheduler);
  PowerOffTimer timer(scheduler, clock, settings, power);
  timer.Start();
  scheduler.advance(int64_t{48} * 3600 * 1000);
  // 06:15:30 is 6 h 45 min 30 s after 23:30:00, and again a day later.
  const int64_t first = (6 * 3600 + 45 * 60 + 30) * int64_t{1000};
  EXPECT_EQ(power.calls, (std::vector<int64_t>{first, first + 86400000}));
}

TEST(PowerOffTimerTest, AStoredCloseTimeStandsForTheNearestSecond) {
  // setup.ini keeps CloseTime with 7 significant digits: 08:57:33 comes back as
  // 3.732986e-01, a little before 08:57:33; 08:57:32 comes back a little after it.
  const struct {
    double stored;
    int64_t firesAfterMs; // from 08:57:30.000
  } cases[] = {{3.732986e-01, 3000}, {3.732870e-01, 2000}};
  for (const auto& c : cases) {
    VirtualScheduler scheduler;
    SchedulerLocalClock clock(scheduler, At(8, 57, 30));
    Settings settings;
    settings.AutoClose = true;
    settings.CloseTime = c.stored;
    RecordingPower power(scheduler);
    PowerOffTimer timer(scheduler, clock, settings, power);
    timer.Start();
    scheduler.advance(10000);
    EXPECT_EQ(power.calls, (std::vector<int64_t>{c.firesAfterMs})) << c.stored;
  }
}

} // namespace
