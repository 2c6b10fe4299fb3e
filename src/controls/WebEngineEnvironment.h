#pragma once

#include <map>
#include <string>

/// What the web engine (Chromium inside Qt WebEngine) needs from the process environment here.
/// The program's main() calls PrepareWebEngineEnvironment() first thing, before the QApplication
/// exists; the Flash library calls it again before its first page (harmless, as set values are
/// kept), which is in time for every setting but the shared GL contexts.
class WebEngineEnvironment {
public:
  /// The facts the choice depends on.
  struct Facts {
    bool root = false;         ///< running as root (Chromium refuses its sandbox then)
    std::string platform;      ///< QT_QPA_PLATFORM, "" when unset
    bool hasDisplay = false;   ///< DISPLAY or WAYLAND_DISPLAY is set
    bool hasGpu = false;       ///< a DRM render node exists (/dev/dri/renderD*)
    std::string forceSoftware; ///< ZYNTRA_SOFTWARE_RENDERING: "1" forces, "0" forbids
  };

  /// The facts of this process.
  static Facts Probe();
  /// True when web pages should be rendered in software: forced, offscreen or minimal platform,
  /// no display, or no GPU.
  static bool WantsSoftware(const Facts& facts);
  /// The variables to set for `facts`, given the current values in `current` (a variable the user
  /// set is kept; Chromium flags are appended). Only changed variables are returned.
  static std::map<std::string, std::string>
  Variables(const Facts& facts, const std::map<std::string, std::string>& current);
};

/// Sets the variables of WebEngineEnvironment::Variables() for this process and shares OpenGL
/// contexts between windows (Qt WebEngine's requirement when it is loaded as a plug-in). Call
/// before the QApplication is created; later calls only set what is still missing.
void PrepareWebEngineEnvironment();
