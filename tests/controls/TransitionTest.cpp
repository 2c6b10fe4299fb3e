#include <gtest/gtest.h>

#include "controls/Transition.h"

namespace {

using E = TransitionEffect;

TEST(TransitionTest, EffectNamesInOrderAndUnknownIsCut) {
  const char* names[] = {"无效果", "水平百叶窗", "垂直百叶窗", "中间向四周", "四周向中间",
                         "上移",   "下移",       "左移",       "右移",       "上拉",
                         "下拉",   "左拉",       "右拉",       "垂直放大",   "水平放大"};
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(TransitionEffectFromName(names[i]), static_cast<E>(i)) << names[i];
  }
  for (const char* unknown : {"", "fade", "左拉 ", "Random", "百叶窗"}) {
    EXPECT_EQ(TransitionEffectFromName(unknown), E::Cut) << unknown;
  }
}

TEST(TransitionTest, DurationFollowsSpeed) {
  struct Case {
    E effect;
    int speed;
    int64_t ms;
  } cases[] = {
      {E::WipeLeft, 1, 2000}, {E::WipeLeft, 50, 1020}, {E::BoxIn, 51, 1000},
      {E::MoveUp, 100, 20},   {E::MoveUp, 0, 2000},    {E::MoveUp, -5, 2000},
      {E::MoveUp, 101, 20},   {E::MoveUp, 32767, 20},  {E::Cut, 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TransitionDurationMs(c.effect, c.speed), c.ms) << c.speed;
  }
}

TEST(TransitionTest, GeometryAtMidpoint) {
  const Rect full{0, 0, 100, 60};
  struct Case {
    E effect;
    Rect target;
    std::vector<Rect> visible;
  } cases[] = {
      {E::Cut, full, {full}},
      {E::BoxOut, full, {{25, 15, 75, 45}}},
      {E::BoxIn, full, {{0, 0, 100, 15}, {0, 45, 100, 60}, {0, 15, 25, 45}, {75, 15, 100, 45}}},
      {E::MoveUp, {0, 30, 100, 90}, {{0, 30, 100, 60}}},
      {E::MoveDown, {0, -30, 100, 30}, {{0, 0, 100, 30}}},
      {E::MoveLeft, {50, 0, 150, 60}, {{50, 0, 100, 60}}},
      {E::MoveRight, {-50, 0, 50, 60}, {{0, 0, 50, 60}}},
      {E::WipeUp, full, {{0, 30, 100, 60}}},
      {E::WipeDown, full, {{0, 0, 100, 30}}},
      {E::WipeLeft, full, {{50, 0, 100, 60}}},
      {E::WipeRight, full, {{0, 0, 50, 60}}},
      {E::GrowVertical, {0, 15, 100, 45}, {{0, 15, 100, 45}}},
      {E::GrowHorizontal, {25, 0, 75, 60}, {{25, 0, 75, 60}}},
  };
  for (const Case& c : cases) {
    TransitionFrame f = TransitionGeometry(c.effect, 100, 60, 0.5);
    EXPECT_EQ(f.target, c.target) << static_cast<int>(c.effect);
    EXPECT_EQ(f.visible, c.visible) << static_cast<int>(c.effect);
  }
}

TEST(TransitionTest, BlindsOpenEverySlatAtOnce) {
  TransitionFrame h = TransitionGeometry(E::HorizontalBlinds, 100, 60, 0.5);
  TransitionFrame v = TransitionGeometry(E::VerticalBlinds, 100, 60, 0.5);
  ASSERT_EQ(h.visible.size(), 10u);
  ASSERT_EQ(v.visible.size(), 10u);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(h.visible[i], (Rect{0, 6 * i, 100, 6 * i + 3}));
    EXPECT_EQ(v.visible[i], (Rect{10 * i, 0, 10 * i + 5, 60}));
  }
}

int64_t VisibleArea(const TransitionFrame& f) {
  int64_t area = 0;
  for (const Rect& r : f.visible)
    area += int64_t{r.Width()} * r.Height();
  return area;
}

TEST(TransitionTest, StartShowsNothingEndShowsAll) {
  // Odd sizes catch slats or halves that leave a line uncovered at the end.
  const int w = 101, h = 67;
  for (int i = 1; i < 15; ++i) {
    E effect = static_cast<E>(i);
    TransitionFrame start = TransitionGeometry(effect, w, h, 0.0);
    TransitionFrame end = TransitionGeometry(effect, w, h, 1.0);
    EXPECT_EQ(VisibleArea(start), 0) << i;
    EXPECT_EQ(VisibleArea(end), int64_t{w} * h) << i;
    EXPECT_EQ(end.target, (Rect{0, 0, w, h})) << i;
    // Out-of-range progress is held to the ends.
    EXPECT_EQ(TransitionGeometry(effect, w, h, 7.0), end) << i;
    EXPECT_EQ(TransitionGeometry(effect, w, h, -1.0), start) << i;
  }
  EXPECT_TRUE(TransitionGeometry(E::WipeLeft, 0, 0, 0.5).visible.empty());
}

} // namespace
