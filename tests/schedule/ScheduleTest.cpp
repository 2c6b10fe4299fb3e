#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "schedule/FakeTaskPlayer.h"
#include "schedule/Schedule.h"

namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kHour = 3600 * kSecond;
constexpr int64_t kDay = 24 * kHour;

double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return ToDateTimeNumber({y, mo, d, h, mi, s, 0});
}
double Time(int h, int mi, int s = 0) { return At(1899, 12, 30, h, mi, s); }

TaskItem Direct(const std::string& file) {
  TaskItem task;
  task.FileName = file;
  return task;
}

TaskItem Daily(const std::string& file, double begin, double end) {
  TaskItem task;
  task.FileName = file;
  task.PStyle = static_cast<int32_t>(PlayStyle::Daily);
  task.BTime = begin;
  task.ETime = end;
  return task;
}

class ScheduleTest : public testing::Test {
protected:
  // 2024-06-03 is a Monday.
  void StartAt(double localTime, std::vector<TaskItem> tasks) {
    clock.set(localTime);
    schedule.Tasks() = std::move(tasks);
    schedule.taskStarted = [this](int row) { startedRows.push_back(row); };
    schedule.Start();
  }
  void Advance(int64_t ms) { scheduler.advance(ms); }
  TaskState StateOf(int row) const { return schedule.Tasks()[static_cast<size_t>(row)].State; }

  VirtualScheduler scheduler{1'000'000};
  SchedulerLocalClock clock{scheduler, 0.0};
  FakeTaskPlayer player{clock};
  Schedule schedule{scheduler, clock, player};
  std::vector<int> startedRows;
};

TEST_F(ScheduleTest, TwoDirectTasksPlayOneAfterTheOther) {
  StartAt(At(2024, 6, 3, 10, 0, 0), {Direct("a.vrx"), Direct("b.vrx")});
  Advance(999);
  EXPECT_TRUE(player.log.empty()) << "the first scan comes one second after Play";
  Advance(1);
  EXPECT_EQ(player.log,
            (std::vector<std::string>{"passes 1", "stop", "open a.vrx at 06-03 10:00:01", "play"}));
  Advance(59 * kSecond + 500);
  EXPECT_EQ(player.log.size(), 4u) << "a playing direct task ends every scan";

  player.Finish(); // at 10:01:00.5
  Advance(500);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open a.vrx at 06-03 10:00:01",
                                                      "open b.vrx at 06-03 10:01:01"}));
  EXPECT_EQ(StateOf(0), TaskState::Done);
  EXPECT_EQ(StateOf(1), TaskState::Playing);
  EXPECT_EQ(schedule.CurrentTask(), 1);

  player.Finish();
  const size_t before = player.log.size();
  Advance(kDay);
  EXPECT_EQ(StateOf(1), TaskState::Done);
  EXPECT_EQ(player.log.size(), before) << "nothing plays after the last direct task";
  EXPECT_EQ(startedRows, (std::vector<int>{0, 1}));
}

TEST_F(ScheduleTest, DailyTaskWaitsForTheDirectTaskBeforeIt) {
  StartAt(At(2024, 6, 3, 7, 59, 50),
          {Direct("intro.vrx"), Daily("morning.vrx", Time(8, 0), Time(9, 0))});
  Advance(30 * 60 * kSecond + 10 * kSecond); // to 08:30:00
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open intro.vrx at 06-03 07:59:51"}));

  player.Finish();
  player.log.clear();
  Advance(kSecond); // 08:30:01
  EXPECT_EQ(player.log, (std::vector<std::string>{"passes 655320", "stop",
                                                  "open morning.vrx at 06-03 08:30:01", "play"}));
  EXPECT_EQ(StateOf(0), TaskState::Done);

  // The window holds through 09:00:00; from 09:00:01 the task is stopped every second.
  player.log.clear();
  Advance(29 * 60 * kSecond + 59 * kSecond); // 09:00:00
  EXPECT_TRUE(player.log.empty());
  Advance(5 * kSecond); // 09:00:05
  EXPECT_EQ(player.Count("stop"), 5);
  EXPECT_EQ(player.Count("first page"), 5);
  EXPECT_EQ(StateOf(1), TaskState::Playing) << "a finished timed task keeps its state";

  // It is not restarted when its window opens again the next day.
  Advance(kDay);
  EXPECT_TRUE(player.Opens().empty());
}

TEST_F(ScheduleTest, DailyWindowMissedByTheDirectTaskOpensAgainNextDay) {
  StartAt(At(2024, 6, 3, 7, 0, 0),
          {Direct("intro.vrx"), Daily("morning.vrx", Time(8, 0), Time(9, 0))});
  Advance(2 * kHour + 30 * 60 * kSecond); // 09:30:00
  player.Finish();
  Advance(kDay);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open intro.vrx at 06-03 07:00:01",
                                                      "open morning.vrx at 06-04 08:00:00"}));
}

