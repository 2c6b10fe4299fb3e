#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

// The folder lives as long as the process: libFuzzer runs millions of inputs in one process.
class TempFolder {
public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zyntra-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

} // namespace

std::string FuzzTempPath(const std::string& name) {
  static TempFolder folder;
  return folder.Path() + "/" + name;
}

std::string WriteFuzzFile(const std::string& name, std::string_view bytes) {
  std::string path = FuzzTempPath(name);
  FILE* f = std::fopen(path.c_str(), "wb");
  FuzzCheck(f != nullptr, "cannot create the input file");
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  FuzzCheck(std::fclose(f) == 0 && written, "cannot write the input file");
  return path;
}

void FuzzCheck(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
