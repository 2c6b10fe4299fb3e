#include "playlist/PowerOffTimer.h"

#include "model/DateTime.h"

namespace {

// Hours, minutes and seconds of a date-time number as seconds since midnight; the date part
// and the fraction of the second do not count.
int32_t SecondOfDay(double dateTime) {
  DateTimeParts p = FromDateTimeNumber(dateTime);
  return p.hour * 3600 + p.minute * 60 + p.second;
}

} // namespace

PowerOffTimer::PowerOffTimer(Scheduler& scheduler, const LocalClock& clock,
                             const Settings& settings, PowerControl& power)
    : clock_(clock), settings_(settings), power_(power),
      timer_(scheduler, kPeriodMs, [this] { Tick(); }) {}

void PowerOffTimer::Tick() {
  bool due = settings_.AutoClose && SecondOfDay(clock_.now()) == SecondOfDay(settings_.CloseTime);
  if (due && !inCloseSecond_) power_.PowerOff();
  inCloseSecond_ = due;
}
