#include "base/VirtualScheduler.h"

Scheduler::TimerId VirtualScheduler::callAfter(int64_t ms, std::function<void()> callback) {
  return callAt(now_ + (ms < 0 ? 0 : ms), std::move(callback));
}

Scheduler::TimerId VirtualScheduler::callAt(int64_t due, std::function<void()> callback) {
  if (due < now_) due = now_;
  TimerId id = next_++;
  queue_.emplace(Key{due, id}, std::move(callback));
  dueOf_[id] = due;
  return id;
}

void VirtualScheduler::cancel(TimerId id) {
  auto it = dueOf_.find(id);
  if (it == dueOf_.end()) return;
  queue_.erase(Key{it->second, id});
  dueOf_.erase(it);
}

void VirtualScheduler::advanceTo(int64_t t) {
  while (!queue_.empty() && queue_.begin()->first.first <= t) {
    auto it = queue_.begin();
    now_ = it->first.first;
    std::function<void()> callback = std::move(it->second);
    dueOf_.erase(it->first.second);
    queue_.erase(it);
    callback();
  }
  if (t > now_) now_ = t;
}

void VirtualScheduler::advance(int64_t ms) { advanceTo(now_ + ms); }

bool VirtualScheduler::runUntilIdle(int64_t limit) {
  int64_t end = now_ + limit;
  while (!queue_.empty() && queue_.begin()->first.first <= end) {
    advanceTo(queue_.begin()->first.first);
  }
  return queue_.empty();
}
