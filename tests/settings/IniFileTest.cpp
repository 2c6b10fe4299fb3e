#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "app/AppTestSupport.h"
#include "settings/IniFile.h"
#include "base/TextCodec.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(WriteFileAtomic(path, bytes));
}

// Reads `input` as a file and writes it back: the bytes show what was parsed, in what order.
std::string Reread(const TempDir& dir, const std::string& input) {
  const std::string in = dir.File("in.ini"), out = dir.File("out.ini");
  WriteFileAtomic(in, input);
  CIniFile reader(in);
  EXPECT_TRUE(reader.ReadFile());
  reader.path = out;
  EXPECT_TRUE(reader.WriteFile());
  return FileBytes(out);
}

TEST(IniFile, ParsesLinesAndWritesThemBackInOrder) {
  TempDir dir;
  struct Case {
    const char* what;
    std::string input, written;
  } cases[] = {
      {"LF and CR LF line ends", "[App]\nA=1\r\nB=2", "[App]\r\nA=1\r\nB=2\r\n\r\n"},
      {"entries before any section", "X=1\n[S]\nY=2\n", "[]\r\nX=1\r\n\r\n[S]\r\nY=2\r\n\r\n"},
      {"repeated entry: first place, last value", "[Para]\nGridWidth=16\nMinWH=5\nGridWidth=24\n",
       "[Para]\r\nGridWidth=24\r\nMinWH=5\r\n\r\n"},
      {"repeated header continues the first section", "[A]\nx=1\n[B]\ny=2\n[A]\nz=3\n",
       "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n"},
      {"all leading [ and trailing ] removed", "[[S]]\nx=1\n[a]b]\ny=2\n[]\nz=3\n",
       "[S]\r\nx=1\r\n\r\n[a]b]\r\ny=2\r\n\r\n[]\r\nz=3\r\n\r\n"},
      {"a header needs both brackets", "[S\nx=1\n", "[]\r\n=S\r\nx=1\r\n\r\n"},
      {"line without = loses its first character", "[S]\nabc\n[\n",
       "[S]\r\n=\r\n\r\n"}, // "bc" then "" under the same empty name: last value wins
      {"value keeps further =", "[Para]\nLFile=/a=b/c.vrx\n", "[Para]\r\nLFile=/a=b/c.vrx\r\n\r\n"},
      {"nothing trimmed", "[ S ]\n GridWidth = 16 \n", "[ S ]\r\n GridWidth = 16 \r\n\r\n"},
      {"letter case matters", "[a]\nX=1\nx=2\n[A]\nX=3\n",
       "[a]\r\nX=1\r\nx=2\r\n\r\n[A]\r\nX=3\r\n\r\n"},
      {"empty lines skipped, empty sections not written", "\n[Empty]\n\r\n\n[S]\n\nx=\n",
       "[S]\r\nx=\r\n\r\n"},
      {"only a CR LF pair ends a line", "[S]\nx=1\r\r\n", "[S]\r\nx=1\r\r\n\r\n"},
      {"empty file", "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Reread(dir, c.input), c.written) << c.what;
}

TEST(IniFile, LineWithoutEqualsSignDropsAWholeCharacter) {
  TempDir dir;
  // "同步" in GB18030: the value is "步", not half a character.
  EXPECT_EQ(Reread(dir, "[S]\n\xCD\xAC\xB2\xBD\n"), "[S]\r\n=\xB2\xBD\r\n\r\n");
}

TEST(IniFile, ReadsLinesOfAnyLength) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  const std::string longValue(100000, 'v');
  WriteBytes(path, "[Para]\nLFile=" + longValue + "\nGridWidth=8\n");
  CIniFile ini(path);
  ASSERT_TRUE(ini.ReadFile());
  EXPECT_EQ(ini.GetValue("Para", "LFile"), longValue);
  EXPECT_EQ(ini.GetValueI("Para", "GridWidth"), 8);
  EXPECT_EQ(ini.GetError(), "");
}

TEST(IniFile, LookupFailuresReturnEmptyAndSetTheErrorText) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  WriteBytes(path, "[Para]\nGridWidth=16\nGridWidth =24\nBad=x1\n");
  CIniFile ini(path);
  EXPECT_EQ(ini.error, "");
  ASSERT_TRUE(ini.ReadFile());
  struct Case {
    const char *section, *entry, *value, *error;
    int asInt;
  } cases[] = {
      {"Para", "GridWidth", "16", "", 16},
      {"Para", "GridWidth ", "24", "", 24},
      {"para", "GridWidth", "", "Unable to locate specified key.", 0},
      {"Para", "gridwidth", "", "Unable to locate specified value.", 0},
      {"App", "WndTitle", "", "Unable to locate specified key.", 0},
      {"Para", "Bad", "x1", "", 0},
  };
  for (const auto& c : cases) {
    ini.error.clear();
    EXPECT_EQ(ini.GetValue(c.section, c.entry), c.value) << c.section << "/" << c.entry;
    EXPECT_EQ(ini.GetError(), c.error) << c.section << "/" << c.entry;
    EXPECT_EQ(ini.GetValueI(c.section, c.entry), c.asInt) << c.section << "/" << c.entry;
  }
  // The error text stays until the next failure.
  ini.GetValue("Para", "Nope");
  ini.GetValue("Para", "GridWidth");
  EXPECT_EQ(ini.GetError(), "Unable to locate specified value.");
}

