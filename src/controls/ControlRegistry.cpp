#include "controls/ControlRegistry.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

#include "base/AtomicFile.h"

namespace {

constexpr const char* kSection = "[Controls]";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool IsSectionLine(const std::string& line) { return !line.empty() && line.front() == '['; }

// The class identifier of an entry line of the section, or "" for any other line.
std::string EntryKey(const std::string& line) {
  size_t eq = line.find('=');
  if (eq == std::string::npos) return std::string();
  std::string key = line.substr(0, eq);
  return ControlRegistry::IsClassId(key) ? ControlRegistry::NormalizeClassId(key) : std::string();
}

// Creates every missing folder of a path's parent, as mkdir -p does.
bool MakeParentFolders(const std::string& path, std::string* error) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
      if (error) *error = "cannot create " + folder + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

// Rewrites the section: `value` set for `clsid`, or the entry removed when value is nullopt.
bool Rewrite(const std::string& path, const std::string& clsid,
             const std::optional<std::string>& value, std::string* error) {
  std::string text;
  std::vector<std::string> lines;
  if (FileExists(path)) {
    if (!ReadFileBytes(path, text, error)) return false;
    lines = SplitLines(text);
  }
  const std::string key = ControlRegistry::NormalizeClassId(clsid);
  std::vector<std::string> out;
  bool inSection = false;
  bool sawSection = false;
  bool written = false;
  auto flushEntry = [&] {
    if (value && !written) out.push_back(key + "=" + *value);
    written = true;
  };
  for (const std::string& line : lines) {
    if (IsSectionLine(line)) {
      if (inSection) flushEntry();
      inSection = line == kSection;
      sawSection = sawSection || inSection;
      out.push_back(line);
      continue;
    }
    if (inSection && EntryKey(line) == key) {
      if (value && !written) out.push_back(key + "=" + *value);
      written = true;
      continue;
    }
    out.push_back(line);
  }
  if (inSection) flushEntry();
  if (!sawSection && value) {
    out.push_back(kSection);
    out.push_back(key + "=" + *value);
  }
  std::string bytes;
  for (const std::string& line : out)
    bytes += line + "\n";
  if (!MakeParentFolders(path, error)) return false;
  return WriteFileAtomic(path, bytes, error);
}

} // namespace

ControlRegistry::ControlRegistry(std::string path) : path_(std::move(path)) {}

std::string ControlRegistry::DefaultPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home ? home : "") + "/.config";
  }
  return base + "/zyntra/controls.ini";
}

bool ControlRegistry::IsClassId(const std::string& text) {
  // {8-4-4-4-12}
  static const char kPattern[] = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  if (text.size() != sizeof kPattern - 1) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] == 'X') {
      if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    } else if (text[i] != kPattern[i]) {
      return false;
    }
  }
  return true;
}

std::string ControlRegistry::NormalizeClassId(const std::string& text) {
  std::string upper = text;
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::vector<std::pair<std::string, std::string>> ControlRegistry::Entries() const {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string text;
  if (!FileExists(path_) || !ReadFileBytes(path_, text)) return entries;
  bool inSection = false;
  for (const std::string& line : SplitLines(text)) {
    if (IsSectionLine(line)) {
      inSection = line == kSection;
      continue;
    }
    std::string key = inSection ? EntryKey(line) : std::string();
    if (!key.empty()) entries.emplace_back(key, line.substr(line.find('=') + 1));
  }
  return entries;
}

std::optional<std::string> ControlRegistry::LibraryOf(const std::string& clsid) const {
  const std::string key = NormalizeClassId(clsid);
  for (auto& [id, library] : Entries()) {
    if (id == key) return library;
  }
  return std::nullopt;
}

bool ControlRegistry::Register(const std::string& clsid, const std::string& libraryPath,
                               std::string* error) {
  if (!IsClassId(clsid)) {
    if (error) *error = "not a class identifier: " + clsid;
    return false;
  }
  if (libraryPath.empty() || libraryPath.front() != '/' ||
      libraryPath.find('\n') != std::string::npos) {
    if (error) *error = "not an absolute library path: " + libraryPath;
    return false;
  }
  return Rewrite(path_, clsid, libraryPath, error);
}

bool ControlRegistry::Unregister(const std::string& clsid, std::string* error) {
  if (!LibraryOf(clsid)) return true;
  return Rewrite(path_, clsid, std::nullopt, error);
}
