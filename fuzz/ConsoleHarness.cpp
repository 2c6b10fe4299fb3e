// The console's request handling: any bytes as a run of requests against one service with a
// recording player, a shows folder and a proof-of-play log in the fuzz folder. Each request is
// "METHOD TARGET" on its first line, "Name: value" header lines up to an empty line, then the
// body; requests are separated by a line "--", and each comes from one of three clients a
// little later than the one before. Whatever arrives: no request without the exact token makes
// the player do anything or writes a file, every JSON reply is valid UTF-8, no reply carries a
// cookie or a CORS header, and nothing is ever written outside the shows folder.

#include <dirent.h>

#include <set>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "console/ConsoleJson.h"
#include "console/ConsolePlayer.h"
#include "console/ConsoleService.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"

namespace {

constexpr const char* kToken = "fuzz-token-0123456789abcdef0123456789";

class RecordingPlayer : public ConsolePlayer {
public:
  int calls = 0;
  ConsoleStatus Status() override { return {}; }
  ConsoleOutcome Play() override { return Call(); }
  ConsoleOutcome Stop() override { return Call(); }
  ConsoleOutcome Test() override { return Call(); }
  ConsoleOutcome Open(const std::string& path, bool) override {
    FuzzCheck(path.rfind(FuzzTempPath("shows/"), 0) == 0, "only shows of the folder are opened");
    return Call();
  }
  std::string ScreenPng() override { return "\x89PNG"; }

private:
  ConsoleOutcome Call() {
    ++calls;
    return {calls % 2 == 0, "不行"};
  }
};

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (parts.size() < 64) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + separator.size();
  }
  return parts;
}

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* e = readdir(dir))
      names.insert(e->d_name);
    closedir(dir);
  }
  return names;
}

HttpRequest Parse(const std::string& text, int index) {
  HttpRequest request;
  const size_t headEnd = text.find("\n\n");
  const std::string head = text.substr(0, headEnd);
  request.body = headEnd == std::string::npos ? "" : text.substr(headEnd + 2);
  const std::vector<std::string> lines = Split(head, "\n");
  const size_t space = lines[0].find(' ');
  request.method = lines[0].substr(0, space);
  request.target = space == std::string::npos ? "/" : lines[0].substr(space + 1);
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t colon = lines[i].find(':');
    if (colon == std::string::npos) continue;
    std::string value = lines[i].substr(colon + 1);
    if (!value.empty() && value[0] == ' ') value.erase(0, 1);
    // "$TOKEN" stands for the real token, so the fuzzer reaches what lies behind the door.
    if (const size_t at = value.find("$TOKEN"); at != std::string::npos)
      value.replace(at, 6, kToken);
    request.headers.emplace_back(lines[i].substr(0, colon), value);
  }
  static const char* const kPeers[] = {"127.0.0.1", "::1", "192.168.1.9"};
  request.peer = kPeers[index % 3];
  return request;
}

} // namespace

int FuzzConsole(const uint8_t* data, size_t size) {
  const std::string shows = FuzzTempPath("shows");
  const std::string root = FuzzTempPath("");
  VirtualScheduler scheduler;
  SchedulerLocalClock clock(scheduler, 46000.5);
  RecordingPlayer player;
  ConsoleService service(player, scheduler, clock,
                         {kToken, shows, root, "<!DOCTYPE html>", "fuzz"});
  const std::set<std::string> before = Entries(root);

  const std::vector<std::string> requests = Split(std::string(AsText(data, size)), "\n--\n");
  for (size_t i = 0; i < requests.size(); ++i) {
    const HttpRequest request = Parse(requests[i], static_cast<int>(i));
    const int callsBefore = player.calls;
    const std::set<std::string> showsBefore = Entries(shows);
    const HttpReply reply = service.Handle(request);
    scheduler.advance(static_cast<int64_t>(requests[i].size()) * 37);

    FuzzCheck(reply.status >= 200 && reply.status < 600, "a real status");
    for (const auto& [key, value] : reply.headers) {
      FuzzCheck(key.find("Access-Control") == std::string::npos, "no CORS header");
      FuzzCheck(key != "Set-Cookie", "no cookie");
      FuzzCheck(value.find_first_of("\r\n") == std::string::npos, "no line break in a header");
    }
    if (reply.contentType.rfind("application/json", 0) == 0)
      FuzzCheck(IsValidUtf8(reply.body) && !reply.body.empty() && reply.body[0] == '{',
                "JSON replies are UTF-8 objects");
    const std::string authorization = request.Header("Authorization");
    if (authorization.find(kToken) == std::string::npos) {
      FuzzCheck(player.calls == callsBefore, "nothing happens without the token");
      FuzzCheck(Entries(shows) == showsBefore, "nothing is written without the token");
      FuzzCheck(reply.status != 200 || reply.contentType.rfind("text/html", 0) == 0,
                "only the page answers without the token");
    }
    (void)service.LogLine(request, reply);
  }

  // Only the shows folder and the day's log may have appeared beside what was there.
  for (const std::string& name : Entries(root)) {
    if (before.count(name)) continue;
    FuzzCheck(name == "shows" || name.rfind("play-log-", 0) == 0, "nothing else is written");
  }
  return 0;
}
