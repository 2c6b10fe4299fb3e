#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "console/ConsolePlayer.h"
#include "console/ConsoleService.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kToken = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

// Records every command; answers with what the test sets.
class FakePlayer : public ConsolePlayer {
public:
  ConsoleStatus status;
  ConsoleOutcome outcome;
  std::vector<std::string> calls;
  std::string png = "\x89PNG-1";
  int captures = 0;

  ConsoleStatus Status() override { return status; }
  ConsoleOutcome Play() override { return Call("play"); }
  ConsoleOutcome Stop() override { return Call("stop"); }
  ConsoleOutcome Test() override { return Call("test"); }
  ConsoleOutcome Open(const std::string& path, bool discard) override {
    return Call("open " + path + (discard ? " discard" : ""));
  }
  std::string ScreenPng() override {
    ++captures;
    return png;
  }

private:
  ConsoleOutcome Call(const std::string& what) {
    calls.push_back(what);
    return outcome;
  }
};

class ConsoleServiceTest : public ::testing::Test {
protected:
  TempDir dir;
  VirtualScheduler scheduler{5000};
  SchedulerLocalClock clock{scheduler, ToDateTimeNumber({2026, 12, 8, 19, 30, 0, 0})};
  FakePlayer player;
  ConsoleService service{player, scheduler, clock,
                         ConsoleService::Config{kToken, dir / "shows", dir.path(),
                                                "<!DOCTYPE html><title>控制台</title>", "1.0.0"}};

  HttpReply Call(const std::string& method, const std::string& target, const std::string& body = "",
                 const std::string& token = kToken, const std::string& peer = "127.0.0.1") {
    HttpRequest request;
    request.method = method;
    request.target = target;
    if (!token.empty()) request.headers.emplace_back("authorization", "Bearer " + token);
    request.body = body;
    request.peer = peer;
    return service.Handle(request);
  }
  static std::string HeaderOf(const HttpReply& reply, const std::string& name) {
    for (const auto& [key, value] : reply.headers) {
      if (key == name) return value;
    }
    return "<none>";
  }
};

TEST_F(ConsoleServiceTest, EveryApiPathNeedsTheTokenAndNothingHappensWithoutIt) {
  const std::pair<const char*, const char*> calls[] = {
      {"GET", "/api/status"},      {"GET", "/api/screen.png"}, {"POST", "/api/play"},
      {"POST", "/api/stop"},       {"POST", "/api/test"},      {"GET", "/api/shows"},
      {"PUT", "/api/shows/a.vrx"}, {"POST", "/api/open"},      {"GET", "/api/log"},
      {"GET", "/api/unknown"},     {"OPTIONS", "/api/play"},   {"GET", "/api"},
  };
  for (const auto& [method, target] : calls) {
    for (const std::string& token : {std::string(), std::string("wrong")}) {
      scheduler.advance(ConsoleAuth::kForgetAfterMs); // no wait from earlier failures
      const HttpReply reply = Call(method, target, "<VRX/>", token);
      EXPECT_EQ(reply.status, 401) << method << " " << target;
      EXPECT_EQ(reply.body, "{\"error\":\"需要正确的访问口令\"}");
      EXPECT_EQ(HeaderOf(reply, "WWW-Authenticate"), "Bearer realm=\"zyntra\"");
    }
  }
  EXPECT_TRUE(player.calls.empty());
  EXPECT_EQ(player.captures, 0);
  EXPECT_FALSE(FileExists(dir / "shows"));
  // The scheme is matched without case; a token needs the right case and every byte.
  EXPECT_EQ(Call("GET", "/api/status", "", std::string(kToken) + "0").status, 401);
  HttpRequest request;
  request.method = "GET";
  request.target = "/api/status";
  request.headers = {{"AUTHORIZATION", std::string("bEaReR  ") + kToken + " "}};
  EXPECT_EQ(service.Handle(request).status, 200);
  request.headers = {{"Authorization", std::string("Basic ") + kToken}};
  EXPECT_EQ(service.Handle(request).status, 401);
}

