#include <gtest/gtest.h>

#include "controls/RtfLayout.h"

namespace {

using Spans = std::vector<RtfScreenful>;

TEST(RtfLayoutTest, CutsLinesIntoScreenfuls) {
  struct Case {
    const char* what;
    std::vector<RtfLineBox> lines;
    int height;
    Spans expected;
  };
  const Case cases[] = {
      {"no text", {}, 100, {}},
      {"fits", {{0, 20}, {20, 40}}, 100, {{0, 40}}},
      {"exact fit", {{0, 50}, {50, 100}, {100, 150}}, 100, {{0, 100}, {100, 150}}},
      {"a line is never split",
       {{0, 30}, {30, 60}, {60, 90}, {90, 120}},
       100,
       {{0, 90}, {90, 120}}},
      {"tall line in slices",
       {{0, 20}, {20, 270}, {270, 290}},
       100,
       {{0, 20}, {20, 120}, {120, 220}, {220, 290}}},
      {"empty lines kept", {{0, 60}, {60, 60}, {60, 120}}, 100, {{0, 60}, {60, 120}}},
      {"zero height", {{0, 2}, {2, 4}}, 0, {{0, 1}, {1, 2}, {2, 3}, {3, 4}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RtfLayout::CutScreenfuls(c.lines, c.height), c.expected) << c.what;
  }
}

TEST(RtfLayoutTest, StyleNamesAndSpeed) {
  const char* entries[] = {"无",     "上进",   "下进",   "左进",  "右进",
                           "右下进", "左下进", "右上进", "左上进"};
  const char* exits[] = {"无",     "上出",   "下出",   "左出",  "右出",
                         "右下出", "左下出", "右上出", "左上出"};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(RtfLayout::EntryStyle(entries[i]), static_cast<RtfMotion>(i)) << entries[i];
    EXPECT_EQ(RtfLayout::ExitStyle(exits[i]), static_cast<RtfMotion>(i)) << exits[i];
  }
  for (const char* unknown : {"", "上", "上出", "飞入", "上进 "})
    EXPECT_EQ(RtfLayout::EntryStyle(unknown), RtfMotion::None) << unknown;
  EXPECT_EQ(RtfLayout::ExitStyle("上进"), RtfMotion::None);
  EXPECT_EQ(RtfLayout::StepMs(1), 100);
  EXPECT_EQ(RtfLayout::StepMs(100), 1);
  EXPECT_EQ(RtfLayout::StepMs(0), 100);
  EXPECT_EQ(RtfLayout::StepMs(500), 1);
}

// A 200 x 100 control, 10 ms a pixel, 1 s stay: mid-movement offsets of every style.
TEST(RtfLayoutTest, OffsetsAtMidMovement) {
  struct Case {
    const char* name;
    Point midEntry; // where the entering screenful is halfway through its move
    Point midExit;
    int steps;
  };
  const Case cases[] = {
      {"无", {0, 0}, {0, 0}, 0},
      {"上", {0, 50}, {0, -50}, 100},
      {"下", {0, -50}, {0, 50}, 100},
      {"左", {100, 0}, {-100, 0}, 200},
      {"右", {-100, 0}, {100, 0}, 200},
      {"右下", {-100, -50}, {100, 50}, 200},
      {"左下", {100, -50}, {-100, 50}, 200},
      {"右上", {-100, 50}, {100, -50}, 200},
      {"左上", {100, 50}, {-100, -50}, 200},
  };
  for (const Case& c : cases) {
    std::string base = c.name;
    RtfShowSettings s{200,
                      100,
                      RtfLayout::EntryStyle(base == "无" ? base : base + "进"),
                      RtfLayout::ExitStyle(base == "无" ? base : base + "出"),
                      10,
                      1000,
                      1};
    RtfLayout show({{0, 100}}, s);
    SCOPED_TRACE(base);
    ASSERT_EQ(show.EntrySteps(), c.steps);
    ASSERT_EQ(show.ExitSteps(), c.steps);
    const int64_t in = c.steps * 10;
    if (c.steps > 0) {
      RtfFrame f = show.At(in / 2);
      EXPECT_EQ(f.phase, RtfPhase::Entering);
      EXPECT_EQ(f.offset, c.midEntry);
      // Fully outside at the start: the entry covers the whole control.
      Point start = show.At(0).offset;
      EXPECT_EQ(std::abs(start.x) == 200 || std::abs(start.y) == 100, true);
      f = show.At(in + 1000 + in / 2);
      EXPECT_EQ(f.phase, RtfPhase::Leaving);
      EXPECT_EQ(f.offset, c.midExit);
    }
    EXPECT_EQ(show.At(in).phase, RtfPhase::Staying);
    EXPECT_EQ(show.At(in).offset, (Point{0, 0}));
    EXPECT_EQ(show.At(in + 999).phase, RtfPhase::Staying);
    EXPECT_EQ(show.At(2 * in + 1000 - 1).phase, c.steps ? RtfPhase::Leaving : RtfPhase::Staying);
    EXPECT_EQ(show.At(2 * in + 1000).phase, RtfPhase::Finished);
  }
}

TEST(RtfLayoutTest, RunsScreenfulsAndNextChange) {
  // Three screenfuls, "上进" 100 steps of 5 ms, 2 s stay, "无" exit, two runs.
  RtfShowSettings s{200, 100, RtfMotion::Up, RtfMotion::None, 5, 2000, 2};
  RtfLayout show({{0, 100}, {100, 200}, {200, 230}}, s);
  ASSERT_EQ(show.RunMs(), 3 * 2500);
  struct Probe {
    int64_t t;
    RtfPhase phase;
    int run;
    int screenful;
    Point offset;
    int64_t next;
  };
  const Probe probes[] = {
      {0, RtfPhase::Entering, 0, 0, {0, 100}, 5},
      {4, RtfPhase::Entering, 0, 0, {0, 100}, 5},
      {5, RtfPhase::Entering, 0, 0, {0, 99}, 10},
      {499, RtfPhase::Entering, 0, 0, {0, 1}, 500},
      {500, RtfPhase::Staying, 0, 0, {0, 0}, 2500},
      {2500, RtfPhase::Entering, 0, 1, {0, 100}, 2505},
      {7499, RtfPhase::Staying, 0, 2, {0, 0}, 7500},
      {7500, RtfPhase::Entering, 1, 0, {0, 100}, 7505},
      {14999, RtfPhase::Staying, 1, 2, {0, 0}, 15000},
      {15000, RtfPhase::Finished, 2, -1, {0, 0}, -1},
      {99999, RtfPhase::Finished, 2, -1, {0, 0}, -1},
  };
  for (const Probe& p : probes) {
    RtfFrame f = show.At(p.t);
    SCOPED_TRACE(p.t);
    EXPECT_EQ(f.phase, p.phase);
    EXPECT_EQ(f.run, p.run);
    EXPECT_EQ(f.screenful, p.screenful);
    EXPECT_EQ(f.offset, p.offset);
    EXPECT_EQ(show.NextChange(p.t), p.next);
  }

  s.runs = 0; // endless
  RtfLayout endless({{0, 100}}, s);
  EXPECT_EQ(endless.At(1000 * 2500 + 500).run, 1000);
  EXPECT_EQ(endless.At(1000 * 2500 + 500).phase, RtfPhase::Staying);
  // Nothing to show: a finite show is over at once, an endless one shows nothing and waits.
  EXPECT_EQ(RtfLayout({}, RtfShowSettings{}).At(0).phase, RtfPhase::Finished);
  EXPECT_EQ(RtfLayout({}, s).At(0).phase, RtfPhase::Idle);
  EXPECT_EQ(RtfLayout({}, s).NextChange(0), -1);
  // No stay and no motion, endless: the first screenful stays, no timer busy-loops.
  RtfLayout still({{0, 10}, {10, 20}},
                  RtfShowSettings{200, 100, RtfMotion::None, RtfMotion::None, 5, 0, 0});
  EXPECT_EQ(still.At(123).screenful, 0);
  EXPECT_EQ(still.NextChange(123), -1);
}

} // namespace
