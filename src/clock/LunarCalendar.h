#pragma once

#include <optional>
#include <string>

/// A date of the Chinese lunar calendar.
struct LunarDate {
  int year = 0;      ///< the Gregorian year in which the lunar year begins
  int month = 0;     ///< 1 … 12
  bool leap = false; ///< true in the leap month that repeats `month`
  int day = 0;       ///< 1 … 30
  friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

/// The lunar date of a Gregorian date; nullopt outside the table (1900-01-31 to the end of the
/// lunar year 2100) or for an invalid date.
std::optional<LunarDate> ToLunarDate(int year, int month, int day);

/// Sexagenary name of a lunar year with "年" ("辛巳年" for 2001).
std::string LunarYearName(int year);
/// Name of a lunar month: "正月" … "十二月", with "闰" before a leap month.
std::string LunarMonthName(int month, bool leap);
/// Name of a lunar day: "初一" … "三十"; "" outside 1 … 30.
std::string LunarDayName(int day);