TEST_F(ConsoleServiceTest, RepeatedFailuresMakeTheClientWaitWithoutLookingAtItsToken) {
  EXPECT_EQ(Call("GET", "/api/status", "", "guess1").status, 401);
  EXPECT_EQ(Call("GET", "/api/status", "", "guess2").status, 401);
  EXPECT_EQ(Call("GET", "/api/status").status, 200) << "two failures cost nothing";
  for (const char* guess : {"guess1", "guess2"})
    EXPECT_EQ(Call("GET", "/api/status", "", guess).status, 401);
  // The third failure in a row: one second; then two, four … up to a minute.
  EXPECT_EQ(Call("GET", "/api/status", "", "guess3").status, 401);
  HttpReply waiting = Call("GET", "/api/status");
  EXPECT_EQ(waiting.status, 429) << "even the right token waits";
  EXPECT_EQ(HeaderOf(waiting, "Retry-After"), "1");
  EXPECT_EQ(Call("POST", "/api/play", "", kToken, "10.0.0.7").status, 200) << "per client";
  scheduler.advance(999);
  EXPECT_EQ(Call("GET", "/api/status", "", "guess4").status, 429);
  scheduler.advance(1);
  EXPECT_EQ(Call("GET", "/api/status", "", "guess4").status, 401);
  EXPECT_EQ(HeaderOf(Call("GET", "/api/status"), "Retry-After"), "2");
  std::vector<int64_t> waits;
  for (int i = 0; i < 8; ++i) {
    int64_t waited = 0;
    while (Call("GET", "/api/status", "", "guess").status == 429) {
      scheduler.advance(500);
      waited += 500;
    }
    waits.push_back(waited);
  }
  EXPECT_EQ(waits, (std::vector<int64_t>{2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}));
  scheduler.advance(60000);
  EXPECT_EQ(Call("GET", "/api/status").status, 200);
  EXPECT_EQ(Call("GET", "/api/status", "", "again").status, 401);
  EXPECT_EQ(Call("GET", "/api/status").status, 200) << "a success forgets the failures";
  // A missing header is no guess: it is never made to wait.
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(Call("GET", "/api/status", "", "").status, 401);
  EXPECT_EQ(Call("GET", "/api/status").status, 200);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"play"}));
}

TEST_F(ConsoleServiceTest, RoutesMethodsAndTheirAnswers) {
  struct Case {
    const char* method;
    const char* target;
    int status;
    const char* allow;
  };
  const Case cases[] = {
      {"GET", "/", 200, nullptr},
      {"GET", "/index.html?x=1", 200, nullptr},
      {"POST", "/", 405, "GET"},
      {"GET", "/favicon.ico", 404, nullptr},
      {"GET", "/api/status?x", 200, nullptr},
      {"POST", "/api/status", 405, "GET"},
      {"GET", "/api/play", 405, "POST"},
      {"DELETE", "/api/stop", 405, "POST"},
      {"POST", "/api/shows", 405, "GET"},
      {"GET", "/api/shows/a.vrx", 405, "PUT"},
      {"GET", "/api/open", 405, "POST"},
      {"PUT", "/api/log", 405, "GET"},
      {"GET", "/api/status/", 404, nullptr},
      {"GET", "/api/Status", 404, nullptr},
      {"GET", "/api/", 404, nullptr},
      {"BREW", "/api/play", 405, "POST"},
  };
  for (const Case& c : cases) {
    const HttpReply reply = Call(c.method, c.target);
    EXPECT_EQ(reply.status, c.status) << c.method << " " << c.target;
    EXPECT_EQ(HeaderOf(reply, "Allow"), c.allow ? c.allow : "<none>") << c.target;
    EXPECT_EQ(HeaderOf(reply, "Cache-Control"), "no-store");
    EXPECT_EQ(HeaderOf(reply, "X-Content-Type-Options"), "nosniff");
    for (const auto& [key, value] : reply.headers) {
      EXPECT_EQ(key.find("Access-Control"), std::string::npos) << key;
      EXPECT_NE(key, "Set-Cookie");
    }
  }
  EXPECT_TRUE(player.calls.empty());

  const HttpReply page = Call("GET", "/", "", "");
  EXPECT_EQ(page.status, 200) << "the page itself needs no token";
  EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
  EXPECT_EQ(page.body, "<!DOCTYPE html><title>控制台</title>");
  EXPECT_EQ(HeaderOf(page, "X-Frame-Options"), "DENY");
  EXPECT_NE(HeaderOf(page, "Content-Security-Policy").find("default-src 'none'"),
            std::string::npos);
  EXPECT_EQ(Call("GET", "/" + std::string(kMaxTargetBytes, 'a')).status, 414);
}

