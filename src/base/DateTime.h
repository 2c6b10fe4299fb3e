#pragma once

#include <cstdint>

// Date-time numbers: days since 1899-12-30 00:00 as a double, the fraction being the time of
// day. Dates before the epoch are negative; as in the OLE convention the fraction of a negative
// number still counts forward from midnight (-1.25 is 1899-12-29 06:00).

/// A broken-down local date and time.
struct DateTimeParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const DateTimeParts&, const DateTimeParts&) = default;
};

/// The date-time number of a date and time; the time fields may run over (61 minutes).
double ToDateTimeNumber(const DateTimeParts& parts);
/// The date-time number of a date at midnight.
double ToDateTimeNumber(int year, int month, int day);
/// Breaks a date-time number into its parts, rounded to the nearest millisecond.
DateTimeParts FromDateTimeNumber(double value);
/// Weekday of a date-time number: 0 = Sunday … 6 = Saturday.
int WeekdayOf(double value);
/// The time of day of a date-time number, in whole seconds since midnight (0 … 86399),
/// rounded to the nearest second.
int SecondsOfDay(double value);
/// The time of day of a date-time number as a clock shows it: whole seconds since midnight
/// (0 … 86399) of the parts FromDateTimeNumber gives, the milliseconds cut off.
int ClockSecondsOfDay(double value);
/// Days since 1899-12-30 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int year, int month, int day);
/// Number of days in a month of a year.
int DaysInMonth(int year, int month);
