#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/Transition.h"
#include "base/Scheduler.h"

/// One picture of a slide show: its file, the name of its entering effect, the effect's speed
/// (1…100) and how many seconds it stays once it has entered.
struct SlideItem {
  std::string path;
  std::string effect;
  int16_t speed = 50;
  int16_t stay = 2;
  friend bool operator==(const SlideItem&, const SlideItem&) = default;
};

/// The timing of the picture-effect control, without pixels: each item enters with its
/// transition (frames every kTransitionFrameMs), stays its seconds, then the next one enters;
/// after the last item a run ends, and the show plays its runs (0 or endless = forever). All
/// waits are Scheduler callbacks, deadline based.
class SlideShow {
public:
  enum class Phase { Idle, Entering, Staying, Finished };

  explicit SlideShow(Scheduler& scheduler);
  ~SlideShow();
  SlideShow(const SlideShow&) = delete;
  SlideShow& operator=(const SlideShow&) = delete;

  /// Called when an item begins to enter, with its index (0-based); answers whether its picture
  /// can be shown. An item that cannot be shown leaves the background for its stay time.
  std::function<bool(size_t index)> onEnter;
  /// Called whenever what is shown changes: an item enters, a transition frame is due, the show
  /// stops.
  std::function<void()> onUpdate;

  /// Appends an item.
  void AddItem(SlideItem item) { items_.push_back(std::move(item)); }
  /// Removes every item; a playing show ends when it next looks for an item.
  void ClearItems() { items_.clear(); }
  /// The items in order.
  const std::vector<SlideItem>& Items() const { return items_; }

  /// Number of runs to play; 0 (or less) plays forever.
  void SetLoops(int loops) { loops_ = loops; }
  int Loops() const { return loops_; }
  /// True plays forever whatever the run count.
  void SetLoopPlay(bool loopPlay) { loopPlay_ = loopPlay; }
  bool LoopPlay() const { return loopPlay_; }

  /// Starts from the first item, from nothing shown; a show already playing starts over. An
  /// empty list finishes at once.
  void Start();
  /// Stops and shows nothing.
  void Stop();

  Phase phase() const { return phase_; }
  /// True when nothing is playing: before the first start, after stop and after the last run.
  bool Finished() const { return phase_ == Phase::Idle || phase_ == Phase::Finished; }
  /// Index of the item entering or shown, -1 when none.
  int Current() const { return current_; }
  /// The current item's transition (a cut for a missing picture).
  TransitionEffect Effect() const { return effect_; }
  /// Progress of the current transition, 0…1 (1 once it has entered).
  double Progress() const;
  /// Runs completed since the last start.
  int RunsDone() const { return runsDone_; }

private:
  void Enter(size_t index, int64_t at);
  void Frame();
  void Leave();
  void Schedule(int64_t due, void (SlideShow::*step)());
  void Cancel();
  void Notify();

  Scheduler& scheduler_;
  std::vector<SlideItem> items_;
  int loops_ = 1;
  bool loopPlay_ = false;

  Phase phase_ = Phase::Idle;
  int current_ = -1;
  bool currentMissing_ = false;
  TransitionEffect effect_ = TransitionEffect::Cut;
  int64_t enterAt_ = 0;  // when the current item began to enter
  int64_t duration_ = 0; // its transition's length
  int64_t leaveAt_ = 0;  // when the next item begins
  int runsDone_ = 0;
  Scheduler::TimerId timer_ = 0;
};