TEST_F(ConsoleServiceTest, StatusAndCommandsAnswerWithTheStateOrWhyNot) {
  player.status = {"/w/shows/a.vrx", "同步屏", true, "play", "Page2", 1, 3, "/w/shows/plan.tak", 0,
                   "/w/shows/a.vrx"};
  scheduler.advance(61500);
  const std::string expected =
      "{\"file\":\"/w/shows/a.vrx\",\"title\":\"同步屏\",\"playing\":true,\"mode\":\"play\","
      "\"page\":\"Page2\",\"pageIndex\":1,\"pass\":3,\"taskList\":\"/w/shows/plan.tak\","
      "\"task\":{\"row\":0,\"file\":\"/w/shows/a.vrx\"},\"version\":\"1.0.0\","
      "\"uptimeSeconds\":61}";
  EXPECT_EQ(Call("GET", "/api/status").body, expected);
  EXPECT_EQ(Call("POST", "/api/play").body, expected);
  player.status = ConsoleStatus{};
  EXPECT_EQ(Call("POST", "/api/stop").body,
            "{\"file\":\"\",\"title\":\"\",\"playing\":false,\"mode\":\"idle\",\"page\":null,"
            "\"pageIndex\":null,\"pass\":0,\"taskList\":null,\"task\":null,"
            "\"version\":\"1.0.0\",\"uptimeSeconds\":61}");
  player.outcome = {false, "无内容可用于预览!"};
  const HttpReply refused = Call("POST", "/api/test");
  EXPECT_EQ(refused.status, 409);
  EXPECT_EQ(refused.body, "{\"error\":\"无内容可用于预览!\"}");
  EXPECT_EQ(player.calls, (std::vector<std::string>{"play", "stop", "test"}));
  EXPECT_EQ(Call("POST", "/api/play", std::string(kMaxSmallBodyBytes + 1, 'x')).status, 413);
  EXPECT_EQ(player.calls.size(), 3u);
}

TEST_F(ConsoleServiceTest, TheScreenIsCapturedAtMostOnceASecondForEveryViewer) {
  HttpReply first = Call("GET", "/api/screen.png");
  EXPECT_EQ(first.status, 200);
  EXPECT_EQ(first.contentType, "image/png");
  EXPECT_EQ(first.body, "\x89PNG-1");
  player.png = "\x89PNG-2";
  scheduler.advance(400);
  EXPECT_EQ(Call("GET", "/api/screen.png", "", kToken, "10.0.0.2").body, "\x89PNG-1");
  scheduler.advance(599);
  EXPECT_EQ(Call("GET", "/api/screen.png").body, "\x89PNG-1");
  EXPECT_EQ(player.captures, 1);
  scheduler.advance(1);
  EXPECT_EQ(Call("GET", "/api/screen.png").body, "\x89PNG-2");
  EXPECT_EQ(player.captures, 2);
  player.png.clear();
  scheduler.advance(1000);
  EXPECT_EQ(Call("GET", "/api/screen.png").status, 503);
}

