#include "clock/DialGeometry.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979;
} // namespace

DialPointF DialPoint(const DialFrame& frame, double value, double full, double r) {
  const double theta = (value / full * 360.0 - 90.0) * kPi / 180.0;
  return DialPointF{frame.centreX + r * std::cos(theta), frame.centreY + r * std::sin(theta)};
}

DialHands ComputeHands(const DialFrame& frame, const ClockTime& time, int minuteTurn) {
  const double r = frame.radius;
  const double t = time.hour * 3600.0 + time.minute * 60.0 + time.second;
  const double tm = time.minute * 60.0 + time.second;
  const double ts = time.second;
  const double f = minuteTurn * 60.0;
  DialHands hands;
  hands.hour = {DialPoint(frame, t, 43200, 0.5 * r), DialPoint(frame, t + 2500, 43200, 0.1 * r),
                DialPoint(frame, t - 2500, 43200, 0.1 * r)};
  hands.minute = {DialPoint(frame, tm, f, 0.7 * r), DialPoint(frame, tm + minuteTurn, f, 0.2 * r),
                  DialPoint(frame, tm - minuteTurn, f, 0.2 * r)};
  hands.second = {DialPoint(frame, ts, 60, 0.9 * r), DialPoint(frame, ts + 1, 60, 0.2 * r),
                  DialPoint(frame, ts - 1, 60, 0.2 * r)};
  return hands;
}

double CountdownArcEnd(double elapsedSeconds, double totalSeconds) {
  const double fraction = elapsedSeconds / totalSeconds;
  double end = 2.5 - 2.0 * fraction;
  if (end > 2.0) end -= 2.0;
  return end;
}
