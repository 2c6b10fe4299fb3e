#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "console/CapturingPrompts.h"
#include "console/ConsoleAuth.h"
#include "console/ConsoleJson.h"
#include "console/ConsoleToken.h"
#include "console/ListenAddress.h"
#include "console/PlayLog.h"
#include "console/ShowsFolder.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace {

int ModeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

TEST(ConsoleCoreTest, ConstantTimeCompareAgreesWithEqualityOnEveryKindOfDifference) {
  const std::pair<std::string, std::string> pairs[] = {
      {"", ""},
      {"a", ""},
      {"", "a"},
      {"abc", "abc"},
      {"abc", "abd"},
      {"abc", "xbc"},
      {"abc", "abcd"},
      {"abcd", "abc"},
      {std::string("a\0b", 3), "a"},
      {std::string("a\0", 2), "a"},
      {"\xff", "\x7f"},
  };
  for (const auto& [a, b] : pairs)
    EXPECT_EQ(ConsoleAuth::ConstantTimeEqual(a, b), a == b) << a;
}

TEST(ConsoleCoreTest, ClientsAreForgottenAfterAQuarterHourAndTheirNumberIsBounded) {
  ConsoleAuth auth("t0123456789012345678901234567890");
  for (int i = 0; i < 3; ++i)
    auth.Check("Bearer x", "a", 0);
  EXPECT_EQ(auth.WaitMs("a", 0), 1000);
  EXPECT_EQ(auth.Check("Bearer x", "a", ConsoleAuth::kForgetAfterMs), ConsoleAuth::Verdict::Wrong)
      << "a fresh start: a first failure, no wait";
  EXPECT_EQ(auth.WaitMs("a", ConsoleAuth::kForgetAfterMs), 0);
  for (int i = 0; i < 3000; ++i)
    auth.Check("Bearer x", "c" + std::to_string(i), 1);
  for (int i = 0; i < 3; ++i)
    auth.Check("Bearer x", "last", 2);
  EXPECT_EQ(auth.WaitMs("last", 2), 1000) << "a new client is still counted when many are";
  EXPECT_EQ(ConsoleAuth("").Check("Bearer ", "b", 0), ConsoleAuth::Verdict::Missing);
  EXPECT_EQ(ConsoleAuth("").Check("Bearer x", "b", 0), ConsoleAuth::Verdict::Wrong)
      << "without a token nothing is granted";
}

TEST(ConsoleCoreTest, FlatJsonObjectsAreReadStrictly) {
  auto ok = ParseFlatJsonObject(
      " {\"name\" : \"\\u8282\\u76ee.vrx\", \"discard\":true, \"n\":-1.5e3, \"z\":null,"
      "\"e\":\"a\\\"\\\\\\/\\b\\f\\n\\r\\t\\ud83d\\ude00\"} ");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->at("name").text, "节目.vrx");
  EXPECT_TRUE(ok->at("discard").flag);
  EXPECT_EQ(ok->at("n").kind, JsonScalar::Kind::Number);
  EXPECT_EQ(ok->at("n").text, "-1.5e3");
  EXPECT_EQ(ok->at("z").kind, JsonScalar::Kind::Null);
  EXPECT_EQ(ok->at("e").text, "a\"\\/\b\f\n\r\t\xF0\x9F\x98\x80");
  ASSERT_TRUE(ParseFlatJsonObject("{}"));
  for (const char* bad : {"",
                          "[]",
                          "{",
                          "{\"a\"}",
                          "{\"a\":}",
                          "{\"a\":1,}",
                          "{\"a\":{}}",
                          "{\"a\":[1]}",
                          "{\"a\":1}x",
                          "{'a':1}",
                          "{\"a\":01}",
                          "{\"a\":1.}",
                          "{\"a\":-}",
                          "{\"a\":tru}",
                          "{\"a\":\"\\x\"}",
                          "{\"a\":\"\\ud800\"}",
                          "{\"a\":\"\\udc00\"}",
                          "{\"a\":\"\n\"}",
                          "{\"a\":\"\xff\"}",
                          "{\"a\":\"\xc0\xaf\"}",
                          "{\"a\":\"\\u12\"}",
                          "{\"a\":\"abc"})
    EXPECT_FALSE(ParseFlatJsonObject(bad)) << bad;
  std::string many = "{";
  for (int i = 0; i < 65; ++i)
    many += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":1";
  EXPECT_FALSE(ParseFlatJsonObject(many + "}"));
}

