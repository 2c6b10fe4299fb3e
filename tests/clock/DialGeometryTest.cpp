#include <gtest/gtest.h>

#include <cmath>

#include "clock/DialGeometry.h"

namespace {

TEST(DialGeometry, PointsHandsAndArc) {
  const DialFrame frame;
  const struct {
    double value, full, r, x, y;
  } points[] = {
      {0, 60, 99, 100, 1},  {15, 60, 99, 199, 100},           {30, 60, 99, 100, 199},
      {45, 60, 99, 1, 100}, {10800, 43200, 49.5, 149.5, 100},
  };
  for (const auto& p : points) {
    const DialPointF got = DialPoint(frame, p.value, p.full, p.r);
    EXPECT_NEAR(got.x, p.x, 1e-9) << p.value << "/" << p.full;
    EXPECT_NEAR(got.y, p.y, 1e-9) << p.value << "/" << p.full;
  }
  // 3:00:00 on the clock: hour hand to the right, minute and second hands up.
  const DialHands hands = ComputeHands(frame, {3, 0, 0}, 60);
  EXPECT_NEAR(hands.hour.tip.x, 149.5, 1e-9);
  EXPECT_NEAR(hands.minute.tip.y, 100 - 0.7 * 99, 1e-9);
  EXPECT_NEAR(hands.second.tip.y, 100 - 0.9 * 99, 1e-9);
  // The minute hand's bases sit TotalTime seconds either side of its value.
  EXPECT_NEAR(hands.minute.base1.x, DialPoint(frame, 60, 3600, 0.2 * 99).x, 1e-12);
  // A countdown of length 0 cannot place its minute hand.
  EXPECT_FALSE(std::isfinite(ComputeHands(frame, {0, 0, 0}, 0).minute.tip.x));

  // The countdown arc runs from 12 o'clock to an end that leaves the remaining fraction.
  EXPECT_DOUBLE_EQ(CountdownArcEnd(0, 120), 0.5);  // full ring
  EXPECT_DOUBLE_EQ(CountdownArcEnd(30, 120), 2.0); // three quarters left
  EXPECT_DOUBLE_EQ(CountdownArcEnd(60, 120), 1.5); // half left
  EXPECT_DOUBLE_EQ(CountdownArcEnd(90, 120), 1.0); // a quarter left
}

} // namespace
