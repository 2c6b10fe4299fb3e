#pragma once

#include "clock/ClockText.h"

// Geometry of the drawn dial in the clock's 200 × 200 drawing scale (y grows downwards). The
// control maps the scale onto its pixels; everything here is plain arithmetic and testable.

/// A point in the drawing scale.
struct DialPointF {
  double x = 0;
  double y = 0;
};

/// Centre and radius of the dial in the drawing scale.
struct DialFrame {
  double centreX = 100;
  double centreY = 100;
  float radius = 99;
};

/// The point at `value` of `full` on a circle of radius `r` about the centre: 0 lies at
/// 12 o'clock and values advance clockwise. Non-finite when `full` is 0.
DialPointF DialPoint(const DialFrame& frame, double value, double full, double r);

/// One hand: its tip and the two base points beside the centre.
struct HandShape {
  DialPointF tip;
  DialPointF base1;
  DialPointF base2;
};

/// The three hands of a time. `minuteTurn` is the minutes of one turn of the minute hand
/// (60 for the clock, the countdown length for the countdown dial).
struct DialHands {
  HandShape hour;
  HandShape minute;
  HandShape second;
};

/// The hands for a shown time (see DialPoint for the angles).
DialHands ComputeHands(const DialFrame& frame, const ClockTime& time, int minuteTurn);

/// The countdown arc on the dial, as angles in units of π measured counter-clockwise from
/// 3 o'clock: it runs from 0.5 (12 o'clock) counter-clockwise to `end`, covering the remaining
/// fraction of the countdown; end = 0.5 or 2.5 (the same angle) is the full ring.
double CountdownArcEnd(double elapsedSeconds, double totalSeconds);
