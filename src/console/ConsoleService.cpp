#include "console/ConsoleService.h"

#include "console/ConsoleJson.h"
#include "console/ConsolePlayer.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/Scheduler.h"

namespace {

HttpReply Json(int status, std::string body) {
  HttpReply reply;
  reply.status = status;
  reply.body = std::move(body);
  return reply;
}

HttpReply Error(int status, const std::string& message) {
  return Json(status, JsonObject().Add("error", message).Text());
}

HttpReply WrongMethod(const char* allowed) {
  HttpReply reply = Error(405, "不支持这种请求方法");
  reply.headers.emplace_back("Allow", allowed);
  return reply;
}

std::string StatusJson(const ConsoleStatus& s, const std::string& version, int64_t uptime) {
  JsonObject o;
  o.Add("file", s.file).Add("title", s.title).Add("playing", s.playing).Add("mode", s.mode);
  if (s.page.empty())
    o.AddNull("page");
  else
    o.Add("page", s.page);
  if (s.pageIndex < 0)
    o.AddNull("pageIndex");
  else
    o.Add("pageIndex", s.pageIndex);
  o.Add("pass", s.pass);
  if (s.taskList.empty())
    o.AddNull("taskList");
  else
    o.Add("taskList", s.taskList);
  if (s.task < 0)
    o.AddNull("task");
  else
    o.AddRaw("task", JsonObject().Add("row", s.task).Add("file", s.taskFile).Text());
  o.Add("version", version).Add("uptimeSeconds", uptime);
  return o.Text();
}

// The page's own rules: its script and style are inline, pictures come as blobs from the API,
// requests go back to this player only, and no other site may frame it.
constexpr const char* kPagePolicy =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
    "img-src blob:; connect-src 'self'; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

} // namespace

ConsoleService::ConsoleService(ConsolePlayer& player, Scheduler& scheduler, const LocalClock& clock,
                               Config config)
    : player_(player), scheduler_(scheduler), config_(std::move(config)), auth_(config_.token),
      shows_(config_.showsFolder), log_(config_.logFolder, clock), startMs_(scheduler.now()) {}

HttpReply ConsoleService::Handle(const HttpRequest& request) {
  HttpReply reply;
  if (request.target.size() > kMaxTargetBytes) {
    reply = Error(414, "请求地址太长");
  } else {
    const std::string path = TargetPath(request.target);
    if (path == "/api" || path.rfind("/api/", 0) == 0) {
      reply = Api(request, path);
    } else if (path == "/" || path == "/index.html") {
      if (request.method != "GET") {
        reply = WrongMethod("GET");
      } else {
        reply.contentType = "text/html; charset=utf-8";
        reply.body = config_.page;
        reply.headers.emplace_back("Content-Security-Policy", kPagePolicy);
        reply.headers.emplace_back("X-Frame-Options", "DENY");
        reply.headers.emplace_back("Referrer-Policy", "no-referrer");
      }
    } else {
      reply = Error(404, "没有这个地址");
    }
  }
  reply.headers.emplace_back("Cache-Control", "no-store");
  reply.headers.emplace_back("X-Content-Type-Options", "nosniff");
  return reply;
}

HttpReply ConsoleService::Api(const HttpRequest& request, const std::string& path) {
  const int64_t now = scheduler_.now();
  switch (auth_.Check(request.Header("Authorization"), request.peer, now)) {
  case ConsoleAuth::Verdict::Granted: break;
  case ConsoleAuth::Verdict::Waiting: {
    HttpReply reply = Error(429, "口令错误次数太多，请稍后再试");
    reply.headers.emplace_back("Retry-After",
                               std::to_string((auth_.WaitMs(request.peer, now) + 999) / 1000));
    return reply;
  }
  case ConsoleAuth::Verdict::Missing:
  case ConsoleAuth::Verdict::Wrong: {
    HttpReply reply = Error(401, "需要正确的访问口令");
    reply.headers.emplace_back("WWW-Authenticate", "Bearer realm=\"zyntra\"");
    return reply;
  }
  }

  const std::string& method = request.method;
  static const std::string kShowsPrefix = "/api/shows/";
  if (path.rfind(kShowsPrefix, 0) == 0) {
    if (method != "PUT") return WrongMethod("PUT");
    if (request.body.size() > kMaxShowBytes) return Error(413, "文件太大");
    return PutShow(path.substr(kShowsPrefix.size()), request.body);
  }
  if (request.body.size() > kMaxSmallBodyBytes) return Error(413, "请求内容太大");

  if (path == "/api/status") {
    if (method != "GET") return WrongMethod("GET");
    return Status();
  }
  if (path == "/api/screen.png") {
    if (method != "GET") return WrongMethod("GET");
    return Screen();
  }
  if (path == "/api/shows") {
    if (method != "GET") return WrongMethod("GET");
    return Shows();
  }
  if (path == "/api/log") {
    if (method != "GET") return WrongMethod("GET");
    return DayLog(request.target);
  }
  if (path == "/api/open") {
    if (method != "POST") return WrongMethod("POST");
    return Open(request.body);
  }
  ConsoleOutcome (ConsolePlayer::*command)() = nullptr;
  if (path == "/api/play")
    command = &ConsolePlayer::Play;
  else if (path == "/api/stop")
    command = &ConsolePlayer::Stop;
  else if (path == "/api/test")
    command = &ConsolePlayer::Test;
  if (!command) return Error(404, "没有这个地址");
  if (method != "POST") return WrongMethod("POST");
  const ConsoleOutcome outcome = (player_.*command)();
  if (!outcome.done) return Error(409, outcome.message);
  return Status();
}

