#pragma once

#include <cstdint>
#include <string>

#include "console/ConsoleAuth.h"
#include "console/ConsoleHttp.h"
#include "console/PlayLog.h"
#include "console/ShowsFolder.h"

class ConsolePlayer;
class LocalClock;
class Scheduler;

/// The console's requests and answers, without the network: the page at "/", and the JSON API
/// under "/api/", every call of which needs the bearer token (401 without it, 429 while the
/// client must wait after failures; nothing happens in either case).
///
///   GET  /api/status        the ConsoleStatus object, with version and uptimeSeconds
///   GET  /api/screen.png    the wall, captured at most once a second for all viewers
///   POST /api/play|stop|test
///   GET  /api/shows         {"folder", "shows": [{"name", "bytes", "modified"}]}
///   PUT  /api/shows/NAME    the body written atomically as NAME (.vrx or .tak)
///   POST /api/open          {"name": NAME, "discard": false}: opens that file of the folder
///   GET  /api/log[?date=YYYY-MM-DD]  the proof of play of a day (today by default)
///
/// A command that cannot be done answers 409 with {"error": message}; a bad request 400, an
/// unknown path 404, another method 405 (with Allow), a body over its bound 413. No reply
/// carries cookies or CORS headers, so another site's page can neither call nor read the API.
class ConsoleService {
public:
  /// Screen captures are shared for this long, milliseconds.
  static constexpr int64_t kCaptureMs = 1000;

  /// What the service needs beside the program.
  struct Config {
    std::string token;       ///< the bearer token (empty: every call is refused)
    std::string showsFolder; ///< the shows folder
    std::string logFolder;   ///< where the daily proof-of-play files go
    std::string page;        ///< the HTML of "/"
    std::string version;     ///< the program's version
  };

  ConsoleService(ConsolePlayer& player, Scheduler& scheduler, const LocalClock& clock,
                 Config config);

  /// Answers one request.
  HttpReply Handle(const HttpRequest& request);
  /// The request log's line of a request and its reply (no credentials, no body, the target
  /// cut to 200 bytes and stripped of control characters).
  std::string LogLine(const HttpRequest& request, const HttpReply& reply) const;
  /// Appends a page start or end to the proof of play.
  void Record(const PlayRecord& record) { log_.Append(record); }
  /// The proof of play.
  const PlayLog& Log() const { return log_; }

private:
  HttpReply Api(const HttpRequest& request, const std::string& path);
  HttpReply Status();
  HttpReply Screen();
  HttpReply Shows();
  HttpReply PutShow(const std::string& encodedName, const std::string& body);
  HttpReply Open(const std::string& body);
  HttpReply DayLog(const std::string& target);

  ConsolePlayer& player_;
  Scheduler& scheduler_;
  Config config_;
  ConsoleAuth auth_;
  ShowsFolder shows_;
  PlayLog log_;
  int64_t startMs_;
  std::string png_;
  int64_t pngAtMs_ = 0;
};