TEST(IniFile, ReadFailures) {
  TempDir dir;
  CIniFile missing(dir.File("setup.ini"));
  missing.GetValue("App", "WndTitle");
  EXPECT_FALSE(missing.ReadFile());
  EXPECT_EQ(missing.GetError(), "Unable to locate specified key."); // unchanged

  CIniFile folder(dir.path()); // exists but cannot be read as a file
  EXPECT_FALSE(folder.ReadFile());
  EXPECT_EQ(folder.GetError(), "Unable to open ini file.");
}

TEST(IniFile, ReadAddsToWhatIsInMemory) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  WriteBytes(path, "[B]\ny=file\n[A]\nz=3\n");
  CIniFile ini(path);
  ini.SetValue("A", "x", "1");
  ini.SetValue("B", "y", "memory");
  ASSERT_TRUE(ini.ReadFile());
  ASSERT_TRUE(ini.WriteFile());
  EXPECT_EQ(FileBytes(path), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=file\r\n\r\n");
}

TEST(IniFile, SetValueCreatesOnlyWhenAsked) {
  TempDir dir;
  CIniFile ini(dir.File("setup.ini"));
  EXPECT_FALSE(ini.SetValue("App", "WndTitle", "x", false));
  EXPECT_TRUE(ini.SetValue("App", "WndTitle", "x", true));
  EXPECT_FALSE(ini.SetValue("App", "Version", "1.0", false));
  EXPECT_TRUE(ini.SetValue("App", "WndTitle", "y", false));
  EXPECT_FALSE(ini.SetValueI("Para", "MinWH", 5, false));
  EXPECT_FALSE(ini.SetValueF("Para", "CloseTime", 0.5, false));
  EXPECT_EQ(ini.GetValue("App", "WndTitle"), "y");
  EXPECT_EQ(ini.GetValue("App", "Version"), "");
  EXPECT_EQ(ini.GetError(), "Unable to locate specified value.");
  ASSERT_TRUE(ini.WriteFile());
  EXPECT_EQ(FileBytes(ini.GetPath()), "[App]\r\nWndTitle=y\r\n\r\n");
}

TEST(IniFile, NumbersAreWrittenAndReadInTheCForm) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  auto writeAndRead = [&] {
    CIniFile ini(path);
    ini.SetValueI("N", "Int", -2147483647 - 1);
    ini.SetValueI("N", "Zero", 0);
    ini.SetValueF("N", "Time", 38353.765432);
    ini.SetValueF("N", "Small", 0.75);
    ini.SetValueF("N", "None", 0.0);
    ASSERT_TRUE(ini.WriteFile());
    EXPECT_EQ(FileBytes(path), "[N]\r\nInt=-2147483648\r\nZero=0\r\nTime=3.835377e+04\r\n"
                               "Small=7.500000e-01\r\nNone=0.000000e+00\r\n\r\n");
    CIniFile back(path);
    ASSERT_TRUE(back.ReadFile());
    EXPECT_EQ(back.GetValueI("N", "Int"), -2147483647 - 1);
    // Seven significant digits survive.
    EXPECT_DOUBLE_EQ(back.GetValueF("N", "Time"), 38353.77);
    EXPECT_DOUBLE_EQ(back.GetValueF("N", "Small"), 0.75);
  };
  writeAndRead();
  GermanLocale german;
  ASSERT_TRUE(german.active()) << "de_DE.UTF-8 is expected to be installed";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
  ASSERT_STREQ(buffer, "0,5");
  writeAndRead();
}

