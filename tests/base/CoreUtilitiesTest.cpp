#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/NumberFormat.h"
#include "base/TextCodec.h"
#include "base/VirtualScheduler.h"

namespace {

// Switches the process to a locale with a decimal comma for one test, when one is installed.
class CommaLocale {
public:
  CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
      if (std::setlocale(LC_ALL, name)) {
        active_ = true;
        return;
      }
    }
  }
  ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  bool active() const { return active_; }

private:
  bool active_ = false;
};

TEST(NumberFormat, PrintsLikeTheCLibraryInTheCLocale) {
  struct Case {
    std::string got, want;
  } cases[] = {
      {FormatInt(0), "0"},
      {FormatInt(-2147483647 - 1), "-2147483648"},
      {FormatFloat(38353.75f), "38353.750000"},
      // %f of a single-precision value: the double 38353.7654321 becomes the nearest float.
      {FormatFloat(static_cast<float>(38353.7654321)), "38353.765625"},
      {FormatDouble(0.1), "0.100000"},
      {FormatExp(38765.0), "3.876500e+04"},
      {FormatExp(0.0), "0.000000e+00"},
      {FormatExp(-1.5e-120), "-1.500000e-120"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.got, c.want);
}

TEST(NumberFormat, ParsesWithCPrefixRules) {
  EXPECT_EQ(ParseInt("  42abc"), 42);
  EXPECT_EQ(ParseInt("-17"), -17);
  EXPECT_EQ(ParseInt("+8"), 8);
  EXPECT_EQ(ParseInt("abc"), 0);
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("4294967297"), 1); // strtol then cut to 32 bits
  EXPECT_DOUBLE_EQ(ParseDouble("3.876500e+004"), 38765.0);
  EXPECT_DOUBLE_EQ(ParseDouble(" 1.5xyz"), 1.5);
  EXPECT_DOUBLE_EQ(ParseDouble("1,5"), 1.0);
  EXPECT_DOUBLE_EQ(ParseDouble("x"), 0.0);
}

TEST(NumberFormat, IgnoresADecimalCommaLocale) {
  CommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "no locale with a decimal comma is installed";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%f", 1.5);
  ASSERT_STREQ(buffer, "1,500000"); // the locale really is active
  EXPECT_EQ(FormatFloat(38353.75f), "38353.750000");
  EXPECT_EQ(FormatExp(38765.5), "3.876550e+04");
  EXPECT_DOUBLE_EQ(ParseDouble("2.25"), 2.25);
}

TEST(TextCodec, WritesGb18030AndReadsByDeclaration) {
  const std::string title = "同步屏播放系统";
  const std::string gb = "\xCD\xAC\xB2\xBD\xC6\xC1\xB2\xA5\xB7\xC5\xCF\xB5\xCD\xB3";
  EXPECT_EQ(Utf8ToGb18030(title), gb);
  EXPECT_EQ(Gb18030ToUtf8(gb), title);
  // Characters outside GB2312 survive: an emoji and an extension-B ideograph.
  for (std::string s : {"\xF0\x9F\x98\x80", "\xF0\xA0\x80\x80"}) {
    EXPECT_EQ(Gb18030ToUtf8(Utf8ToGb18030(s)), s);
  }
  EXPECT_EQ(Utf8ToGb18030("\xF0\x9F\x98\x80"), "\x94\x39\xFC\x36");

  const std::string gbDecl = "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n";
  EXPECT_EQ(DecodeFileText(gbDecl + gb), gbDecl + title);
  const std::string utfDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  EXPECT_EQ(DecodeFileText(utfDecl + title), utfDecl + title);
  EXPECT_EQ(DecodeFileText(gb), title); // no declaration: GB18030
  EXPECT_EQ(DeclaredEncoding("<?xml version='1.0' encoding='gbk'?>"), "gbk");
}