TEST_F(ScheduleTest, WeeklyTaskStartsOnSunday) {
  TaskItem weekly = Daily("sunday.vrx", Time(10, 0), Time(11, 0));
  weekly.PStyle = static_cast<int32_t>(PlayStyle::Weekly);
  weekly.WeekNo = 0;
  StartAt(At(2024, 5, 31, 12, 0, 0), {weekly}); // a Friday
  Advance(7 * kDay);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open sunday.vrx at 06-02 10:00:00"}));
}

TEST_F(ScheduleTest, MonthlyTaskOnThe31stSkipsA30DayMonth) {
  TaskItem monthly = Daily("month-end.vrx", Time(0, 0), Time(23, 59, 59));
  monthly.PStyle = static_cast<int32_t>(PlayStyle::Monthly);
  monthly.MonthNo = 31;
  StartAt(At(2024, 6, 29, 23, 0, 0), {monthly});
  Advance(2 * kDay); // across June 30 into July 1
  EXPECT_TRUE(player.log.empty());
  clock.set(At(2024, 7, 30, 23, 59, 30)); // jump ahead a month
  Advance(40 * kSecond);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open month-end.vrx at 07-31 00:00:00"}));
}

TEST_F(ScheduleTest, OverlappingWindowsLetTheEarlierRowWin) {
  StartAt(At(2024, 6, 3, 7, 59, 59),
          {Daily("a.vrx", Time(8, 0), Time(10, 0)), Daily("b.vrx", Time(9, 0), Time(11, 0))});
  Advance(2 * kHour + kSecond); // 10:00:00
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open a.vrx at 06-03 08:00:00"}));

  player.log.clear();
  Advance(kSecond); // 10:00:01: a leaves its window, b takes over in the same scan
  EXPECT_EQ(player.log, (std::vector<std::string>{"stop", "first page", "passes 655320", "stop",
                                                  "open b.vrx at 06-03 10:00:01", "play"}));
  EXPECT_EQ(StateOf(0), TaskState::Done);
  EXPECT_EQ(StateOf(1), TaskState::Playing);

  Advance(kDay); // neither plays again before the next Play
  EXPECT_EQ(player.Opens().size(), 1u);
}

TEST_F(ScheduleTest, EarlierTimedRowInterruptsALaterDirectTask) {
  StartAt(At(2024, 6, 3, 7, 59, 58), {Daily("a.vrx", Time(8, 0), Time(9, 0)), Direct("b.vrx")});
  Advance(2 * kSecond);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open b.vrx at 06-03 07:59:59",
                                                      "open a.vrx at 06-03 08:00:00"}));
  EXPECT_EQ(StateOf(1), TaskState::Done);
  EXPECT_EQ(player.log[4], "passes 655320");
}

TEST_F(ScheduleTest, ATaskThatNeverStartedIsNotMarkedDone) {
  // Row 0 is the current task before anything started; the direct task below it must not
  // retire it when it starts.
  StartAt(At(2024, 6, 3, 6, 0, 0), {Daily("a.vrx", Time(8, 0), Time(9, 0)), Direct("b.vrx")});
  Advance(kSecond);
  EXPECT_EQ(StateOf(0), TaskState::Waiting);
  Advance(30 * 60 * kSecond);
  player.Finish();
  Advance(2 * kHour);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open b.vrx at 06-03 06:00:01",
                                                      "open a.vrx at 06-03 08:00:00"}));
}

TEST_F(ScheduleTest, StopKillsBothTimersAndPlayStartsOver) {
  StartAt(At(2024, 6, 3, 10, 0, 0), {Direct("a.vrx")});
  Advance(kSecond);
  player.log.clear();
  schedule.Stop();
  EXPECT_EQ(player.log, (std::vector<std::string>{"stop"}));
  EXPECT_FALSE(schedule.Started());
  EXPECT_EQ(scheduler.pending(), 0u);
  Advance(kHour);
  EXPECT_EQ(player.log.size(), 1u);

  schedule.Start(); // every task waiting again
  EXPECT_EQ(StateOf(0), TaskState::Waiting);
  Advance(kSecond);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open a.vrx at 06-03 11:00:02"}));
}

TEST_F(ScheduleTest, TicksDuringALoadingMessageDoNotStartTheTaskAgain) {
  // Loading a damaged project shows a message box, whose event loop keeps the timers running.
  player.onOpen = [this] {
    player.onOpen = nullptr;
    Advance(5 * kSecond);
  };
  StartAt(At(2024, 6, 3, 10, 0, 0), {Direct("damaged.vrx"), Direct("b.vrx")});
  Advance(kSecond);
  EXPECT_EQ(player.Count("play"), 1);
  EXPECT_EQ(player.Opens().size(), 1u);
  player.Finish();
  Advance(kSecond);
  EXPECT_EQ(player.Opens().back(), "open b.vrx at 06-03 10:00:07") << "the timers went on";
}

TEST_F(ScheduleTest, StopWhileLoadingStartsNothing) {
  player.onOpen = [this] { schedule.Stop(); };
  StartAt(At(2024, 6, 3, 10, 0, 0), {Direct("a.vrx")});
  Advance(kHour);
  EXPECT_EQ(player.Count("play"), 0);
  EXPECT_EQ(player.Opens().size(), 1u);
  EXPECT_EQ(scheduler.pending(), 0u);
}

} // namespace
