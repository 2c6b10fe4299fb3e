#include "console/PlayLog.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "console/ConsoleJson.h"
#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"

namespace {

constexpr size_t kMaxRecordsRead = 20000;
constexpr size_t kMaxLogBytes = size_t{64} << 20;

std::string Field(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return out;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = line.find(separator, start);
    parts.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

bool AllDigits(const std::string& text, size_t from, size_t count) {
  for (size_t i = from; i < from + count; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

} // namespace

PlayLog::PlayLog(std::string folder, const LocalClock& clock)
    : folder_(std::move(folder)), clock_(clock) {}

bool PlayLog::IsDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  if (!AllDigits(text, 0, 4) || !AllDigits(text, 5, 2) || !AllDigits(text, 8, 2)) return false;
  const int month = (text[5] - '0') * 10 + (text[6] - '0');
  const int day = (text[8] - '0') * 10 + (text[9] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

std::string PlayLog::Today() const {
  const DateTimeParts p = FromDateTimeNumber(clock_.now());
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", p.year % 10000, p.month, p.day);
  return text;
}

std::string PlayLog::FileOf(const std::string& date) const {
  const std::string name = "play-log-" + date + ".tsv";
  if (folder_.empty()) return name;
  return folder_.back() == '/' ? folder_ + name : folder_ + "/" + name;
}

std::string PlayLog::Line(const PlayRecord& r) {
  return Field(r.time) + '\t' + Field(r.event) + '\t' + Field(r.mode) + '\t' + Field(r.project) +
         '\t' + Field(r.page) + '\t' + std::to_string(r.pass) + '\t' + Field(r.ended);
}

bool PlayLog::Append(PlayRecord record) {
  const DateTimeParts p = FromDateTimeNumber(clock_.now());
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", p.year % 10000, p.month,
                p.day, p.hour, p.minute, p.second);
  record.time = stamp;
  const std::string line = Line(record) + "\n";
  // One write of the whole line to a file opened for appending: two programs logging into the
  // same folder never interleave inside a line.
  const int fd = open(FileOf(record.time.substr(0, 10)).c_str(),
                      O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return false;
  ssize_t written;
  do {
    written = write(fd, line.data(), line.size());
  } while (written < 0 && errno == EINTR);
  const bool ok = written == static_cast<ssize_t>(line.size());
  return close(fd) == 0 && ok;
}

std::vector<PlayRecord> PlayLog::ReadDay(const std::string& date) const {
  std::vector<PlayRecord> records;
  if (!IsDate(date)) return records;
  std::string bytes;
  if (!ReadFileBytes(FileOf(date), bytes, nullptr, kMaxLogBytes)) return records;
  for (const std::string& line : Split(bytes, '\n')) {
    const std::vector<std::string> f = Split(line, '\t');
    if (f.size() != 7 || (f[1] != "start" && f[1] != "end")) continue;
    PlayRecord r{f[0], f[1], f[2], f[3], f[4], 0, f[6]};
    const auto [end, ec] = std::from_chars(f[5].data(), f[5].data() + f[5].size(), r.pass);
    if (ec != std::errc() || end != f[5].data() + f[5].size()) continue;
    records.push_back(std::move(r));
  }
  if (records.size() > kMaxRecordsRead)
    records.erase(records.begin(), records.end() - kMaxRecordsRead);
  return records;
}

std::string PlayLog::Json(const std::vector<PlayRecord>& records) {
  std::string out = "[";
  for (const PlayRecord& r : records) {
    if (out.size() > 1) out += ',';
    out += JsonObject()
               .Add("time", r.time)
               .Add("event", r.event)
               .Add("mode", r.mode)
               .Add("project", r.project)
               .Add("page", r.page)
               .Add("pass", r.pass)
               .Add("ended", r.ended)
               .Text();
  }
  return out + "]";
}
