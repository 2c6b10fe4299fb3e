#include <gtest/gtest.h>

#include "controls/SlideShow.h"
#include "base/VirtualScheduler.h"

namespace {

class SlideShowTest : public testing::Test {
protected:
  SlideShowTest() {
    show.onEnter = [this](size_t) {
      ++entered;
      return true;
    };
    show.onUpdate = [this] { ++updates; };
  }
  VirtualScheduler clock;
  SlideShow show{clock};
  int entered = 0;
  int updates = 0;
};

// A: cut, 2 s; B: "左拉" at speed 51 (1000 ms), 1 s; C: unknown effect (a cut), 3 s.
void AddThree(SlideShow& show) {
  show.AddItem({"a.png", "无效果", 50, 2});
  show.AddItem({"b.png", "左拉", 51, 1});
  show.AddItem({"c.png", "淡入淡出", 1, 3});
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

TEST_F(SlideShowTest, ItemsWithNoTimeStillTakeAFrame) {
  show.AddItem({"a.png", "无效果", 50, 0});
  show.AddItem({"b.png", "无效果", 50, -3});
  show.SetLoops(0);
  show.Start();
  clock.advance(1600);
  EXPECT_EQ(entered, 101); // one item per 16 ms frame, never a spin at one instant
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
