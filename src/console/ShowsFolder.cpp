#include "console/ShowsFolder.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>

#include "console/ConsoleJson.h"
#include "base/AtomicFile.h"

namespace {

bool EndsWithNoCase(const std::string& s, const char* tail) {
  const std::string t(tail);
  if (s.size() < t.size()) return false;
  for (size_t i = 0; i < t.size(); ++i) {
    char c = s[s.size() - t.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != t[i]) return false;
  }
  return true;
}

std::string LocalTimeText(time_t when) {
  struct tm parts {};
  localtime_r(&when, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

} // namespace

ShowsFolder::NameProblem ShowsFolder::CheckName(const std::string& name) {
  if (name.empty()) return NameProblem::Empty;
  if (name.size() > 255) return NameProblem::TooLong;
  for (unsigned char c : name) {
    if (c == '/' || c == '\\') return NameProblem::Separator;
    if (c < 0x20 || c == 0x7F) return NameProblem::Control;
  }
  if (name[0] == '.') return NameProblem::Hidden;
  if (!IsValidUtf8(name)) return NameProblem::BadUtf8;
  if (!EndsWithNoCase(name, ".vrx") && !EndsWithNoCase(name, ".tak")) return NameProblem::Extension;
  // ".vrx" alone is a hidden file, caught above; "a.vrx" has a name before its extension.
  return NameProblem::None;
}

const char* ShowsFolder::NameProblemText(NameProblem problem) {
  switch (problem) {
  case NameProblem::None: return "";
  case NameProblem::Empty: return "文件名为空";
  case NameProblem::TooLong: return "文件名太长";
  case NameProblem::Hidden: return "文件名不能以“.”开头";
  case NameProblem::Separator: return "文件名不能含有路径";
  case NameProblem::Control: return "文件名含有控制字符";
  case NameProblem::BadUtf8: return "文件名不是有效的UTF-8文字";
  case NameProblem::Extension: return "只接受.vrx节目文件和.tak任务文件";
  }
  return "";
}

bool ShowsFolder::IsTaskList(const std::string& name) { return EndsWithNoCase(name, ".tak"); }

std::string ShowsFolder::FilePath(const std::string& name) const {
  if (!path_.empty() && path_.back() == '/') return path_ + name;
  return path_ + "/" + name;
}

std::vector<ShowsFolder::Entry> ShowsFolder::List() const {
  std::vector<Entry> entries;
  DIR* dir = opendir(path_.c_str());
  if (!dir) return entries;
  while (dirent* item = readdir(dir)) {
    const std::string name = item->d_name;
    if (CheckName(name) != NameProblem::None) continue;
    struct stat st;
    if (lstat(FilePath(name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    entries.push_back({name, static_cast<int64_t>(st.st_size), LocalTimeText(st.st_mtime)});
    if (entries.size() >= 10000) break;
  }
  closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

std::optional<std::string> ShowsFolder::Find(const std::string& name) const {
  if (CheckName(name) != NameProblem::None) return std::nullopt;
  const std::string path = FilePath(name);
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return path;
}

bool ShowsFolder::Write(const std::string& name, const std::string& bytes,
                        std::string* error) const {
  if (const NameProblem problem = CheckName(name); problem != NameProblem::None) {
    if (error) *error = NameProblemText(problem);
    return false;
  }
  struct stat st;
  if (stat(path_.c_str(), &st) != 0) {
    if (mkdir(path_.c_str(), 0755) != 0 && errno != EEXIST) {
      if (error) *error = "无法建立节目文件夹";
      return false;
    }
  }
  const std::string path = FilePath(name);
  // A link would carry the write outside the folder; only regular files are replaced.
  if (lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    if (error) *error = "同名的不是普通文件";
    return false;
  }
  std::string why;
  if (!WriteFileAtomic(path, bytes, &why)) {
    if (error) *error = "文件保存失败：" + why;
    return false;
  }
  return true;
}
