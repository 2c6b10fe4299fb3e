#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The user's record of registered control libraries: the file
// `$XDG_CONFIG_HOME/zyntra/controls.ini` (`~/.config/zyntra/controls.ini` without the variable),
// UTF-8 text with one line per class identifier in its [Controls] section:
//
//   [Controls]
//   {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}=/usr/lib/zyntra/libzyntra-clock.so
//
// Control libraries write it from DllRegisterServer/DllUnregisterServer (through
// controls/ControlModuleExports.h) and the control host reads it. Lines outside the section,
// and unknown lines inside it, are kept as they are when the file is rewritten.

/// Reads and changes the registration file of control libraries.
class ControlRegistry {
public:
  /// Works on the file at `path` (DefaultPath() unless a test or tool gives another).
  explicit ControlRegistry(std::string path = DefaultPath());

  /// `$XDG_CONFIG_HOME/zyntra/controls.ini`, or `$HOME/.config/zyntra/controls.ini` when the
  /// variable is unset or not absolute.
  static std::string DefaultPath();
  /// True for a class identifier of the form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (hex).
  static bool IsClassId(const std::string& text);
  /// The class identifier in upper case, the form the file and the libraries use.
  static std::string NormalizeClassId(const std::string& text);

  /// The file this registry reads and writes.
  const std::string& path() const { return path_; }

  /// The library registered for a class identifier (compared without case); nullopt when the
  /// file or the entry is missing.
  std::optional<std::string> LibraryOf(const std::string& clsid) const;
  /// Every (class identifier, library path) pair of the file, in file order.
  std::vector<std::pair<std::string, std::string>> Entries() const;

  /// Records `libraryPath` (absolute) for a class identifier, replacing an older entry, and
  /// writes the file atomically (creating its folder). False, with the reason in `error`, for a
  /// malformed class identifier, a relative path or a write failure.
  bool Register(const std::string& clsid, const std::string& libraryPath,
                std::string* error = nullptr);
  /// Removes the entry of a class identifier. True also when there was none; false, with the
  /// reason in `error`, when the file could not be rewritten.
  bool Unregister(const std::string& clsid, std::string* error = nullptr);

private:
  std::string path_;
};
