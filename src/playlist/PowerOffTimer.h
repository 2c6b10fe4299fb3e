#pragma once

#include <cstdint>

#include "settings/Settings.h"
#include "base/LocalClock.h"
#include "base/PowerControl.h"
#include "playlist/RepeatingTimer.h"

/// The page list's timer 2: every 500 ms, when the setting "AutoClose" is on, the local time of
/// day is compared with the time of day of "CloseTime" to the second; when they are equal the
/// computer is powered off. The power-off is asked once per matching second, although the timer
/// sees each second twice.
class PowerOffTimer {
public:
  /// Period of the timer, milliseconds.
  static constexpr int64_t kPeriodMs = 500;

  /// A stopped timer reading the live `settings` (AutoClose, CloseTime).
  PowerOffTimer(Scheduler& scheduler, const LocalClock& clock, const Settings& settings,
                PowerControl& power);

  /// Starts the timer (the page list does so when it is created).
  void Start() { timer_.Start(); }
  /// Stops the timer.
  void Stop() { timer_.Stop(); }
  /// One tick of the timer: powers off when the time has come.
  void Tick();

private:
  const LocalClock& clock_;
  const Settings& settings_;
  PowerControl& power_;
  bool inCloseSecond_ = false;
  RepeatingTimer timer_;
};