TEST_F(ConsoleServiceTest, ShowsAreUploadedListedAndOpenedFromTheFolderOnly) {
  EXPECT_EQ(Call("GET", "/api/shows").body, "{\"folder\":\"" + dir / "shows" + "\",\"shows\":[]}");
  // A Chinese name arrives percent-encoded.
  const HttpReply put = Call("PUT", "/api/shows/%E8%8A%82%E7%9B%AE.vrx", "<VRX/>\r\n");
  EXPECT_EQ(put.status, 201);
  EXPECT_EQ(put.body, "{\"name\":\"节目.vrx\",\"bytes\":8}");
  EXPECT_EQ(Call("PUT", "/api/shows/plan.TAK", "<VORN/>").status, 201);
  EXPECT_EQ(Call("PUT", "/api/shows/plan.TAK", "<VORN></VORN>").status, 201) << "replaced";
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir / "shows/节目.vrx", bytes));
  EXPECT_EQ(bytes, "<VRX/>\r\n");
  ASSERT_TRUE(ReadFileBytes(dir / "shows/plan.TAK", bytes));
  EXPECT_EQ(bytes, "<VORN></VORN>");
  // Only shows with good names that are regular files are listed and opened.
  ASSERT_EQ(symlink("/etc/passwd", (dir / "shows/link.vrx").c_str()), 0);
  ASSERT_EQ(mkdir((dir / "shows/folder.vrx").c_str(), 0755), 0);
  ASSERT_TRUE(WriteFileAtomic(dir / "shows/notes.txt", "x"));
  ASSERT_TRUE(WriteFileAtomic(dir / "outside.vrx", "<VRX/>"));
  const std::string list = Call("GET", "/api/shows").body;
  EXPECT_NE(list.find("\"shows\":[{\"name\":\"plan.TAK\",\"bytes\":13,\"modified\":\""),
            std::string::npos)
      << list;
  EXPECT_NE(list.find("},{\"name\":\"节目.vrx\",\"bytes\":8,"), std::string::npos) << list;
  for (const char* hidden : {"link.vrx", "folder.vrx", "notes.txt", "outside"})
    EXPECT_EQ(list.find(hidden), std::string::npos) << hidden;

  EXPECT_EQ(Call("POST", "/api/open", "{\"name\":\"节目.vrx\"}").status, 200);
  EXPECT_EQ(Call("POST", "/api/open", "{\"name\": \"plan.TAK\", \"discard\": true}").status, 200);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"open " + dir / "shows/节目.vrx",
                                                    "open " + dir / "shows/plan.TAK discard"}));
  player.outcome = {false, "播放器上的节目有未保存的修改"};
  EXPECT_EQ(Call("POST", "/api/open", "{\"name\":\"节目.vrx\"}").body,
            "{\"error\":\"播放器上的节目有未保存的修改\"}");
  player.calls.clear();

  struct Refusal {
    const char* method;
    const char* target;
    std::string body;
    int status;
    const char* error;
  };
  const Refusal refusals[] = {
      {"PUT", "/api/shows/..%2Foutside.vrx", "x", 400, "文件名不能含有路径"},
      {"PUT", "/api/shows/sub/a.vrx", "x", 400, "文件名不能含有路径"},
      {"PUT", "/api/shows/..", "x", 400, "文件名不能以“.”开头"},
      {"PUT", "/api/shows/.vrx", "x", 400, "文件名不能以“.”开头"},
      {"PUT", "/api/shows/a.exe", "x", 400, "只接受.vrx节目文件和.tak任务文件"},
      {"PUT", "/api/shows/a.vrx%00.txt", "x", 400, "文件名含有控制字符"},
      {"PUT", "/api/shows/%FF.vrx", "x", 400, "文件名不是有效的UTF-8文字"},
      {"PUT", "/api/shows/a%2.vrx", "x", 400, "文件名的编码不对"},
      {"PUT", "/api/shows/", "x", 400, "文件名为空"},
      {"PUT", "/api/shows/b.vrx", "", 400, "文件是空的"},
      {"PUT", "/api/shows/link.vrx", "x", 409, "同名的不是普通文件"},
      {"POST", "/api/open", "{\"name\":\"../outside.vrx\"}", 400, "文件名不能含有路径"},
      {"POST", "/api/open", "{\"name\":\"/etc/passwd\"}", 400, "文件名不能含有路径"},
      {"POST", "/api/open", "{\"name\":\"notes.txt\"}", 400, "只接受.vrx节目文件和.tak任务文件"},
      {"POST", "/api/open", "{\"name\":\"link.vrx\"}", 404, "节目文件夹中没有这个文件"},
      {"POST", "/api/open", "{\"name\":\"folder.vrx\"}", 404, "节目文件夹中没有这个文件"},
      {"POST", "/api/open", "{\"name\":\"missing.vrx\"}", 404, "节目文件夹中没有这个文件"},
      {"POST", "/api/open", "{\"name\":1}", 400, "缺少文件名(name)"},
      {"POST", "/api/open", "{\"file\":\"a.vrx\"}", 400, "缺少文件名(name)"},
      {"POST", "/api/open", "{\"name\":\"a.vrx\",\"discard\":1}", 400, "discard应为true或false"},
      {"POST", "/api/open", "name=a.vrx", 400, "请求内容应为JSON对象"},
      {"POST", "/api/open", "", 400, "请求内容应为JSON对象"},
      {"PUT", "/api/shows/big.vrx", std::string(kMaxShowBytes + 1, 'x'), 413, "文件太大"},
  };
  for (const Refusal& r : refusals) {
    const HttpReply reply = Call(r.method, r.target, r.body);
    EXPECT_EQ(reply.status, r.status) << r.target << " " << r.body;
    EXPECT_EQ(reply.body, std::string("{\"error\":\"") + r.error + "\"}") << r.target;
  }
  EXPECT_TRUE(player.calls.empty());
  ASSERT_TRUE(ReadFileBytes(dir / "outside.vrx", bytes));
  EXPECT_EQ(bytes, "<VRX/>");
  EXPECT_FALSE(FileExists(dir / "shows/b.vrx"));
  EXPECT_FALSE(FileExists(dir / "shows/big.vrx"));
  char target[64] = {};
  ASSERT_GT(readlink((dir / "shows/link.vrx").c_str(), target, sizeof target - 1), 0);
  EXPECT_STREQ(target, "/etc/passwd") << "the link stays as it was";
}

