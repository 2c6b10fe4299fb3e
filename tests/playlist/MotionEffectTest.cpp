#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "playlist/MotionEffect.h"

namespace {

// Play surface 100 × 80 for every case.
constexpr int32_t kPW = 100;
constexpr int32_t kPH = 80;
// W 20, H 10, a 0.5, centre (20, 25).
constexpr Rect kR{10, 20, 30, 30};
// W 30, H 7: quotients such as 27 / 40 = 0.675 that leave fractions to cut.
constexpr Rect kR2{10, 20, 40, 27};

std::string Str(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::vector<Rect> InSteps(MotionEffect& fx) {
  std::vector<Rect> steps;
  while (fx.StepIn())
    steps.push_back(fx.Current());
  return steps;
}

std::vector<Rect> OutSteps(MotionEffect& fx) {
  std::vector<Rect> steps;
  while (fx.StepOut())
    steps.push_back(fx.Current());
  return steps;
}

struct InCase {
  int32_t style;
  Rect design;
  Rect start;
  size_t count;
  std::map<size_t, Rect> at; // step index (0 = first step) → M after that step
};

// Worked out by hand from the tables of the in effects.
const InCase kInCases[] = {
    {0, kR, kR, 0, {}},
    {1, kR, {10, 80, 30, 90}, 60, {{0, {10, 79, 30, 89}}, {59, kR}}},
    {2, kR, {10, -10, 30, 0}, 30, {{0, {10, -9, 30, 1}}, {29, kR}}},
    {3, kR, {100, 20, 120, 30}, 90, {{0, {99, 20, 119, 30}}, {89, kR}}},
    {4, kR, {-20, 20, 0, 30}, 30, {{0, {-19, 20, 1, 30}}, {29, kR}}},
    // q = 27 / 40 in single precision; v from 0 to Rt, so the effect ends one pixel right of L.
    {5,
     kR2,
     {-30, -7, 0, 0},
     41,
     {{0, {-29, -7, 1, 0}},
      {3, {-26, -4, 4, 3}},  // 3 × 0.675 - 7 = -4.975, cut to -4
      {10, {-19, 0, 11, 7}}, // 10 × 0.675 - 7 = -0.25, cut to 0
      {40, {11, 20, 41, 27}}}},
    {6,
     kR,
     {-20, 80, 0, 90},
     31,
     {{0, {-19, 80, 1, 90}}, {7, {-12, 66, 8, 76}}, {30, {11, 20, 31, 30}}}},
    // q = 30 / 90: 1 × q - 10 = -9.67, cut to -9.
    {7, kR, {100, -10, 120, 0}, 90, {{0, {99, -9, 119, 1}}, {44, {55, 5, 75, 15}}, {89, kR}}},
    // q = 60 / 90: 80 - 1 × q = 79.33, cut to 79.
    {8, kR, {100, 80, 120, 90}, 90, {{0, {99, 79, 119, 89}}, {89, kR}}},
    // v from 0 while v < Rt - c = 10; mt = 25 - v × 0.5, mb = 25 + v × 0.5.
    {9,
     kR,
     {19, 24, 21, 26},
     10,
     {{0, {18, 25, 22, 25}}, {1, {17, 24, 23, 25}}, {3, {15, 23, 25, 26}}, {9, {9, 20, 31, 29}}}},
    {10, kR, {10, 24, 30, 26}, 4, {{0, {10, 23, 30, 27}}, {3, kR}}},
    {11, kR, {19, 20, 21, 30}, 9, {{0, {18, 20, 22, 30}}, {8, kR}}},
    {12, kR, {10, 30, 30, 30}, 10, {{0, {10, 29, 30, 30}}, {9, kR}}},
    {13, kR, {10, 20, 30, 20}, 10, {{0, {10, 20, 30, 21}}, {9, kR}}},
    {14, kR, {30, 20, 31, 30}, 20, {{0, {29, 20, 31, 30}}, {19, {10, 20, 31, 30}}}},
    {15, kR, {10, 20, 11, 30}, 19, {{0, {10, 20, 12, 30}}, {18, kR}}},
    {16, kR, {29, 29, 30, 30}, 20, {{0, {29, 29, 30, 30}}, {2, {27, 28, 30, 30}}, {19, kR}}},
    {17, kR, {29, 20, 30, 21}, 20, {{0, {29, 20, 30, 20}}, {2, {27, 20, 30, 21}}, {19, kR}}},
    {18, kR, {10, 29, 11, 30}, 20, {{0, {10, 29, 11, 30}}, {2, {10, 28, 13, 30}}, {19, kR}}},
    {19, kR, {10, 20, 11, 21}, 20, {{0, {10, 20, 11, 20}}, {2, {10, 20, 13, 21}}, {19, kR}}},
};

TEST(MotionEffectTest, InEffectsStartAndStepAsTheTablesSay) {
  for (const InCase& c : kInCases) {
    SCOPED_TRACE("in style " + std::to_string(c.style));
    MotionEffect fx(c.design, kPW, kPH);
    ASSERT_TRUE(fx.BeginIn(c.style));
    EXPECT_EQ(Str(fx.Current()), Str(c.start));
    std::vector<Rect> steps = InSteps(fx);
    ASSERT_EQ(steps.size(), c.count);
    for (const auto& [index, rect] : c.at)
      EXPECT_EQ(Str(steps[index]), Str(rect)) << index;
    EXPECT_FALSE(fx.StepOut()) << "no out step before BeginOut";
  }
}

struct OutCase {
  int32_t inStyle; // leaves M where the out effect starts
  int32_t style;
  Rect design;
  size_t count;
  std::map<size_t, Rect> at;
};

// Worked out by hand from the tables of the out effects.
const OutCase kOutCases[] = {
    {0, 0, kR, 0, {}},
    {0, 1, kR, 30, {{0, {10, 19, 30, 29}}, {29, {10, -10, 30, 0}}}},
    {0, 2, kR, 60, {{59, {10, 80, 30, 90}}}},
    {0, 3, kR, 30, {{29, {-20, 20, 0, 30}}}},
    {0, 4, kR, 90, {{89, {100, 20, 120, 30}}}},
    // q = B / Rt = 1; v from 1 while v < Rt.
    {0, 5, kR, 29, {{0, {9, 19, 29, 29}}, {28, {-19, -9, 1, 1}}}},
    {0, 6, kR, 29, {{0, {9, 22, 29, 32}}, {28, {-19, 78, 1, 88}}}},
    // q = 27 / 90 = 0.3: 20 - 2 × 0.3 = 19.4, cut to 19; 20 - 89 × 0.3 = -6.7, cut to -6.
    {0, 7, kR2, 89, {{0, {11, 19, 41, 26}}, {1, {12, 19, 42, 26}}, {88, {99, -6, 129, 1}}}},
    // q = 60 / 90: 20 + 89 × q = 79.33, cut to 79.
    {0, 8, kR, 89, {{0, {11, 20, 31, 30}}, {88, {99, 79, 119, 89}}}},
    // v from 2 while v < Rt - c = 10.
    {0, 9, kR, 8, {{0, {11, 21, 29, 29}}, {1, {12, 21, 28, 28}}, {7, {18, 24, 22, 25}}}},
    {0, 10, kR, 4, {{0, {10, 21, 30, 29}}, {3, {10, 24, 30, 26}}}},
    {0, 11, kR, 9, {{8, {19, 20, 21, 30}}}},
    {0, 12, kR, 9, {{8, {10, 20, 30, 21}}}},
    {0, 13, kR, 9, {{8, {10, 29, 30, 30}}}},
    {0, 14, kR, 19, {{18, {10, 20, 11, 30}}}},
    {0, 15, kR, 19, {{18, {29, 20, 30, 30}}}},
    {0, 16, kR, 19, {{0, {10, 20, 29, 29}}, {18, {10, 20, 11, 20}}}},
    {0, 17, kR, 19, {{0, {10, 20, 29, 30}}, {18, {10, 29, 11, 30}}}},
    {0, 18, kR, 19, {{0, {11, 20, 30, 29}}, {18, {29, 20, 30, 20}}}},
    {0, 19, kR, 19, {{0, {11, 20, 30, 30}}, {18, {29, 29, 30, 30}}}},
    // The out effect starts from M as the zoom left it (one pixel wider, one lower).
    {9, 1, kR, 29, {{0, {9, 19, 31, 28}}, {28, {9, -9, 31, 0}}}},
    // After in style 14 M keeps its right edge at Rt + 1.
    {14, 15, kR, 19, {{18, {29, 20, 31, 30}}}},
};

TEST(MotionEffectTest, OutEffectsStepFromWhereTheInEffectLeftM) {
  for (const OutCase& c : kOutCases) {
    SCOPED_TRACE("in style " + std::to_string(c.inStyle) + ", out style " +
                 std::to_string(c.style));
    MotionEffect fx(c.design, kPW, kPH);
    ASSERT_TRUE(fx.BeginIn(c.inStyle));
    InSteps(fx);
    fx.BeginOut(c.style);
    EXPECT_FALSE(fx.StepIn()) << "no in step after BeginOut";
    std::vector<Rect> steps = OutSteps(fx);
    ASSERT_EQ(steps.size(), c.count);
    for (const auto& [index, rect] : c.at)
      EXPECT_EQ(Str(steps[index]), Str(rect)) << index;
  }
}

TEST(MotionEffectTest, UnknownStylesLeaveTheWindowWhereItIs) {
  for (int32_t style : {-1, 20, 1000}) {
    MotionEffect fx(kR, kPW, kPH);
    EXPECT_FALSE(fx.BeginIn(style));
    EXPECT_EQ(fx.Current(), kR);
    EXPECT_FALSE(fx.StepIn());
    fx.BeginOut(style);
    EXPECT_FALSE(fx.StepOut());
    EXPECT_EQ(fx.Current(), kR);
  }
}

TEST(MotionEffectTest, DegenerateRectanglesGiveFiniteRectangles) {
  // Right edge on the surface's left edge: the quotient's divisor L + W is 0.
  MotionEffect fx(Rect{-20, 10, 0, 20}, kPW, kPH);
  ASSERT_TRUE(fx.BeginIn(5));
  std::vector<Rect> steps = InSteps(fx);
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(Str(steps[0]), Str({-19, -10, 1, 0}));

  // Zero width: the zooms and diagonal pulls have no steps.
  for (int32_t style : {9, 16, 17, 18, 19}) {
    MotionEffect flat(Rect{40, 10, 40, 30}, kPW, kPH);
    ASSERT_TRUE(flat.BeginIn(style));
    EXPECT_TRUE(InSteps(flat).empty()) << style;
    flat.BeginOut(style);
    EXPECT_TRUE(OutSteps(flat).empty()) << style;
  }
}

TEST(MotionEffectTest, EffectNamesAndWhoMovesTheWindow) {
  EXPECT_STREQ(InEffectName(0), "无");
  EXPECT_STREQ(InEffectName(5), "从左上进");
  EXPECT_STREQ(InEffectName(9), "放大");
  EXPECT_STREQ(InEffectName(19), "向右下拉进");
  EXPECT_STREQ(OutEffectName(0), "无");
  EXPECT_STREQ(OutEffectName(5), "向左上出");
  EXPECT_STREQ(OutEffectName(11), "水平缩小");
  EXPECT_STREQ(OutEffectName(19), "向右下拉出");
  EXPECT_STREQ(InEffectName(20), "");
  EXPECT_STREQ(OutEffectName(-1), "");
  EXPECT_FALSE(MotionEffect::MovesDirectly(0));
  EXPECT_TRUE(MotionEffect::MovesDirectly(1));
  EXPECT_TRUE(MotionEffect::MovesDirectly(8));
  EXPECT_FALSE(MotionEffect::MovesDirectly(9));
  EXPECT_FALSE(MotionEffect::MovesDirectly(19));
}

} // namespace
