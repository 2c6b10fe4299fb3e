#pragma once

#include <string>

/// The user's control registry: $XDG_CONFIG_HOME/zyntra/controls.ini (default ~/.config).
std::string GlassoRegistryPath();
/// Records `clsid` with this library's absolute path under [Controls]; false when it cannot.
bool RegisterGlasso(const std::string& clsid, const std::string& name);
/// Removes `clsid` from the registry; true also when it was not there.
bool UnregisterGlasso(const std::string& clsid);
