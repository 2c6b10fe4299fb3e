#include "console/ConsoleToken.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "controls/ControlRegistry.h"
#include "base/AtomicFile.h"

namespace {

bool IsTokenCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         std::strchr("._~+/=-", c) != nullptr;
}

std::string Trimmed(const std::string& text) {
  size_t start = 0, end = text.size();
  while (start < end && std::strchr(" \t\r\n", text[start]))
    ++start;
  while (end > start && std::strchr(" \t\r\n", text[end - 1]))
    --end;
  return text.substr(start, end - start);
}

bool IsUsableToken(const std::string& token) {
  if (token.size() < 32 || token.size() > 512) return false;
  for (char c : token) {
    if (!IsTokenCharacter(c)) return false;
  }
  return true;
}

bool RandomBytes(unsigned char* out, size_t n) {
  size_t got = 0;
  while (got < n) {
    const ssize_t r = getrandom(out + got, n - got, 0);
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    got += static_cast<size_t>(r);
  }
  return true;
}

// Makes every missing folder of `folder` (mode 0700); true when it exists afterwards.
bool MakeFolders(const std::string& folder) {
  if (folder.empty()) return true;
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = folder.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash)))
    return false;
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

} // namespace

std::string DefaultConsoleTokenPath() {
  // Beside the registry of control libraries, in the program's config folder.
  const std::string registry = ControlRegistry::DefaultPath();
  return registry.substr(0, registry.rfind('/') + 1) + "console-token";
}

std::string LoadOrMakeConsoleToken(const std::string& path, std::string* error) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    std::string bytes;
    if (ReadFileBytes(path, bytes, error, 4096)) {
      const std::string token = Trimmed(bytes);
      if (IsUsableToken(token)) {
        if ((st.st_mode & 077) != 0 && chmod(path.c_str(), 0600) != 0) {
          Fail(error, "cannot make " + path + " private");
          return {};
        }
        return token;
      }
    }
  }

  unsigned char random[32];
  if (!RandomBytes(random, sizeof random)) {
    Fail(error, "no random numbers for the console token");
    return {};
  }
  static const char kHex[] = "0123456789abcdef";
  std::string token;
  for (unsigned char b : random) {
    token += kHex[b >> 4];
    token += kHex[b & 15];
  }
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) {
    Fail(error, "cannot make the folder of " + path);
    return {};
  }
  // The atomic write keeps the mode of the file it replaces: a new file is made empty with
  // 0600 first, so the token never exists with wider permissions, not even for a moment.
  if (lstat(path.c_str(), &st) != 0) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
      Fail(error, "cannot make " + path + ": " + std::strerror(errno));
      return {};
    }
    close(fd);
  } else if (S_ISREG(st.st_mode) && chmod(path.c_str(), 0600) != 0) {
    Fail(error, "cannot make " + path + " private");
    return {};
  }
  if (!WriteFileAtomic(path, token + "\n", error)) return {};
  return token;
}
