#include "playlist/PowerOffTimer.h"

#include "base/DateTime.h"

PowerOffTimer::PowerOffTimer(Scheduler& scheduler, const LocalClock& clock,
                             const Settings& settings, PowerControl& power)
    : clock_(clock), settings_(settings), power_(power),
      timer_(scheduler, kPeriodMs, [this] { Tick(); }) {}

void PowerOffTimer::Tick() {
  // The stored time is a number of 7 significant digits (08:57:33 reads back as 08:57:32.99…):
  // it stands for the nearest second.
  const bool due =
      settings_.AutoClose && ClockSecondsOfDay(clock_.now()) == SecondsOfDay(settings_.CloseTime);
  if (due && !inCloseSecond_) power_.PowerOff();
  inCloseSecond_ = due;
}
