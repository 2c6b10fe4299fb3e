#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <utility>

#include "base/Scheduler.h"

/// A scheduler whose time only moves when asked. Callbacks due at the same moment run in the
/// order they were scheduled; a callback may schedule or cancel others.
class VirtualScheduler : public Scheduler {
public:
  explicit VirtualScheduler(int64_t start = 0) : now_(start) {}
  /// The current virtual time.
  int64_t now() const override { return now_; }
  /// Schedules the callback at now + ms.
  TimerId callAfter(int64_t ms, std::function<void()> callback) override;
  /// Schedules the callback at an absolute time (past times run at the next advance).
  TimerId callAt(int64_t due, std::function<void()> callback) override;
  /// Drops a pending callback.
  void cancel(TimerId id) override;
  /// Moves time forward by ms, running every callback that falls due on the way, each at its
  /// own time.
  void advance(int64_t ms);
  /// Moves time to the absolute time t (never backwards), running what falls due.
  void advanceTo(int64_t t);
  /// Runs callbacks until none is pending or `limit` virtual ms have passed; returns true when
  /// nothing is pending any more.
  bool runUntilIdle(int64_t limit);
  /// Number of pending callbacks.
  size_t pending() const { return queue_.size(); }

private:
  using Key = std::pair<int64_t, TimerId>; // due time, then scheduling order
  int64_t now_;
  TimerId next_ = 1;
  std::map<Key, std::function<void()>> queue_;
  std::map<TimerId, int64_t> dueOf_;
};
