#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "schedule/TaskMatch.h"

namespace {

double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return ToDateTimeNumber({y, mo, d, h, mi, s, ms});
}
double Time(int h, int mi, int s) { return At(1899, 12, 30, h, mi, s); }

TaskItem Timed(PlayStyle style, double begin, double end) {
  TaskItem task;
  task.PStyle = static_cast<int32_t>(style);
  task.BTime = begin;
  task.ETime = end;
  return task;
}

TEST(TaskMatch, TimeWindowIncludesBothEndSeconds) {
  struct Case {
    double begin, end, now;
    bool holds;
  } cases[] = {
      {Time(8, 0, 0), Time(9, 0, 0), At(2024, 6, 3, 7, 59, 59, 999), false},
      {Time(8, 0, 0), Time(9, 0, 0), At(2024, 6, 3, 8, 0, 0), true},
      {Time(8, 0, 0), Time(9, 0, 0), At(2024, 6, 3, 8, 30, 0), true},
      {Time(8, 0, 0), Time(9, 0, 0), At(2024, 6, 3, 9, 0, 0, 999), true},
      {Time(8, 0, 0), Time(9, 0, 0), At(2024, 6, 3, 9, 0, 1), false},
      // A start later than the end never holds, not even across midnight.
      {Time(22, 0, 0), Time(6, 0, 0), At(2024, 6, 3, 23, 0, 0), false},
      {Time(22, 0, 0), Time(6, 0, 0), At(2024, 6, 3, 3, 0, 0), false},
      // Start equal to end: that one second.
      {Time(12, 0, 0), Time(12, 0, 0), At(2024, 6, 3, 12, 0, 0, 500), true},
      {Time(12, 0, 0), Time(12, 0, 0), At(2024, 6, 3, 12, 0, 1), false},
      // Only the time of day of the window's ends counts; stored values carry 7 digits.
      {45000.0 + Time(8, 0, 0), 45000.0 + Time(9, 0, 0), At(2024, 6, 3, 8, 0, 0), true},
      {0.3333333, 0.375, At(2024, 6, 3, 8, 0, 0), true},
      {Time(0, 0, 0), Time(23, 59, 59), At(2024, 6, 3, 23, 59, 59, 999), true},
  };
  for (const auto& c : cases) {
    const DateTimeParts p = FromDateTimeNumber(c.now);
    EXPECT_EQ(InTimeWindow(c.begin, c.end, c.now), c.holds)
        << p.hour << ":" << p.minute << ":" << p.second << "." << p.millisecond;
  }
}

TEST(TaskMatch, DirectTaskHoldsUntilDone) {
  TaskItem task; // PStyle 0, window 00:00–00:00
  const double noon = At(2024, 6, 3, 12, 0, 0);
  task.State = TaskState::Waiting;
  EXPECT_TRUE(TaskMatches(task, noon));
  task.State = TaskState::Playing;
  EXPECT_TRUE(TaskMatches(task, noon));
  task.State = TaskState::Done;
  EXPECT_FALSE(TaskMatches(task, noon));
}

TEST(TaskMatch, WeekdayCountsFromSunday) {
  TaskItem task = Timed(PlayStyle::Weekly, Time(10, 0, 0), Time(11, 0, 0));
  // 2024-06-02 is a Sunday.
  for (int day = 2; day <= 8; ++day) {
    for (int weekNo = 0; weekNo <= 7; ++weekNo) {
      task.WeekNo = weekNo;
      EXPECT_EQ(TaskMatches(task, At(2024, 6, day, 10, 30)), weekNo == day - 2)
          << "June " << day << ", WeekNo " << weekNo;
    }
  }
  task.WeekNo = 0;
  EXPECT_FALSE(TaskMatches(task, At(2024, 6, 2, 11, 0, 1))) << "outside the window";
}

TEST(TaskMatch, DayOfMonthThatAMonthLacksNeverHolds) {
  TaskItem task = Timed(PlayStyle::Monthly, Time(0, 0, 0), Time(23, 59, 59));
  task.MonthNo = 31;
  for (int day = 1; day <= 30; ++day)
    EXPECT_FALSE(TaskMatches(task, At(2024, 6, day, 12))) << "June " << day;
  EXPECT_FALSE(TaskMatches(task, At(2024, 7, 1, 0)));
  EXPECT_TRUE(TaskMatches(task, At(2024, 7, 31, 0)));
  task.MonthNo = 29;
  EXPECT_FALSE(TaskMatches(task, At(2023, 3, 1, 12))); // 2023-02 has 28 days
  EXPECT_TRUE(TaskMatches(task, At(2024, 2, 29, 12)));
}

TEST(TaskMatch, DateComparesTheDayOnly) {
  TaskItem task = Timed(PlayStyle::OnDate, Time(9, 0, 0), Time(17, 0, 0));
  task.Date = At(2024, 6, 3, 18, 0); // a time of day on the date itself is ignored
  EXPECT_TRUE(TaskMatches(task, At(2024, 6, 3, 9, 0)));
  EXPECT_FALSE(TaskMatches(task, At(2024, 6, 3, 17, 0, 1)));
  EXPECT_FALSE(TaskMatches(task, At(2024, 6, 4, 9, 0)));
  EXPECT_FALSE(TaskMatches(task, At(2025, 6, 3, 9, 0)));
}

TEST(TaskMatch, UnknownConditionNeverHolds) {
  for (int style : {-1, 5, 100}) {
    TaskItem task = Timed(PlayStyle::Daily, Time(0, 0, 0), Time(23, 59, 59));
    task.PStyle = style;
    EXPECT_FALSE(TaskMatches(task, At(2024, 6, 3, 12))) << style;
  }
}

} // namespace
