#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "base/DateTime.h"

namespace {

using Words = std::vector<std::string>;

TEST(CliArguments, ReadsEveryCommandWithItsOptionsInAnyOrder) {
  CliArguments a;
  std::string error;

  ASSERT_TRUE(ParseCliArguments({"dump", "show.vrx"}, a, error)) << error;
  EXPECT_EQ(a.command, CliCommand::Dump);
  EXPECT_EQ(a.input, "show.vrx");

  ASSERT_TRUE(ParseCliArguments({"resave", "in.vrx", "out.vrx"}, a, error)) << error;
  EXPECT_EQ(a.command, CliCommand::Resave);
  EXPECT_EQ(a.input, "in.vrx");
  EXPECT_EQ(a.output, "out.vrx");

  ASSERT_TRUE(ParseCliArguments(
      {"render", "--out", "p.png", "show.vrx", "--time", "2006-01-29 08:30:15", "--page", "2"}, a,
      error))
      << error;
  EXPECT_EQ(a.command, CliCommand::Render);
  EXPECT_EQ(a.input, "show.vrx");
  EXPECT_EQ(a.output, "p.png");
  EXPECT_EQ(a.page, 2);
  ASSERT_TRUE(a.time.has_value());
  EXPECT_EQ(FromDateTimeNumber(*a.time), (DateTimeParts{2006, 1, 29, 8, 30, 15, 0}));

  ASSERT_TRUE(
      ParseCliArguments({"frames", "show.vrx", "--seconds=1.5", "--fps=24", "--out=dir"}, a, error))
      << error;
  EXPECT_EQ(a.command, CliCommand::Frames);
  EXPECT_EQ(a.seconds, 1.5);
  EXPECT_EQ(a.fps, 24);
  EXPECT_EQ(a.output, "dir");
  EXPECT_FALSE(a.time.has_value());

  ASSERT_TRUE(ParseCliArguments({"--help"}, a, error));
  EXPECT_EQ(a.command, CliCommand::Help);
}

TEST(CliArguments, RefusesBadCommandLinesWithTheReason) {
  const struct {
    Words words;
    const char* reason;
  } cases[] = {
      {{}, "no command given"},
      {{"play", "a.vrx"}, "unknown command \"play\""},
      {{"dump"}, "dump takes 1 file, not 0"},
      {{"dump", "a.vrx", "b.vrx"}, "dump takes 1 file, not 2"},
      {{"resave", "a.vrx"}, "resave takes 2 files, not 1"},
      {{"dump", "a.vrx", "--page", "1"}, "dump has no option --page"},
      {{"render", "a.vrx", "--out", "a.png"}, "render needs --page"},
      {{"render", "a.vrx", "--page", "1"}, "render needs --out"},
      {{"render", "a.vrx", "--page", "1", "--out"}, "--out wants a value"},
      {{"render", "a.vrx", "--page", "0", "--out", "a.png"},
       "--page wants a page number from 1, not \"0\""},
      {{"render", "a.vrx", "--page", "2x", "--out", "a.png"},
       "--page wants a page number from 1, not \"2x\""},
      {{"render", "a.vrx", "--page", "1", "--page", "2", "--out", "a.png"},
       "--page is given twice"},
      {{"render", "a.vrx", "--page", "1", "--out", "a.png", "--time", "2006-01-29"},
       "--time wants a local time \"YYYY-MM-DD HH:MM:SS\", not \"2006-01-29\""},
      {{"frames", "a.vrx", "--seconds", "0", "--fps", "10", "--out", "d"},
       "--seconds wants a number above 0 and at most 86400, not \"0\""},
      {{"frames", "a.vrx", "--seconds", "nan", "--fps", "10", "--out", "d"},
       "--seconds wants a number above 0 and at most 86400, not \"nan\""},
      {{"frames", "a.vrx", "--seconds", "2", "--fps", "0", "--out", "d"},
       "--fps wants a whole number from 1 to 1000, not \"0\""},
      {{"frames", "a.vrx", "--seconds", "2", "--fps", "1001", "--out", "d"},
       "--fps wants a whole number from 1 to 1000, not \"1001\""},
      {{"frames", "a.vrx", "--seconds", "2", "--out", "d"}, "frames needs --fps"},
  };
  for (const auto& c : cases) {
    CliArguments a;
    std::string error;
    EXPECT_FALSE(ParseCliArguments(c.words, a, error)) << c.reason;
    EXPECT_EQ(error, c.reason);
  }
}

TEST(CliArguments, FramesAreTimedFromTheirNumberWithoutDrift) {
  CliArguments a;
  a.fps = 30;
  a.seconds = 2;
  EXPECT_EQ(a.FrameCount(), 60);
  const long long expected[] = {0, 33, 67, 100, 133, 167, 200};
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(a.FrameTimeMs(i), expected[i]) << i;
  EXPECT_EQ(a.FrameTimeMs(30), 1000);
  EXPECT_EQ(a.FrameTimeMs(3000), 100000); // summed 33 ms steps would be 1000 ms short

  a.fps = 7;
  a.seconds = 0.1; // 0.7 frames: still one picture, of the start of play
  EXPECT_EQ(a.FrameCount(), 1);
  a.seconds = 0.5; // 3.5 frames, rounded
  EXPECT_EQ(a.FrameCount(), 4);
}

TEST(CliArguments, LocalTimeIsExactlyDateSpaceTimeOfAnExistingMoment) {
  EXPECT_EQ(FromDateTimeNumber(*ParseLocalTime("2024-02-29 23:59:59")),
            (DateTimeParts{2024, 2, 29, 23, 59, 59, 0}));
  EXPECT_EQ(*ParseLocalTime("1899-12-30 00:00:00"), 0.0);
  EXPECT_EQ(*ParseLocalTime("2006-01-29 12:00:00"), ToDateTimeNumber(2006, 1, 29) + 0.5);
  for (const char* bad :
       {"2023-02-29 00:00:00", "2024-13-01 00:00:00", "2024-00-10 00:00:00", "2024-04-31 10:00:00",
        "2024-01-01 24:00:00", "2024-01-01 23:60:00", "2024-01-01 23:59:60", "2024-1-01 00:00:00",
        "2024-01-01T00:00:00", "2024-01-01 00:00", "2024-01-01 00:00:00 ", "2024-0a-01 00:00:00",
        "", "now"}) {
    EXPECT_FALSE(ParseLocalTime(bad).has_value()) << bad;
  }
}

} // namespace