TEST(TextCodec, InvalidBytesBecomeReplacementCharacters) {
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(SanitizeUtf8("a\xFF"
                         "b"),
            "a" + fffd + "b");
  EXPECT_EQ(SanitizeUtf8("\xE5\x90"), fffd + fffd);            // truncated sequence
  EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), fffd + fffd + fffd); // surrogate
  EXPECT_EQ(DecodeGuessedText("\xCD\xAC\xB2\xBD"), "同步");    // not valid UTF-8: GB18030
  EXPECT_EQ(DecodeGuessedText("同"), "同");
  // Every byte value, in any order, decodes without a crash into valid UTF-8.
  std::string all;
  for (int i = 255; i >= 0; --i)
    all.push_back(static_cast<char>(i));
  std::string out = Gb18030ToUtf8(all);
  EXPECT_EQ(SanitizeUtf8(out), out);
}

TEST(DateTime, ConvertsDateTimeNumbers) {
  EXPECT_DOUBLE_EQ(ToDateTimeNumber(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(ToDateTimeNumber(1900, 1, 1), 2.0);
  EXPECT_DOUBLE_EQ(ToDateTimeNumber(2005, 1, 1), 38353.0);
  DateTimeParts p{2005, 1, 1, 18, 0, 0, 0};
  EXPECT_DOUBLE_EQ(ToDateTimeNumber(p), 38353.75);
  EXPECT_EQ(FromDateTimeNumber(38353.75), p);
  // 1899-12-29 06:00 is -1.25: the fraction counts forward from midnight.
  EXPECT_EQ(FromDateTimeNumber(-1.25), (DateTimeParts{1899, 12, 29, 6, 0, 0, 0}));
  EXPECT_DOUBLE_EQ(ToDateTimeNumber(DateTimeParts{1899, 12, 29, 6, 0, 0, 0}), -1.25);
  EXPECT_EQ(WeekdayOf(ToDateTimeNumber(2026, 12, 6)), 0); // a Sunday
  EXPECT_EQ(WeekdayOf(ToDateTimeNumber(1899, 12, 30)), 6);
  EXPECT_EQ(WeekdayOf(-1.0), 5);
  EXPECT_EQ(SecondsOfDay(38353.75), 64800);
  EXPECT_EQ(SecondsOfDay(38353.0 + 86399.6 / 86400.0), 0); // rounds to the next midnight
  EXPECT_EQ(DaysInMonth(2000, 2), 29);
  EXPECT_EQ(DaysInMonth(1900, 2), 28);
  EXPECT_EQ(DaysInMonth(2026, 11), 30);
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile) {
  auto dir = std::filesystem::temp_directory_path() / ("zyntra-atomic-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "setup.ini").string();
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "old");
  ASSERT_TRUE(WriteFileAtomic(path, std::string(100000, 'n')));
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes.size(), 100000u);

  // A folder that refuses new files: the write fails, says why and keeps the old file.
  if (geteuid() != 0) {
    chmod(dir.c_str(), 0500);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "new", &error));
    EXPECT_FALSE(error.empty());
    chmod(dir.c_str(), 0700);
    ASSERT_TRUE(ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes.size(), 100000u);
  }
  std::string error;
  EXPECT_FALSE(WriteFileAtomic((dir / "missing" / "x.vrx").string(), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ReadFileBytes((dir / "none").string(), bytes));
  // No temporary file is left behind.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir))
    ++files;
  EXPECT_EQ(files, 1u);
  std::filesystem::remove_all(dir);
}

TEST(VirtualScheduler, RunsCallbacksAtTheirTimesInOrder) {
  VirtualScheduler s(1000);
  std::string log;
  s.callAfter(20, [&] { log += "b" + std::to_string(s.now()) + " "; });
  s.callAfter(10, [&] {
    log += "a" + std::to_string(s.now()) + " ";
    s.callAfter(0, [&] { log += "c" + std::to_string(s.now()) + " "; });
  });
  auto dropped = s.callAfter(15, [&] { log += "x "; });
  s.callAfter(20, [&] { log += "d" + std::to_string(s.now()) + " "; });
  s.cancel(dropped);
  s.advance(19);
  EXPECT_EQ(log, "a1010 c1010 ");
  EXPECT_EQ(s.now(), 1019);
  s.advance(1);
  EXPECT_EQ(log, "a1010 c1010 b1020 d1020 ");
  EXPECT_EQ(s.pending(), 0u);
}

} // namespace
