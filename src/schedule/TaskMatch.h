#pragma once

#include "schedule/TaskItem.h"

// Whether a task's condition holds at a local date-time (a date-time number).
//
// The time-of-day window includes both of its end seconds: a window 08:00:00–09:00:00 holds
// from 08:00:00.000 to 09:00:00.999. The time of day of `now` counts whole seconds (its
// milliseconds are dropped); the window's ends are rounded to the nearest second, as stored
// values carry only seven significant digits. A window whose start is later than its end never
// holds; start equal to end holds for that one second.

/// True when the time of day of `now` lies in the window `begin` … `end` (times of day only).
bool InTimeWindow(double begin, double end, double now);
/// True when the task's condition holds at `now`: a direct task while it is waiting or playing;
/// a timed task when its day rule and its window hold. Unknown conditions never hold.
bool TaskMatches(const TaskItem& task, double now);
