#include <gtest/gtest.h>

#include <string>

#include "clock/ClockText.h"
#include "base/DateTime.h"

namespace {

double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  DateTimeParts p;
  p.year = y;
  p.month = mo;
  p.day = d;
  p.hour = h;
  p.minute = mi;
  p.second = s;
  return ToDateTimeNumber(p);
}

// The text pass of a style at a moment, with the tick's sample taken at that moment.
std::string Caption(int style, double now, ClockRetouch retouch = {}) {
  return DateTimeText(*SelectorsOfStyle(style), now, TimeOfDay(now), retouch);
}

TEST(ClockText, EveryTextStyleCaption) {
  const double now = At(2006, 1, 29, 9, 5, 7); // a Sunday
  const struct {
    int style;
    const char* caption;
  } cases[] = {
      {4, "  09:05:07"},
      {5, "01-29-2006  09:05:07"},
      {6, "2006年1月29日  09:05:07"},
      {7, "01-29-2006 0 09:05:07"},
      {8, "01-29-2006 星期日 09:05:07"},
      {9, "01-29-2006 Sunday 09:05:07"},
      {10, "2006年1月29日 0 09:05:07"},
      {11, "2006年1月29日 星期日 09:05:07"},
      {12, "2006年1月29日 Sunday 09:05:07"},
      {13, "01-29-2006 0 "},
      {14, "01-29-2006 星期日 "},
      {15, "01-29-2006 Sunday "},
      {16, "2006年1月29日 0 "},
      {17, "2006年1月29日 星期日 "},
      {18, "2006年1月29日 Sunday "},
      {19, "01-29-2006  "},
      {20, "2006年1月29日  "},
      {21, " 0 "},
      {22, " 星期日 "},
      {23, " Sunday "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Caption(c.style, now), c.caption) << "style " << c.style;
  for (int style : {-1, 0, 1, 2, 3, 24, 25, 26})
    EXPECT_FALSE(SelectorsOfStyle(style)) << style;
}

TEST(ClockText, WeekdayNamesRunFromSunday) {
  const char* chinese[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
  const char* english[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                           "Thursday", "Friday", "Saturday"};
  for (int i = 0; i < 7; ++i) {
    const double day = At(2006, 1, 29 + i, 12); // Sunday 29 January to Saturday 4 February
    EXPECT_EQ(Caption(21, day), " " + std::to_string(i) + " ");
    EXPECT_EQ(Caption(22, day), std::string(" ") + chinese[i] + " ");
    EXPECT_EQ(Caption(23, day), std::string(" ") + english[i] + " ");
  }
  EXPECT_EQ(Caption(19, At(2006, 2, 4)), "02-04-2006  ");
  EXPECT_EQ(Caption(20, At(1999, 12, 31)), "1999年12月31日  ");
}

TEST(ClockText, RetouchOffsetsEachFieldAlone) {
  const struct {
    ClockTime sample;
    ClockRetouch retouch;
    ClockTime shown;
  } cases[] = {
      {{22, 0, 0}, {3, 0, 0}, {1, 0, 0}},             // dial hour wraps at 12
      {{12, 0, 0}, {0, 0, 0}, {0, 0, 0}},             // 12 and above are reduced
      {{23, 59, 59}, {0, 0, 0}, {11, 59, 59}},        //
      {{11, 59, 59}, {0, 0, 1}, {11, 59, 0}},         // no carry into the minute
      {{11, 59, 30}, {0, 1, 0}, {11, 0, 30}},         // no carry into the hour
      {{0, 0, 0}, {-1, -5, -7}, {-1, -5, -7}},        // negatives stay negative
      {{10, 30, 30}, {-30, 100, 130}, {-20, 10, 40}}, // modulo, not a single subtraction
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ApplyRetouch(c.sample, c.retouch), c.shown)
        << c.sample.hour << ":" << c.sample.minute << ":" << c.sample.second;
  }
}

TEST(ClockText, TimeTextHourIsNotWrapped) {
  EXPECT_EQ(Caption(4, At(2006, 1, 29, 22, 0, 0), {3, 0, 0}), "  25:00:00");
  EXPECT_EQ(Caption(4, At(2006, 1, 29, 9, 5, 7), {0, 0, 60}), "  09:05:07");
  EXPECT_EQ(Caption(4, At(2006, 1, 29, 9, 58, 7), {0, 5, 0}), "  09:03:07");
  // Below ten means one "0" in front, negative values included.
  EXPECT_EQ(Caption(4, At(2006, 1, 29, 0, 0, 0), {-1, -5, 0}), "  0-1:0-5:00");
}

TEST(ClockText, CountdownDigits) {
  const struct {
    int total, minute, second;
    const char* text;
  } cases[] = {
      {2, 0, 1, "01:59"},    {2, 0, 59, "01:01"},  {2, 1, 0, "00:60"},
      {2, 1, 59, "00:01"},   {2, 0, 60, "01:00"}, // the state after the end
      {0, 0, 1, "-1:59"},                         // two characters, so no "0"
      {120, 0, 0, "119:60"}, {10, 0, 51, "09:09"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountdownText(c.total, c.minute, c.second), c.text)
        << c.total << " " << c.minute << " " << c.second;
  }
}

TEST(ClockText, DayCounterRoundsHalvesToEven) {
  const double now = At(2006, 1, 29, 12);
  const struct {
    double offset;
    int64_t days;
  } cases[] = {{2.5, 2}, {3.5, 4},  {-2.5, 2}, {-3.5, 4}, {0.5, 0},   {1.5, 2},
               {1.0, 1}, {2.49, 2}, {2.51, 3}, {0.0, 0},  {-0.75, 1}, {1000.25, 1000}};
  for (const auto& c : cases)
    EXPECT_EQ(DayCount(now + c.offset, now), c.days) << c.offset;
  EXPECT_EQ(DayCounterText("还有", now + 1.0, now, "天"), "还有1天");
  EXPECT_EQ(DayCounterText("已过", now - 3.5, now, "日"), "已过4日");
  EXPECT_EQ(DayCounterText("", 1e300, now, ""), "9223372036854775807");
}

} // namespace
