#include "base/DateTime.h"

#include <cmath>

namespace {

// Days of the 1899-12-30 epoch counted from 1970-01-01.
constexpr int64_t kEpochOffset = -25569;

// Howard Hinnant's civil-from-days, on days since 1970-01-01.
void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = yoe + era * 400;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

int64_t DaysFrom1970(int year, int month, int day) {
  const int64_t y = static_cast<int64_t>(year) - (month <= 2);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// Splits a date-time number into whole days and milliseconds of the day. Negative numbers
// keep their fraction as a forward time of day.
void Split(double value, int64_t& days, int64_t& msOfDay) {
  double whole = std::trunc(value);
  double fraction = std::fabs(value - whole);
  int64_t ms = static_cast<int64_t>(std::llround(fraction * 86400000.0));
  days = static_cast<int64_t>(whole);
  if (ms >= 86400000) {
    ms -= 86400000;
    days += value < 0 ? -1 : 1;
  }
  msOfDay = ms;
}

} // namespace

int64_t DaysFromCivil(int year, int month, int day) {
  return DaysFrom1970(year, month, day) - kEpochOffset;
}

double ToDateTimeNumber(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day));
}

double ToDateTimeNumber(const DateTimeParts& p) {
  double days = static_cast<double>(DaysFromCivil(p.year, p.month, p.day));
  double fraction =
      (p.hour * 3600000.0 + p.minute * 60000.0 + p.second * 1000.0 + p.millisecond) / 86400000.0;
  // The fraction counts forward from midnight on either side of the epoch.
  return days >= 0 ? days + fraction : days - fraction;
}

DateTimeParts FromDateTimeNumber(double value) {
  DateTimeParts p;
  if (!std::isfinite(value)) return p;
  int64_t days, ms;
  Split(value, days, ms);
  CivilFromDays(days + kEpochOffset, p.year, p.month, p.day);
  p.hour = static_cast<int>(ms / 3600000);
  p.minute = static_cast<int>(ms / 60000 % 60);
  p.second = static_cast<int>(ms / 1000 % 60);
  p.millisecond = static_cast<int>(ms % 1000);
  return p;
}

int WeekdayOf(double value) {
  if (!std::isfinite(value)) return 6;
  int64_t days, ms;
  Split(value, days, ms);
  // 1899-12-30 was a Saturday.
  int64_t w = (days + 6) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

int SecondsOfDay(double value) {
  if (!std::isfinite(value)) return 0;
  int64_t days, ms;
  Split(value, days, ms);
  int64_t s = (ms + 500) / 1000;
  return static_cast<int>(s >= 86400 ? s - 86400 : s);
}

int ClockSecondsOfDay(double value) {
  const DateTimeParts p = FromDateTimeNumber(value);
  return p.hour * 3600 + p.minute * 60 + p.second;
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}
