#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "clock/ClockText.h"
#include "clock/LunarCalendar.h"
#include "base/DateTime.h"

namespace {

struct Ymd {
  int y, m, d;
};

Ymd FromDays(int64_t days) {
  DateTimeParts p = FromDateTimeNumber(static_cast<double>(days));
  return {p.year, p.month, p.day};
}

TEST(LunarCalendar, CaptionsOfTheOldEightYearTable) {
  const struct {
    Ymd date;
    const char* caption;
  } cases[] = {
      {{2001, 5, 23}, "辛巳年闰四月初一"}, // d = 120: after 30+30+29+30 days
      {{2001, 5, 22}, "辛巳年四月三十"},
      {{2006, 1, 29}, "丙戌年正月初一"},
      {{2006, 1, 30}, "丙戌年正月初二"},
      {{1999, 2, 16}, "己卯年正月初一"},
      {{2000, 2, 5}, "庚辰年正月初一"},
      {{2002, 2, 12}, "壬午年正月初一"},
      {{2003, 2, 1}, "癸未年正月初一"},
      {{2004, 1, 22}, "甲申年正月初一"},
      {{2004, 3, 21}, "甲申年闰二月初一"},
      {{2005, 2, 9}, "乙酉年正月初一"},
      {{2005, 2, 8}, "甲申年十二月三十"},
      // The lunar year of 2006 has 30,29,30,29,30,29,30,29,30(leap 7),30,29,30,30 days; the
      // last month begins on 2007-01-19.
      {{2006, 8, 24}, "丙戌年闰七月初一"},
      {{2007, 1, 19}, "丙戌年十二月初一"},
      {{2007, 2, 17}, "丙戌年十二月三十"},
      {{2007, 2, 18}, "丁亥年正月初一"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LunarDateText(c.date.y, c.date.m, c.date.d), c.caption)
        << c.date.y << "-" << c.date.m << "-" << c.date.d;
  }
}

TEST(LunarCalendar, WellKnownNewYearsAndLeapMonths) {
  // Chinese New Year's days across the range.
  const Ymd newYears[] = {
      {1900, 1, 31}, {1912, 2, 18}, {1949, 1, 29}, {1950, 2, 17}, {1976, 1, 31}, {1984, 2, 2},
      {1990, 1, 27}, {2008, 2, 7},  {2010, 2, 14}, {2020, 1, 25}, {2024, 2, 10}, {2025, 1, 29},
      {2026, 2, 17}, {2030, 2, 3},  {2050, 1, 23}, {2061, 1, 21}, {2100, 2, 9},
  };
  for (const Ymd& d : newYears) {
    EXPECT_EQ(LunarDateText(d.y, d.m, d.d), LunarYearName(d.y) + "正月初一") << d.y;
    const Ymd eve = FromDays(DaysFromCivil(d.y, d.m, d.d) - 1);
    std::optional<LunarDate> last = ToLunarDate(eve.y, eve.m, eve.d);
    if (d.y == 1900) {
      EXPECT_FALSE(last); // before the table
      continue;
    }
    ASSERT_TRUE(last) << d.y;
    EXPECT_EQ(last->year, d.y - 1);
    EXPECT_EQ(last->month, 12);
    EXPECT_TRUE(last->day == 29 || last->day == 30);
  }
  // First days of leap months.
  const struct {
    Ymd date;
    const char* caption;
  } leaps[] = {
      {{1900, 9, 24}, "庚子年闰八月初一"},    {{2001, 5, 23}, "辛巳年闰四月初一"},
      {{2006, 8, 24}, "丙戌年闰七月初一"},    {{2020, 5, 23}, "庚子年闰四月初一"},
      {{2023, 3, 22}, "癸卯年闰二月初一"},    {{2025, 7, 25}, "乙巳年闰六月初一"},
      {{2033, 12, 22}, "癸丑年闰十一月初一"},
  };
  for (const auto& c : leaps) {
    EXPECT_EQ(LunarDateText(c.date.y, c.date.m, c.date.d), c.caption) << c.date.y;
  }
  EXPECT_EQ(LunarDateText(2026, 3, 19), "丙午年二月初一");
  EXPECT_EQ(LunarYearName(1984), "甲子年");
  EXPECT_EQ(LunarYearName(2026), "丙午年");
}

TEST(LunarCalendar, OutsideTheTableThereIsNoCaption) {
  EXPECT_EQ(LunarDateText(1900, 1, 30), "");
  EXPECT_EQ(LunarDateText(1899, 12, 31), "");
  EXPECT_EQ(LunarDateText(1900, 1, 31), "庚子年正月初一");
  EXPECT_EQ(LunarDateText(2101, 1, 28), "庚申年十二月廿九"); // the last day of the table
  EXPECT_EQ(LunarDateText(2101, 1, 29), "");
  EXPECT_EQ(LunarDateText(2006, 2, 30), "");
  EXPECT_EQ(LunarDateText(2006, 13, 1), "");
  EXPECT_EQ(LunarDayName(0), "");
  EXPECT_EQ(LunarDayName(30), "三十");
  EXPECT_EQ(LunarMonthName(11, true), "闰十一月");
}

// tests/clock/data/lunar_years.txt comes from an independent calendar library (see
// tools/lunar_crosscheck.sh): every day of every lunar year 1900-2100 must agree with it.
TEST(LunarCalendar, AgreesWithTheIndependentReferenceOnEveryDay) {
  std::ifstream file(std::string(ZYNTRA_TEST_DATA) + "/clock/data/lunar_years.txt");
  ASSERT_TRUE(file.good());
  std::string line;
  int years = 0;
  int64_t checkedDays = 0;
  while (std::getline(file, line)) {
    std::istringstream in(line);
    int year, leap;
    std::string date, lengths;
    in >> year >> date >> leap >> lengths;
    int y = 0, m = 0, d = 0;
    ASSERT_EQ(std::sscanf(date.c_str(), "%d-%d-%d", &y, &m, &d), 3) << line;
    int64_t day = DaysFromCivil(y, m, d);
    std::vector<int> months;
    std::istringstream parts(lengths);
    for (std::string part; std::getline(parts, part, ';');)
      months.push_back(std::stoi(part));
    ASSERT_EQ(months.size(), leap ? 13u : 12u) << line;
    for (size_t i = 0; i < months.size(); ++i) {
      const bool isLeap = leap != 0 && static_cast<int>(i) == leap;
      const int number =
          leap != 0 && static_cast<int>(i) >= leap ? static_cast<int>(i) : static_cast<int>(i) + 1;
      for (int dayOfMonth = 1; dayOfMonth <= months[i]; ++dayOfMonth, ++day) {
        const Ymd g = FromDays(day);
        std::optional<LunarDate> got = ToLunarDate(g.y, g.m, g.d);
        const LunarDate want{year, number, isLeap, dayOfMonth};
        ASSERT_TRUE(got && *got == want) << g.y << "-" << g.m << "-" << g.d << ": " << line;
        ++checkedDays;
      }
    }
    ++years;
  }
  EXPECT_EQ(years, 201);
  EXPECT_GT(checkedDays, 73000);
}

} // namespace