TEST(ConsoleCoreTest, JsonTextIsAlwaysValidAndNeverClosesAScript) {
  EXPECT_EQ(JsonQuote("页1 \"a\"\\\n\t\x01<\x7f>"),
            "\"页1 \\\"a\\\"\\\\\\n\\t\\u0001\\u003c\\u007f\\u003e\"");
  EXPECT_EQ(JsonQuote("a\xff\xe8\x8a"), "\"a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
  EXPECT_EQ(JsonObject().Add("a", int64_t{-3}).Add("b", false).AddNull("c").Text(),
            "{\"a\":-3,\"b\":false,\"c\":null}");
}

TEST(ConsoleCoreTest, ListenAddressesWithAndWithoutAHost) {
  struct Case {
    const char* text;
    const char* host; // null: refused
    uint16_t port;
  };
  const Case cases[] = {
      {"8080", "127.0.0.1", 8080},
      {"0", "127.0.0.1", 0},
      {"0.0.0.0:80", "0.0.0.0", 80},
      {"[::1]:8080", "::1", 8080},
      {"[::]:1", "::", 1},
      {"localhost:9", "localhost", 9},
      {"65535", "127.0.0.1", 65535},
      {"65536", nullptr, 0},
      {"", nullptr, 0},
      {":80", nullptr, 0},
      {"host:", nullptr, 0},
      {"::1:80", nullptr, 0},
      {"[::1]", nullptr, 0},
      {"[]:80", nullptr, 0},
      {"80x", nullptr, 0},
      {"-1", nullptr, 0},
      {"+80", nullptr, 0},
      {"[::1]80", nullptr, 0},
  };
  for (const Case& c : cases) {
    const auto address = ListenAddress::Parse(c.text);
    ASSERT_EQ(address.has_value(), c.host != nullptr) << c.text;
    if (!address) continue;
    EXPECT_EQ(address->host, c.host) << c.text;
    EXPECT_EQ(address->port, c.port) << c.text;
  }
}

TEST(ConsoleCoreTest, ShowNames) {
  using P = ShowsFolder::NameProblem;
  const std::pair<std::string, P> cases[] = {
      {"a.vrx", P::None},
      {"节目 1.VRX", P::None},
      {"plan.tak", P::None},
      {"a.b.Tak", P::None},
      {"", P::Empty},
      {std::string(252, 'a') + ".vrx", P::TooLong},
      {".", P::Hidden},
      {"..", P::Hidden},
      {".a.vrx", P::Hidden},
      {"a/b.vrx", P::Separator},
      {"..\\a.vrx", P::Separator},
      {"/a.vrx", P::Separator},
      {"a\n.vrx", P::Control},
      {std::string("a\0.vrx", 6), P::Control},
      {"a\x7f.vrx", P::Control},
      {"\xe8\x8a.vrx", P::BadUtf8},
      {"a.vrx.txt", P::Extension},
      {"a.vr", P::Extension},
      {"avrx", P::Extension},
      {"a.vrx ", P::Extension},
  };
  for (const auto& [name, problem] : cases)
    EXPECT_EQ(ShowsFolder::CheckName(name), problem) << name;
  EXPECT_EQ(ShowsFolder::CheckName(std::string(251, 'a') + ".vrx"), P::None);
}

TEST(ConsoleCoreTest, PlayLogAppendsOneLinePerRecordToTheFileOfItsDay) {
  TempDir dir;
  VirtualScheduler scheduler;
  SchedulerLocalClock clock(scheduler, ToDateTimeNumber({2026, 12, 8, 23, 59, 58, 0}));
  PlayLog log(dir.path(), clock);
  EXPECT_EQ(log.Today(), "2026-12-08");
  ASSERT_TRUE(log.Append({"ignored", "start", "play", "/w/a\tb.vrx", "页\n1", 1, ""}));
  scheduler.advance(3000);
  ASSERT_TRUE(log.Append({"", "end", "test", "", "页1", 12, "stopped"}));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir / "play-log-2026-12-08.tsv", bytes));
  EXPECT_EQ(bytes, "2026-12-08 23:59:58\tstart\tplay\t/w/a b.vrx\t页 1\t1\t\n");
  ASSERT_TRUE(ReadFileBytes(dir / "play-log-2026-12-09.tsv", bytes));
  EXPECT_EQ(bytes, "2026-12-09 00:00:01\tend\ttest\t\t页1\t12\tstopped\n");
  EXPECT_EQ(
      log.ReadDay("2026-12-09"),
      (std::vector<PlayRecord>{{"2026-12-09 00:00:01", "end", "test", "", "页1", 12, "stopped"}}));
  // Lines that are no record (a torn last line, other text) are skipped.
  ASSERT_TRUE(WriteFileAtomic(dir / "play-log-2026-12-10.tsv",
                              "junk\n2026-12-10 01:00:00\tstart\tplay\ta\tP\tx\t\n"
                              "2026-12-10 01:00:00\tbegin\tplay\ta\tP\t1\t\n"
                              "2026-12-10 01:00:00\tstart\tplay\ta\tP\t2\t\n2026-12-10 01:0"));
  EXPECT_EQ(log.ReadDay("2026-12-10"),
            (std::vector<PlayRecord>{{"2026-12-10 01:00:00", "start", "play", "a", "P", 2, ""}}));
  EXPECT_TRUE(log.ReadDay("2026-12-11").empty());
  EXPECT_TRUE(log.ReadDay("../etc").empty());
  for (const char* date : {"2026-00-01", "2026-12-32", "2026-1-01", "20261201xx", "2026/12/01"})
    EXPECT_FALSE(PlayLog::IsDate(date)) << date;
  EXPECT_TRUE(PlayLog::IsDate("2026-02-31")) << "the file name only needs the form";
  PlayLog nowhere(dir / "missing/folder", clock);
  EXPECT_FALSE(nowhere.Append({"", "start", "play", "", "P", 1, ""}));
}

