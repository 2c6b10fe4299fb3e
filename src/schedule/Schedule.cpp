#include "schedule/Schedule.h"

#include "schedule/TaskMatch.h"

namespace {

// Marks a flag for the lifetime of a scope.
class BusyScope {
public:
  explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyScope() { flag_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

private:
  bool& flag_;
};

} // namespace

Schedule::Schedule(Scheduler& scheduler, const LocalClock& clock, TaskPlayer& player)
    : scheduler_(scheduler), clock_(clock), player_(player) {}

Schedule::~Schedule() { CancelTimers(); }

void Schedule::Start() {
  CancelTimers();
  for (TaskItem& task : tasks_)
    task.State = TaskState::Waiting;
  CurrentTask_ = 0;
  started_ = true;
  endCheck_.Start();
  scan_.Start();
}

void Schedule::Stop() {
  CancelTimers();
  started_ = false;
  player_.StopQuietly();
}

void Schedule::CancelTimers() {
  endCheck_.Stop();
  scan_.Stop();
}

void Schedule::Scan() {
  if (busy_ || !started_) return;
  BusyScope busy(busy_);
  const double now = clock_.now();
  for (int i = 0; ValidRow(i); ++i) {
    TaskItem& task = tasks_[static_cast<size_t>(i)];
    if (TaskMatches(task, now)) {
      if (task.State == TaskState::Waiting) StartTask(i);
      return;
    }
    if (task.State == TaskState::Playing) {
      player_.StopQuietly();
      player_.ShowFirstPage();
    }
  }
}

void Schedule::StartTask(int index) {
  if (taskStarted) taskStarted(index);
  const bool direct = tasks_[static_cast<size_t>(index)].IsDirect();
  player_.SetPassCount(direct ? kDirectPasses : kTimedPasses);
  player_.StopQuietly();
  // Only a task that was actually playing is done now; a row that never started (row 0 before
  // the first start) keeps waiting for its own turn.
  if (ValidRow(CurrentTask_) &&
      tasks_[static_cast<size_t>(CurrentTask_)].State == TaskState::Playing)
    tasks_[static_cast<size_t>(CurrentTask_)].State = TaskState::Done;
  const std::string path = tasks_[static_cast<size_t>(index)].FileName;
  player_.OpenProject(path);
  // Loading may have shown a message box; a Stop meanwhile leaves nothing playing.
  if (!started_ || !ValidRow(index)) return;
  player_.PlayAll();
  tasks_[static_cast<size_t>(index)].State = TaskState::Playing;
  CurrentTask_ = index;
}

void Schedule::CheckEnded() {
  if (busy_ || !started_ || !ValidRow(CurrentTask_)) return;
  BusyScope busy(busy_);
  TaskItem& task = tasks_[static_cast<size_t>(CurrentTask_)];
  if (task.IsDirect() && player_.PlaybackEnded() && task.State == TaskState::Playing)
    task.State = TaskState::Done;
}
