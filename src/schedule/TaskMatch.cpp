#include "schedule/TaskMatch.h"

#include "base/DateTime.h"

namespace {

bool SameDate(const DateTimeParts& a, const DateTimeParts& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

} // namespace

bool InTimeWindow(double begin, double end, double now) {
  const int t = ClockSecondsOfDay(now);
  const int b = SecondsOfDay(begin);
  const int e = SecondsOfDay(end);
  return b <= t && t <= e;
}

bool TaskMatches(const TaskItem& task, double now) {
  const DateTimeParts today = FromDateTimeNumber(now);
  switch (static_cast<PlayStyle>(task.PStyle)) {
  case PlayStyle::Direct:
    return task.State == TaskState::Waiting || task.State == TaskState::Playing;
  case PlayStyle::Daily: return InTimeWindow(task.BTime, task.ETime, now);
  case PlayStyle::Weekly:
    return WeekdayOf(now) == task.WeekNo && InTimeWindow(task.BTime, task.ETime, now);
  case PlayStyle::Monthly:
    return today.day == task.MonthNo && InTimeWindow(task.BTime, task.ETime, now);
  case PlayStyle::OnDate:
    return SameDate(today, FromDateTimeNumber(task.Date)) &&
           InTimeWindow(task.BTime, task.ETime, now);
  }
  return false;
}