TEST(ConsoleCoreTest, TheTokenIsMadeOncePrivatelyAndKept) {
  TempDir dir;
  const std::string path = dir / "config/zyntra/console-token";
  std::string error;
  const std::string token = LoadOrMakeConsoleToken(path, &error);
  ASSERT_EQ(token.size(), 64u) << error;
  EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_EQ(ModeOf(path), 0600);
  EXPECT_EQ(ModeOf(dir / "config/zyntra"), 0700);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, token + "\n");
  EXPECT_EQ(LoadOrMakeConsoleToken(path), token);
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"config"});

  // A token of one's own is kept (made private); one too short is replaced.
  const std::string mine = "my-own-token-of-thirty-two-chars-or-more";
  ASSERT_TRUE(WriteFileAtomic(path, "  " + mine + "\r\n"));
  chmod(path.c_str(), 0644);
  EXPECT_EQ(LoadOrMakeConsoleToken(path), mine);
  EXPECT_EQ(ModeOf(path), 0600);
  ASSERT_TRUE(WriteFileAtomic(path, "short"));
  chmod(path.c_str(), 0664);
  const std::string fresh = LoadOrMakeConsoleToken(path);
  EXPECT_EQ(fresh.size(), 64u);
  EXPECT_NE(fresh, token);
  EXPECT_EQ(ModeOf(path), 0600);
  ASSERT_TRUE(WriteFileAtomic(dir / "plain", "x"));
  EXPECT_TRUE(LoadOrMakeConsoleToken(dir / "plain/console-token", &error).empty())
      << "no folder can be made under a file";

  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string keep = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(DefaultConsoleTokenPath(), "/cfg/zyntra/console-token");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(DefaultConsoleTokenPath(),
            std::string(std::getenv("HOME")) + "/.config/zyntra/console-token");
  if (saved)
    setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(ConsoleCoreTest, CapturedPromptsAnswerAsIfClosedAndShowNothing) {
  ScriptedPrompts shown;
  CapturingPrompts prompts(shown);
  {
    CapturingPrompts::Capture capture(prompts);
    EXPECT_EQ(prompts.MessageBox("a", "t", PromptButtons::Ok, PromptIcon::None), PromptAnswer::Ok);
    EXPECT_EQ(prompts.MessageBox("b", "t", PromptButtons::OkCancel, PromptIcon::None),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompts.MessageBox("c", "t", PromptButtons::YesNo, PromptIcon::None),
              PromptAnswer::No);
    {
      CapturingPrompts::Capture inner(prompts);
      EXPECT_EQ(prompts.MessageBox("d", "t", PromptButtons::YesNoCancel, PromptIcon::None),
                PromptAnswer::Cancel);
    }
    EXPECT_FALSE(prompts.GetOpenFileName("x|*.vrx|", "vrx", "default"));
    EXPECT_FALSE(prompts.GetSaveFileName("x|*.vrx|", "vrx", "default"));
    EXPECT_FALSE(prompts.ChooseColor(0));
    EXPECT_FALSE(prompts.ChooseFont(FontDesc{}));
    EXPECT_EQ(capture.Messages(), (std::vector<std::string>{"a", "b", "c", "d"}));
  }
  EXPECT_TRUE(shown.messages.empty());
  shown.answers.push_back(PromptAnswer::Yes);
  EXPECT_EQ(prompts.MessageBox("shown", "t", PromptButtons::YesNo, PromptIcon::Question),
            PromptAnswer::Yes);
  ASSERT_EQ(shown.messages.size(), 1u);
  EXPECT_EQ(shown.messages[0].text, "shown");
}

} // namespace
