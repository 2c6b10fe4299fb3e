#pragma once

#include <cstdint>

#include "base/Rect.h"

/// Number of in and out effect styles (0 = none, 1 to 19 move the window).
inline constexpr int32_t kMotionStyleCount = 20;

/// Entry effect name of an in style ("无", "向上进", …); "" outside 0–19.
const char* InEffectName(int32_t style);
/// Exit effect name of an out style ("无", "向上出", …); "" outside 0–19.
const char* OutEffectName(int32_t style);

/// The geometry of the in and out effects of one object: the rectangle M its window is moved to,
/// step by step. R is the design rectangle, PW × PH the screen window's client size. Integer
/// centres; quotients in single precision; fractions cut toward zero.
///
///     MotionEffect fx(R, PW, PH);
///     if (fx.BeginIn(inStyle)) { show at fx.Current(); while (fx.StepIn()) move to fx.Current(); }
///     fx.BeginOut(outStyle);   while (fx.StepOut()) move to fx.Current();
class MotionEffect {
public:
  /// Geometry for the design rectangle `design` on a screen window of the given client size.
  MotionEffect(const Rect& design, int32_t screenWidth, int32_t screenHeight);

  /// Puts M at the starting rectangle of in style `style`. False for a style outside 0–19:
  /// then M stays at R and the in effect has no steps.
  bool BeginIn(int32_t style);
  /// Makes the next step of the in effect; false (M unchanged) when the effect has ended.
  bool StepIn();
  /// Starts out style `style` from M as the in effect left it; outside 1–19 it has no steps.
  void BeginOut(int32_t style);
  /// Makes the next step of the out effect; false (M unchanged) when the effect has ended.
  bool StepOut();

  /// The rectangle M.
  const Rect& Current() const { return m_; }
  /// True for styles 1 to 8, whose moves the motion task makes itself; styles 9 to 19 move the
  /// window through the page list's move request.
  static bool MovesDirectly(int32_t style) { return style >= 1 && style <= 8; }

private:
  bool Step();

  Rect r_;
  int32_t pw_;
  int32_t ph_;
  int32_t w_;
  int32_t h_;
  float a_;    // H / W
  int32_t cx_; // (L + Rt) / 2
  int32_t cy_; // (T + B) / 2
  bool in_ = true;
  int32_t style_ = 0;
  int32_t v_ = 0;
  float q_ = 0; // quotient of styles 5 to 8, computed once per effect
  Rect m_;
};