TEST_F(ConsoleServiceTest, TheLogOfADayComesFromItsFile) {
  service.Record({"", "start", "play", "/w/a.vrx", "Page1", 1, ""});
  scheduler.advance(15000);
  service.Record({"", "end", "play", "/w/a.vrx", "Page1", 1, "finished"});
  const std::string expected =
      "{\"date\":\"2026-12-08\",\"file\":\"" + dir / "play-log-2026-12-08.tsv" +
      "\",\"records\":[{\"time\":\"2026-12-08 19:30:00\",\"event\":\"start\",\"mode\":\"play\","
      "\"project\":\"/w/a.vrx\",\"page\":\"Page1\",\"pass\":1,\"ended\":\"\"},"
      "{\"time\":\"2026-12-08 19:30:15\",\"event\":\"end\",\"mode\":\"play\","
      "\"project\":\"/w/a.vrx\",\"page\":\"Page1\",\"pass\":1,\"ended\":\"finished\"}]}";
  EXPECT_EQ(Call("GET", "/api/log").body, expected);
  EXPECT_EQ(Call("GET", "/api/log?date=2026-12-08").body, expected);
  EXPECT_EQ(Call("GET", "/api/log?date=2026-12-07").body, "{\"date\":\"2026-12-07\",\"file\":\"" +
                                                              dir / "play-log-2026-12-07.tsv" +
                                                              "\",\"records\":[]}");
  for (const char* bad : {"/api/log?date=../../etc", "/api/log?date=2026-13-01",
                          "/api/log?date=2026-12-8", "/api/log?date=%2e%2e"})
    EXPECT_EQ(Call("GET", bad).status, 400) << bad;
}

TEST_F(ConsoleServiceTest, TheRequestLogNamesPeerMethodPathStatusAndSizeButNoSecret) {
  HttpRequest request;
  request.method = "GET";
  request.target = "/api/shows/a\x01\"b.vrx?token=secret";
  request.peer = "192.168.1.20";
  request.headers = {{"Authorization", std::string("Bearer ") + kToken}};
  const HttpReply reply = service.Handle(request);
  EXPECT_EQ(service.LogLine(request, reply),
            "console: 192.168.1.20 \"GET /api/shows/a??b.vrx\" 405 " +
                std::to_string(reply.body.size()));
  request.target = "/" + std::string(500, 'x');
  EXPECT_EQ(service.LogLine(request, reply).size(),
            std::string("console: 192.168.1.20 \"GET \" 405 ").size() + 200 +
                std::to_string(reply.body.size()).size());
}

} // namespace
