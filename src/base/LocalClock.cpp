#include "base/LocalClock.h"

#include <chrono>
#include <ctime>

double SystemLocalClock::now() const {
  using namespace std::chrono;
  auto t = system_clock::now();
  std::time_t secs = system_clock::to_time_t(t);
  auto ms = duration_cast<milliseconds>(t.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&secs, &local);
  DateTimeParts p;
  p.year = local.tm_year + 1900;
  p.month = local.tm_mon + 1;
  p.day = local.tm_mday;
  p.hour = local.tm_hour;
  p.minute = local.tm_min;
  p.second = local.tm_sec;
  p.millisecond = static_cast<int>(ms < 0 ? ms + 1000 : ms);
  return ToDateTimeNumber(p);
}
