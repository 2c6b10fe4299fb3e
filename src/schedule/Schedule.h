#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/LocalClock.h"
#include "base/Scheduler.h"
#include "playlist/RepeatingTimer.h"
#include "schedule/TaskItem.h"
#include "schedule/TaskPlayer.h"

/// The once-a-second choice of what plays. While started, two one-second timers run:
///
/// - the scan (timer 1) walks the tasks in list order. The first task whose condition holds
///   ends the walk: if it is not waiting it keeps running; a waiting one is started (pass count
///   1 for a direct task, 655320 for a timed one; stop; the task that was playing marked done;
///   its project loaded; play all). A playing task whose condition no longer holds is stopped
///   and the page list put back on its first page, and the walk goes on.
/// - the end check (timer 2): a direct task that is playing is marked done once the page list
///   reports that playback has ended, so the next scan starts the following task.
///
/// Direct tasks therefore play one after another before any timed task is considered; among
/// timed tasks the earlier row wins; a timed task plays once per Start (after its window it
/// keeps its playing state, is stopped every second, and blocks later rows while its window is
/// open again). Both timers fire together each second, the end check first, so a direct task
/// follows the previous one within a second of its end.
class Schedule {
public:
  /// Passes of a direct task.
  static constexpr int32_t kDirectPasses = 1;
  /// Passes of a timed task: endless in practice.
  static constexpr int32_t kTimedPasses = 655320;
  /// Period of both timers.
  static constexpr int64_t kTickMs = 1000;

  /// A stopped schedule with an empty list; time from `scheduler` and `clock`.
  Schedule(Scheduler& scheduler, const LocalClock& clock, TaskPlayer& player);
  Schedule(const Schedule&) = delete;
  Schedule& operator=(const Schedule&) = delete;
  /// Cancels the timers without calling the player.
  ~Schedule();

  /// The task list, in row order; the dialog edits it (rows are not added, removed or moved
  /// while started).
  std::vector<TaskItem>& Tasks() { return tasks_; }
  /// The task list, in row order.
  const std::vector<TaskItem>& Tasks() const { return tasks_; }

  /// Play: every task waiting, `CurrentTask` 0, both timers started (first ticks one second
  /// from now). A started schedule starts over.
  void Start();
  /// Stop: both timers killed, then the page list told to stop playing (1034).
  void Stop();
  /// True between Start and Stop.
  bool Started() const { return started_; }
  /// Index of the task started last (0 before any).
  int CurrentTask() const { return CurrentTask_; }

  /// One scan (what timer 1 does each second).
  void Scan();
  /// One end check (what timer 2 does each second).
  void CheckEnded();

  /// Called with a task's row when the scan starts it (the dialog selects and shows the row).
  std::function<void(int row)> taskStarted;

private:
  void StartTask(int index);
  void CancelTimers();
  bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(tasks_.size()); }

  Scheduler& scheduler_;
  const LocalClock& clock_;
  TaskPlayer& player_;
  std::vector<TaskItem> tasks_;
  int CurrentTask_ = 0;
  bool started_ = false;
  // Set while a scan or end check runs: a message box shown while a project loads runs a
  // nested event loop, in which further ticks must not start the same task again.
  bool busy_ = false;
  // Timer 2 is started first: at the same due time it runs before the scan.
  RepeatingTimer endCheck_{scheduler_, kTickMs, [this] { CheckEnded(); }};
  RepeatingTimer scan_{scheduler_, kTickMs, [this] { Scan(); }};
};
