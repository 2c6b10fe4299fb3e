#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The texts the clock control shows, without a window: the countdown digits, the date-time
// text styles, the day counter and the lunar date. The control feeds them the local date-time
// number it reads from its LocalClock, so every caption is testable with a fixed time.

/// Hour, minute and second of one tick as the clock holds them (any values: offsets may push
/// them out of their usual ranges).
struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

/// The user's offsets to the shown time (RetouchHour, RetouchMinute, RetouchSecond).
struct ClockRetouch {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

/// What one text style shows: time (0 none, 1 HH:MM:SS), date (0 none, 1 numeric, 2 Chinese)
/// and weekday (0 none, 1 number, 2 Chinese, 3 English).
struct TextSelectors {
  int time = 0;
  int date = 0;
  int weekday = 0;
  friend bool operator==(const TextSelectors&, const TextSelectors&) = default;
};

/// Display styles with a meaning of their own (the text styles are 4 to 23).
enum ClockStyle : int {
  kStyleCountdownDial = 0,
  kStyleCountdownText = 1,
  kStyleDial = 2,
  kStyleDialDate = 3,
  kStyleFirstText = 4,
  kStyleLastText = 23,
  kStyleDayCounter = 24,
  kStyleLunar = 25,
};

/// The selectors of a text style 4–23; nullopt for every other style.
std::optional<TextSelectors> SelectorsOfStyle(int style);

/// The hour, minute and second of a local date-time number (the sample a tick takes).
ClockTime TimeOfDay(double dateTime);

/// The shown time: each field plus its offset on its own (no carry); the hour is reduced
/// modulo 12 when it is 12 or more, minute and second modulo 60 when 60 or more, and negative
/// results stay negative.
ClockTime ApplyRetouch(const ClockTime& sample, const ClockRetouch& retouch);

/// The countdown caption "MM:SS": minutes = total − elapsed minutes − 1, seconds = 60 −
/// elapsed seconds, each given a leading "0" when it is one character long ("00:60", "-1:59").
std::string CountdownText(int totalMinutes, int elapsedMinutes, int elapsedSeconds);

/// The date as MM-DD-YYYY ("01-29-2006").
std::string NumericDateText(double dateTime);
/// The date as year 年 month 月 day 日 without padding ("2006年1月29日").
std::string ChineseDateText(double dateTime);
/// The weekday (0 = Sunday … 6 = Saturday) as selector 1 (one digit), 2 (Chinese name) or
/// 3 (English name); "" for selector 0 or another value.
std::string WeekdayText(int selector, int weekday);

/// The caption of a text style: date " " weekday " " time, the spaces always present. The
/// time part is the clock hour of `now` plus the hour offset (not wrapped) and the shown minute
/// and second of `sample`, each with a leading "0" when below 10.
std::string DateTimeText(const TextSelectors& selectors, double now, const ClockTime& sample,
                         const ClockRetouch& retouch);

/// Whole days between two date-times: |target − now| rounded to the nearest integer, halves to
/// the even neighbour. Non-finite or huge differences saturate at the largest int64.
int64_t DayCount(double target, double now);
/// The day counter caption: `pre` + DayCount + `post` ("还有1天").
std::string DayCounterText(const std::string& pre, double target, double now,
                           const std::string& post);

/// The lunar caption of a Gregorian date: the sexagenary year name, the month name ("闰" before
/// a leap month) and the day name, e.g. "辛巳年闰四月初一" for 2001-05-23. "" when the date lies
/// outside the calendar table (before 1900-01-31 or after the lunar year 2100).
std::string LunarDateText(int year, int month, int day);