TEST(IniFile, MalformedNumbersFollowCRules) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  WriteBytes(path, "[N]\na=  42px\nb=-7\nc=x9\nd=1.5e2abc\ne=,5\nf=3,25\n");
  CIniFile ini(path);
  ASSERT_TRUE(ini.ReadFile());
  EXPECT_EQ(ini.GetValueI("N", "a"), 42);
  EXPECT_EQ(ini.GetValueI("N", "b"), -7);
  EXPECT_EQ(ini.GetValueI("N", "c"), 0);
  EXPECT_DOUBLE_EQ(ini.GetValueF("N", "d"), 150.0);
  EXPECT_DOUBLE_EQ(ini.GetValueF("N", "e"), 0.0);
  EXPECT_DOUBLE_EQ(ini.GetValueF("N", "f"), 3.0);
  EXPECT_DOUBLE_EQ(ini.GetValueF("N", "missing"), 0.0);
}

TEST(IniFile, FileBytesAreGb18030) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  CIniFile ini(path);
  ini.SetValue("App", "WndTitle", "同步播放系统(Orlume)");
  ini.SetValue("App", "CompanyName", "同");
  ini.SetValue("App", "Other", "\xF0\x9F\x98\x80"); // only GB18030 has it
  ASSERT_TRUE(ini.WriteFile());
  const std::string bytes = FileBytes(path);
  EXPECT_EQ(bytes, "[App]\r\nWndTitle=\xCD\xAC\xB2\xBD\xB2\xA5\xB7\xC5\xCF\xB5\xCD\xB3(Orlume)\r\n"
                   "CompanyName=\xCD\xAC\r\nOther=\x94\x39\xFC\x36\r\n\r\n");
  CIniFile back(path);
  ASSERT_TRUE(back.ReadFile());
  EXPECT_EQ(back.GetValue("App", "WndTitle"), "同步播放系统(Orlume)");
  EXPECT_EQ(back.GetValue("App", "CompanyName"), "同");
  EXPECT_EQ(back.GetValue("App", "Other"), "\xF0\x9F\x98\x80");

  // A file whose only Chinese bytes happen to form valid UTF-8 still reads as GB18030.
  CIniFile shortName(path);
  shortName.SetValue("App", "CompanyName", "同");
  ASSERT_TRUE(shortName.WriteFile());
  ASSERT_EQ(FileBytes(path), "[App]\r\nCompanyName=\xCD\xAC\r\n\r\n");
  CIniFile shortBack(path);
  ASSERT_TRUE(shortBack.ReadFile());
  EXPECT_EQ(shortBack.GetValue("App", "CompanyName"), "同");
}

TEST(IniFile, ReadsUtf8WithByteOrderMarkAndSurvivesInvalidBytes) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  WriteBytes(path, "\xEF\xBB\xBF[App]\nWndTitle=同步\n");
  CIniFile utf8(path);
  ASSERT_TRUE(utf8.ReadFile());
  EXPECT_EQ(utf8.GetValue("App", "WndTitle"), "同步");

  // Bytes that are no GB18030 are kept as raw bytes and written back as they were; 0x80 is the
  // euro sign of code page 936.
  const std::string broken = "[App]\r\nWndTitle=\xFF\xCD\r\nVersion=\x80"
                             "1\r\n\r\n[P]\r\nx=1\r\n\r\n";
  WriteBytes(path, broken);
  CIniFile kept(path);
  ASSERT_TRUE(kept.ReadFile());
  EXPECT_EQ(VisibleText(kept.GetValue("App", "WndTitle")), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(kept.GetValue("App", "Version"), "€1");
  EXPECT_EQ(kept.GetValue("P", "x"), "1");
  ASSERT_TRUE(kept.WriteFile());
  EXPECT_EQ(FileBytes(path), broken);
}

TEST(IniFile, WriteFailureKeepsTheOldFile) {
  TempDir dir;
  CIniFile nowhere(dir.File("no-such-folder/setup.ini"));
  nowhere.SetValue("App", "WndTitle", "x");
  EXPECT_FALSE(nowhere.WriteFile());
  EXPECT_EQ(nowhere.GetError(), "Unable to open ini file.");

  // A folder in the file's place cannot be replaced; it stays, and so does its content.
  const std::string path = dir.File("setup.ini");
  std::filesystem::create_directory(path);
  WriteBytes(path + "/keep", "old");
  CIniFile blocked(path);
  blocked.SetValue("App", "WndTitle", "x");
  EXPECT_FALSE(blocked.WriteFile());
  EXPECT_EQ(FileBytes(path + "/keep"), "old");
  // No temporary file is left behind.
  auto entries = std::filesystem::directory_iterator(dir.path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
}

} // namespace
