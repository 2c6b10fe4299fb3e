#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/AtomicFile.h"

/// A fresh folder under the system's temporary folder, removed with its contents at the end.
class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zyntra-app-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  /// The folder itself.
  const std::string& path() const { return path_; }
  /// A path inside the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
};

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
