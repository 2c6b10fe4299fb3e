#include "clock/LunarCalendar.h"

#include <algorithm>
#include <cstdint>

#include "clock/LunarTable.h"
#include "base/DateTime.h"

namespace {

const char* const kStems[] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const char* const kBranches[] = {"子", "丑", "寅", "卯", "辰", "巳",
                                 "午", "未", "申", "酉", "戌", "亥"};
const char* const kMonthNames[] = {"正月", "二月", "三月", "四月", "五月",   "六月",
                                   "七月", "八月", "九月", "十月", "十一月", "十二月"};
const char* const kDayNames[] = {"初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八",
                                 "初九", "初十", "十一", "十二", "十三", "十四", "十五", "十六",
                                 "十七", "十八", "十九", "二十", "廿一", "廿二", "廿三", "廿四",
                                 "廿五", "廿六", "廿七", "廿八", "廿九", "三十"};

int64_t NewYearDay(const LunarYearRow& row) { return DaysFromCivil(row.year, row.month, row.day); }

int Mod(int a, int n) { return ((a % n) + n) % n; }

} // namespace

std::optional<LunarDate> ToLunarDate(int year, int month, int day) {
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  const int64_t target = DaysFromCivil(year, month, day);
  const LunarYearRow* end = kLunarYears + kLunarYearCount;
  // The first row that begins after the date; the row before it holds the date.
  const LunarYearRow* next =
      std::upper_bound(kLunarYears, end, target,
                       [](int64_t t, const LunarYearRow& row) { return t < NewYearDay(row); });
  if (next == kLunarYears) return std::nullopt;
  const LunarYearRow& row = *(next - 1);
  int64_t offset = target - NewYearDay(row);
  for (int i = 0; i < row.monthCount; ++i) {
    const int length = (row.longMonths >> i) & 1 ? 30 : 29;
    if (offset < length) {
      LunarDate date;
      date.year = row.year;
      date.day = static_cast<int>(offset) + 1;
      const int leap = row.leapMonth;
      date.leap = leap != 0 && i == leap;
      date.month = leap != 0 && i >= leap ? i : i + 1;
      return date;
    }
    offset -= length;
  }
  return std::nullopt; // past the last month of the last row
}

std::string LunarYearName(int year) {
  return std::string(kStems[Mod(year - 4, 10)]) + kBranches[Mod(year - 4, 12)] + "年";
}

std::string LunarMonthName(int month, bool leap) {
  if (month < 1 || month > 12) return std::string();
  return std::string(leap ? "闰" : "") + kMonthNames[month - 1];
}

std::string LunarDayName(int day) {
  if (day < 1 || day > 30) return std::string();
  return kDayNames[day - 1];
}
