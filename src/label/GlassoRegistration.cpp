#include "label/GlassoRegistration.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <sstream>
#include <sys/stat.h>
#include <vector>

#include "model/AtomicFile.h"

namespace {

const char kSection[] = "[Controls]";

std::string ThisLibraryPath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&ThisLibraryPath), &info) || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  if (!realpath(info.dli_fname, resolved)) return {};
  return resolved;
}

bool MakeDirs(const std::string& dir) {
  std::string partial;
  std::stringstream parts(dir);
  std::string part;
  if (!dir.empty() && dir[0] == '/') partial = "/";
  while (std::getline(parts, part, '/')) {
    if (part.empty()) continue;
    partial += part + "/";
    if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// The registry's lines without the entry of `clsid` (and with the section line present).
std::vector<std::string> LinesWithout(const std::string& clsid) {
  std::vector<std::string> lines;
  std::string bytes;
  bool hasSection = false;
  if (ReadFileBytes(GlassoRegistryPath(), bytes)) {
    std::stringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind(clsid + "=", 0) == 0) continue;
      if (line == kSection) hasSection = true;
      lines.push_back(line);
    }
  }
  if (!hasSection) lines.insert(lines.begin(), kSection);
  return lines;
}

bool WriteLines(const std::vector<std::string>& lines) {
  std::string path = GlassoRegistryPath();
  if (!MakeDirs(path.substr(0, path.rfind('/')))) return false;
  std::string bytes;
  for (const std::string& line : lines)
    bytes += line + "\n";
  return WriteFileAtomic(path, bytes);
}

} // namespace

std::string GlassoRegistryPath() {
  const char* config = getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config) {
    base = config;
  } else {
    const char* home = getenv("HOME");
    base = std::string(home ? home : "") + "/.config";
  }
  return base + "/zyntra/controls.ini";
}

bool RegisterGlasso(const std::string& clsid, const std::string& name) {
  (void)name;
  std::string library = ThisLibraryPath();
  if (library.empty()) return false;
  std::vector<std::string> lines = LinesWithout(clsid);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == kSection) {
      lines.insert(lines.begin() + static_cast<long>(i) + 1, clsid + "=" + library);
      break;
    }
  }
  return WriteLines(lines);
}

bool UnregisterGlasso(const std::string& clsid) {
  if (!FileExists(GlassoRegistryPath())) return true;
  return WriteLines(LinesWithout(clsid));
}
