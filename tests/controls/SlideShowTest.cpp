#include <gtest/gtest.h>

#include <set>

#include "controls/SlideShow.h"
#include "model/VirtualScheduler.h"

namespace {

struct Entered {
  size_t index;
  int64_t at;
  friend bool operator==(const Entered&, const Entered&) = default;
};

class SlideShowTest : public testing::Test {
protected:
  SlideShowTest() {
    show.onEnter = [this](size_t index) {
      entered.push_back({index, clock.now()});
      return missing.count(index) == 0;
    };
    show.onUpdate = [this] { ++updates; };
  }
  VirtualScheduler clock;
  SlideShow show{clock};
  std::vector<Entered> entered;
  std::set<size_t> missing;
  int updates = 0;
};

// A: cut, 2 s; B: "左拉" at speed 51 (1000 ms), 1 s; C: unknown effect (a cut), 3 s.
void AddThree(SlideShow& show) {
  show.AddItem({"a.png", "无效果", 50, 2});
  show.AddItem({"b.png", "左拉", 51, 1});
  show.AddItem({"c.png", "淡入淡出", 1, 3});
}

TEST_F(SlideShowTest, ItemsEnterInOrderAfterTransitionPlusStay) {
  AddThree(show);
  EXPECT_TRUE(show.Finished()); // nothing plays before the first start
  show.Start();
  EXPECT_FALSE(show.Finished());
  clock.advance(6999);
  EXPECT_FALSE(show.Finished());
  EXPECT_EQ(show.Current(), 2);
  clock.advance(1);
  EXPECT_TRUE(show.Finished());
  EXPECT_EQ(show.RunsDone(), 1);
  EXPECT_EQ(show.Current(), 2); // the last picture stays until stop
  EXPECT_EQ(entered, (std::vector<Entered>{{0, 0}, {1, 2000}, {2, 4000}}));
  EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(SlideShowTest, TransitionRunsInFramesForItsDuration) {
  AddThree(show);
  show.Start();
  clock.advance(2000);
  EXPECT_EQ(show.phase(), SlideShow::Phase::Entering);
  EXPECT_EQ(show.Effect(), TransitionEffect::WipeLeft);
  EXPECT_DOUBLE_EQ(show.Progress(), 0.0);
  updates = 0;
  clock.advance(500);
  EXPECT_DOUBLE_EQ(show.Progress(), 0.5);
  clock.advance(499);
  EXPECT_EQ(show.phase(), SlideShow::Phase::Entering);
  clock.advance(1);
  EXPECT_EQ(show.phase(), SlideShow::Phase::Staying);
  EXPECT_DOUBLE_EQ(show.Progress(), 1.0);
  // Frames every 16 ms from the start (16 … 992) plus the final one at 1000: no busy loop.
  EXPECT_EQ(updates, 63);
  // The unknown effect name of the third item enters as a cut.
  clock.advance(1000);
  EXPECT_EQ(show.Current(), 2);
  EXPECT_EQ(show.Effect(), TransitionEffect::Cut);
  EXPECT_EQ(show.phase(), SlideShow::Phase::Staying);
}

TEST_F(SlideShowTest, RunCounts) {
  struct Case {
    int loops;
    bool loopPlay;
    int runsWhenFinished; // 0: still playing after 50 runs
  } cases[] = {{1, false, 1}, {3, false, 3}, {0, false, 0}, {-2, false, 0}, {2, true, 0}};
  for (const Case& c : cases) {
    VirtualScheduler clock;
    SlideShow show(clock);
    show.AddItem({"a.png", "上移", 81, 1}); // 400 ms + 1 s
    show.AddItem({"b.png", "", 1, 2});      // cut, 2 s
    show.SetLoops(c.loops);
    show.SetLoopPlay(c.loopPlay);
    show.Start();
    const int64_t run = 3400;
    if (c.runsWhenFinished > 0) {
      clock.advance(run * c.runsWhenFinished - 1);
      EXPECT_FALSE(show.Finished()) << c.loops;
      clock.advance(1);
      EXPECT_TRUE(show.Finished()) << c.loops;
      EXPECT_EQ(show.RunsDone(), c.runsWhenFinished);
    } else {
      clock.advance(run * 50);
      EXPECT_FALSE(show.Finished()) << c.loops;
      EXPECT_EQ(show.RunsDone(), 50) << c.loops;
      EXPECT_EQ(show.Current(), 0);
    }
  }
}

TEST_F(SlideShowTest, EmptyListFinishesAtOnce) {
  show.Start();
  EXPECT_TRUE(show.Finished());
  EXPECT_EQ(show.Current(), -1);
  EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(SlideShowTest, MissingPictureKeepsItsStayWithoutTransition) {
  AddThree(show);
  missing = {1};
  show.Start();
  clock.advance(2000);
  EXPECT_TRUE(show.CurrentMissing());
  EXPECT_EQ(show.Effect(), TransitionEffect::Cut);
  clock.advance(1000); // 1 s stay, no 1000 ms transition
  EXPECT_EQ(entered.back(), (Entered{2, 3000}));
  EXPECT_FALSE(show.CurrentMissing());
}

TEST_F(SlideShowTest, StopClearsAndStartBeginsAgain) {
  AddThree(show);
  show.SetLoops(2);
  show.Start();
  clock.advance(7500); // second run, first item
  EXPECT_EQ(show.RunsDone(), 1);
  show.Stop();
  EXPECT_TRUE(show.Finished());
  EXPECT_EQ(show.Current(), -1);
  EXPECT_EQ(clock.pending(), 0u);
  show.Start();
  EXPECT_EQ(show.RunsDone(), 0);
  EXPECT_EQ(entered.back(), (Entered{0, 7500}));
  // A start while playing starts over from the first item too.
  clock.advance(2500);
  show.Start();
  EXPECT_EQ(entered.back(), (Entered{0, 10000}));
  clock.advance(14000 - 1);
  EXPECT_FALSE(show.Finished());
  clock.advance(1);
  EXPECT_TRUE(show.Finished());
}

TEST_F(SlideShowTest, ItemsWithNoTimeStillTakeAFrame) {
  show.AddItem({"a.png", "无效果", 50, 0});
  show.AddItem({"b.png", "无效果", 50, -3});
  show.SetLoops(0);
  show.Start();
  clock.advance(1600);
  EXPECT_EQ(entered.size(), 101u); // one item per 16 ms frame, never a spin at one instant
}

TEST_F(SlideShowTest, ClearingWhilePlayingEndsTheRun) {
  AddThree(show);
  show.SetLoops(0);
  show.Start();
  clock.advance(500);
  show.ClearItems();
  clock.advance(1500);
  EXPECT_TRUE(show.Finished());
  EXPECT_EQ(clock.pending(), 0u);
}

} // namespace
