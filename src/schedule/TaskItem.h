#pragma once

#include <cstdint>
#include <string>

/// Play conditions of a task (the stored `PStyle` values).
enum class PlayStyle : int32_t {
  Direct = 0,  ///< "直接播放": plays at once, once, in list order
  Daily = 1,   ///< "每天定时播放": every day within the time-of-day window
  Weekly = 2,  ///< "每周定时播放": on the weekday `WeekNo` within the window
  Monthly = 3, ///< "每月定时播放": on the day of the month `MonthNo` within the window
  OnDate = 4,  ///< "特定日期时间播放": on the date of `Date` within the window
};

/// Run-time states of a task while the schedule plays (`State`).
enum class TaskState : int32_t {
  Waiting = 0, ///< not started since Play
  Playing = 1, ///< started; a timed task keeps this state after its window has closed
  Done = 2,    ///< finished or replaced by another task
};

/// One row of a task list: which project plays, and when. Date-times are date-time numbers
/// (days since 1899-12-30); `BTime` and `ETime` only carry a time of day.
struct TaskItem {
  /// Run-time state while the schedule plays; never stored.
  TaskState State = TaskState::Waiting;
  /// Full path of the project file.
  std::string FileName;
  /// Play condition, 0 to 4 (`PlayStyle`); other stored values are kept and never match.
  int32_t PStyle = 0;
  /// Weekday for the weekly condition: 0 Sunday, 1 Monday … 6 Saturday.
  int32_t WeekNo = 0;
  /// Day of the month for the monthly condition (1 to 31).
  int32_t MonthNo = 1;
  /// The date of the date condition (its time of day is not used).
  double Date = 0.0;
  /// Start of the time-of-day window.
  double BTime = 0.0;
  /// End of the time-of-day window.
  double ETime = 0.0;

  /// True for the direct condition (`PStyle` 0); every other value counts as timed.
  bool IsDirect() const { return PStyle == static_cast<int32_t>(PlayStyle::Direct); }
};
