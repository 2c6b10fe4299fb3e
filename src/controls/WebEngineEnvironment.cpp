#include "controls/WebEngineEnvironment.h"

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool HasRenderNode() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec))
    if (entry.path().filename().string().rfind("renderD", 0) == 0) return true;
  return false;
}

} // namespace

WebEngineEnvironment::Facts WebEngineEnvironment::Probe() {
  Facts f;
  f.root = geteuid() == 0;
  f.platform = Env("QT_QPA_PLATFORM");
  f.hasDisplay = !Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty();
  f.hasGpu = HasRenderNode();
  f.forceSoftware = Env("ZYNTRA_SOFTWARE_RENDERING");
  return f;
}

bool WebEngineEnvironment::WantsSoftware(const Facts& f) {
  if (f.forceSoftware == "1") return true;
  if (f.forceSoftware == "0") return false;
  std::string platform = f.platform.substr(0, f.platform.find(':'));
  return platform == "offscreen" || platform == "minimal" || (platform.empty() && !f.hasDisplay) ||
         !f.hasGpu;
}

std::map<std::string, std::string>
WebEngineEnvironment::Variables(const Facts& f, const std::map<std::string, std::string>& current) {
  auto value = [&current](const std::string& name) {
    auto it = current.find(name);
    return it == current.end() ? std::string() : it->second;
  };
  std::map<std::string, std::string> out;
  if (f.root && value("QTWEBENGINE_DISABLE_SANDBOX").empty())
    out["QTWEBENGINE_DISABLE_SANDBOX"] = "1";
  if (WantsSoftware(f)) {
    // Qt Quick draws the view in software, Chromium composites without GPU, and no GPU process
    // tries (and fails) to start on a machine or virtual display without one.
    if (value("QT_QUICK_BACKEND").empty()) out["QT_QUICK_BACKEND"] = "software";
    std::string flags = value("QTWEBENGINE_CHROMIUM_FLAGS");
    std::string added = flags;
    for (const char* flag : {"--disable-gpu", "--disable-gpu-compositing"}) {
      bool present = (" " + added + " ").find(std::string(" ") + flag + " ") != std::string::npos;
      if (!present) added += (added.empty() ? "" : " ") + std::string(flag);
    }
    if (added != flags) out["QTWEBENGINE_CHROMIUM_FLAGS"] = added;
  }
  return out;
}

void PrepareWebEngineEnvironment() {
  std::map<std::string, std::string> current;
  for (const char* name :
       {"QTWEBENGINE_DISABLE_SANDBOX", "QT_QUICK_BACKEND", "QTWEBENGINE_CHROMIUM_FLAGS"})
    current[name] = Env(name);
  for (const auto& [name, value] :
       WebEngineEnvironment::Variables(WebEngineEnvironment::Probe(), current))
    setenv(name.c_str(), value.c_str(), 1);
  if (!QCoreApplication::instance()) QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}