HttpReply ConsoleService::Status() {
  const int64_t uptime = (scheduler_.now() - startMs_) / 1000;
  return Json(200, StatusJson(player_.Status(), config_.version, uptime));
}

HttpReply ConsoleService::Screen() {
  const int64_t now = scheduler_.now();
  if (png_.empty() || now - pngAtMs_ >= kCaptureMs) {
    png_ = player_.ScreenPng();
    pngAtMs_ = now;
  }
  if (png_.empty()) return Error(503, "屏幕窗口不可用");
  HttpReply reply;
  reply.contentType = "image/png";
  reply.body = png_;
  return reply;
}

HttpReply ConsoleService::Shows() {
  std::string list = "[";
  for (const ShowsFolder::Entry& e : shows_.List()) {
    if (list.size() > 1) list += ',';
    list +=
        JsonObject().Add("name", e.name).Add("bytes", e.bytes).Add("modified", e.modified).Text();
  }
  list += "]";
  return Json(200, JsonObject().Add("folder", shows_.Path()).AddRaw("shows", list).Text());
}

HttpReply ConsoleService::PutShow(const std::string& encodedName, const std::string& body) {
  std::string name;
  if (!PercentDecode(encodedName, name)) return Error(400, "文件名的编码不对");
  if (const auto problem = ShowsFolder::CheckName(name); problem != ShowsFolder::NameProblem::None)
    return Error(400, ShowsFolder::NameProblemText(problem));
  if (body.empty()) return Error(400, "文件是空的");
  std::string why;
  if (!shows_.Write(name, body, &why)) return Error(409, why);
  return Json(201, JsonObject().Add("name", name).Add("bytes", int64_t(body.size())).Text());
}

HttpReply ConsoleService::Open(const std::string& body) {
  const auto members = ParseFlatJsonObject(body);
  if (!members) return Error(400, "请求内容应为JSON对象");
  const auto name = members->find("name");
  if (name == members->end() || name->second.kind != JsonScalar::Kind::String)
    return Error(400, "缺少文件名(name)");
  bool discard = false;
  if (auto d = members->find("discard"); d != members->end()) {
    if (d->second.kind != JsonScalar::Kind::Bool) return Error(400, "discard应为true或false");
    discard = d->second.flag;
  }
  if (const auto problem = ShowsFolder::CheckName(name->second.text);
      problem != ShowsFolder::NameProblem::None)
    return Error(400, ShowsFolder::NameProblemText(problem));
  const std::optional<std::string> path = shows_.Find(name->second.text);
  if (!path) return Error(404, "节目文件夹中没有这个文件");
  const ConsoleOutcome outcome = player_.Open(*path, discard);
  if (!outcome.done) return Error(409, outcome.message);
  return Status();
}

HttpReply ConsoleService::DayLog(const std::string& target) {
  std::string date = QueryValue(target, "date");
  if (date.empty()) date = log_.Today();
  if (!PlayLog::IsDate(date)) return Error(400, "日期应写作YYYY-MM-DD");
  return Json(200, JsonObject()
                       .Add("date", date)
                       .Add("file", log_.FileOf(date))
                       .AddRaw("records", PlayLog::Json(log_.ReadDay(date)))
                       .Text());
}

std::string ConsoleService::LogLine(const HttpRequest& request, const HttpReply& reply) const {
  std::string target = TargetPath(request.target).substr(0, 200);
  std::string method = request.method.substr(0, 16);
  for (std::string* text : {&target, &method}) {
    for (char& c : *text) {
      const auto u = static_cast<unsigned char>(c);
      if (u < 0x20 || u == 0x7F || c == '"') c = '?';
    }
  }
  return "console: " + request.peer + " \"" + method + " " + target + "\" " +
         std::to_string(reply.status) + " " + std::to_string(reply.body.size());
}
