#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/AtomicFile.h"
#include "support/TempDir.h"

/// The whole file, or "<missing>" when it cannot be read.
inline std::string FileBytes(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return "<missing>";
  return bytes;
}

/// Switches the process to the German locale (decimal comma) while it lives.
class GermanLocale {
public:
  GermanLocale() : active_(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {}
  ~GermanLocale() { std::setlocale(LC_ALL, "C"); }
  GermanLocale(const GermanLocale&) = delete;
  GermanLocale& operator=(const GermanLocale&) = delete;
  /// False when the locale is not installed.
  bool active() const { return active_; }

private:
  bool active_;
};
