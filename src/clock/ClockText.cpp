#include "clock/ClockText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "clock/LunarCalendar.h"
#include "base/DateTime.h"
#include "base/NumberFormat.h"

namespace {

const char* const kChineseWeekdays[] = {"星期日", "星期一", "星期二", "星期三",
                                        "星期四", "星期五", "星期六"};
const char* const kEnglishWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};

// Selectors (time, date, weekday) of the text styles 4 … 23, in style order.
const TextSelectors kTextStyles[] = {
    {1, 0, 0}, {1, 1, 0}, {1, 2, 0}, {1, 1, 1}, {1, 1, 2}, {1, 1, 3}, {1, 2, 1},
    {1, 2, 2}, {1, 2, 3}, {0, 1, 1}, {0, 1, 2}, {0, 1, 3}, {0, 2, 1}, {0, 2, 2},
    {0, 2, 3}, {0, 1, 0}, {0, 2, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3},
};

// The clock pads a number below 10 with one "0": 7 → "07", but also -3 → "0-3".
std::string PadBelowTen(int value) {
  std::string text = FormatInt(value);
  return value < 10 ? "0" + text : text;
}

// The countdown pads by length instead: only a one-character text gets its "0".
std::string PadOneCharacter(int value) {
  std::string text = FormatInt(value);
  return text.size() == 1 ? "0" + text : text;
}

std::string TwoDigits(int value) {
  std::string text = FormatInt(value);
  return text.size() < 2 ? "0" + text : text;
}

} // namespace

std::optional<TextSelectors> SelectorsOfStyle(int style) {
  if (style < kStyleFirstText || style > kStyleLastText) return std::nullopt;
  return kTextStyles[style - kStyleFirstText];
}

ClockTime TimeOfDay(double dateTime) {
  DateTimeParts p = FromDateTimeNumber(dateTime);
  return ClockTime{p.hour, p.minute, p.second};
}

ClockTime ApplyRetouch(const ClockTime& sample, const ClockRetouch& retouch) {
  ClockTime shown{sample.hour + retouch.hour, sample.minute + retouch.minute,
                  sample.second + retouch.second};
  if (shown.hour >= 12) shown.hour %= 12;
  if (shown.minute >= 60) shown.minute %= 60;
  if (shown.second >= 60) shown.second %= 60;
  return shown;
}

std::string CountdownText(int totalMinutes, int elapsedMinutes, int elapsedSeconds) {
  return PadOneCharacter(totalMinutes - elapsedMinutes - 1) + ":" +
         PadOneCharacter(60 - elapsedSeconds);
}

std::string NumericDateText(double dateTime) {
  DateTimeParts p = FromDateTimeNumber(dateTime);
  return TwoDigits(p.month) + "-" + TwoDigits(p.day) + "-" + FormatInt(p.year);
}

std::string ChineseDateText(double dateTime) {
  DateTimeParts p = FromDateTimeNumber(dateTime);
  return FormatInt(p.year) + "年" + FormatInt(p.month) + "月" + FormatInt(p.day) + "日";
}

std::string WeekdayText(int selector, int weekday) {
  if (weekday < 0 || weekday > 6) return std::string();
  switch (selector) {
  case 1: return FormatInt(weekday);
  case 2: return kChineseWeekdays[weekday];
  case 3: return kEnglishWeekdays[weekday];
  default: return std::string();
  }
}

std::string DateTimeText(const TextSelectors& selectors, double now, const ClockTime& sample,
                         const ClockRetouch& retouch) {
  const ClockTime shown = ApplyRetouch(sample, retouch);
  std::string time;
  if (selectors.time == 1) {
    // The hour text is the clock's own hour plus the offset, without the 12-hour wrap the
    // dial uses: 22:00 with an offset of 3 reads "25".
    const int hour = TimeOfDay(now).hour + retouch.hour;
    time = PadBelowTen(hour) + ":" + PadBelowTen(shown.minute) + ":" + PadBelowTen(shown.second);
  }
  std::string date;
  if (selectors.date == 1) date = NumericDateText(now);
  if (selectors.date == 2) date = ChineseDateText(now);
  const std::string weekday = WeekdayText(selectors.weekday, WeekdayOf(now));
  return date + " " + weekday + " " + time;
}

int64_t DayCount(double target, double now) {
  const double days = std::fabs(target - now);
  // Beyond 2^53 every double is a whole number already; beyond int64 the count saturates.
  if (!(days < 9.2e18)) return std::numeric_limits<int64_t>::max();
  double whole = std::floor(days);
  const double rest = days - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int64_t>(whole);
}

std::string DayCounterText(const std::string& pre, double target, double now,
                           const std::string& post) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, DayCount(target, now));
  return pre + std::string(buffer, result.ptr) + post;
}

std::string LunarDateText(int year, int month, int day) {
  std::optional<LunarDate> date = ToLunarDate(year, month, day);
  if (!date) return std::string();
  return LunarYearName(date->year) + LunarMonthName(date->month, date->leap) +
         LunarDayName(date->day);
}
