#include "base/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The longest name one folder entry may have on the file systems in use.
constexpr size_t kMaxNameBytes = NAME_MAX;
// As the kernel does, a chain of links longer than this is taken as a loop.
constexpr int kMaxLinkDepth = 40;

void SetError(std::string* error, const std::string& what, int code) {
  if (error) *error = what + ": " + std::strerror(code);
}

void SetError(std::string* error, const std::string& what) { SetError(error, what, errno); }

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and tells whether that succeeded (a late write error shows up here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

private:
  int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// Whether the user may replace the existing file at `target` (0 when so, else the errno).
// Renaming over a file needs only the folder's permission, so without this check a save
// would silently overwrite a file the user was not allowed to write: another user's file, or
// one its owner made read-only (which is refused even for root, whom permission bits do not
// stop, because a file without its owner's write bit was made read-only on purpose).
int ReplaceRefusal(const std::string& target, const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  if ((st.st_mode & S_IWUSR) == 0) return EACCES;
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  return 0;
}

} // namespace

std::string ResolveLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat st;
    if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
    const ssize_t n = readlink(current.c_str(), buffer.data(), buffer.size());
    if (n < 0 || static_cast<size_t>(n) >= buffer.size()) return path;
    std::string target(buffer.data(), static_cast<size_t>(n));
    if (target.empty()) return path;
    current = target.front() == '/' ? target : FolderOf(current) + "/" + target;
  }
  return path;
}

std::string TemporaryNameBeside(const std::string& path, const std::string& suffix) {
  const size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t room = kMaxNameBytes - 1 - suffix.size();
  if (name.size() > room) {
    size_t cut = room;
    // Never cut a UTF-8 character in two: the name stays readable in a file manager.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
      --cut;
    name.resize(cut);
  }
  return folder + name + "." + suffix;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* error) {
  if (path.empty()) {
    SetError(error, "empty path", ENOENT);
    return false;
  }
  // Saving through a link writes the file it points to; renaming over the link itself would
  // turn it into a plain file and leave the real file old.
  const std::string target = ResolveLinks(path);
  struct stat st;
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists) {
    if (int refusal = ReplaceRefusal(target, st)) {
      SetError(error, "cannot write " + target, refusal);
      return false;
    }
  }

  std::string temp = TemporaryNameBeside(target, "XXXXXX");
  Descriptor fd(mkstemp(temp.data()));
  if (fd.get() < 0) {
    SetError(error, "cannot create " + temp);
    return false;
  }
  auto fail = [&](const std::string& what) {
    SetError(error, what);
    const int code = errno;
    unlink(temp.c_str());
    errno = code;
    return false;
  };
  if (exists) {
    // Keep owner and group where the user may (root may keep both, a member of the file's
    // group its group), then the permissions, which a change of owner may have cleared.
    if (fchown(fd.get(), st.st_uid, st.st_gid) != 0) {
      [[maybe_unused]] int ignored = fchown(fd.get(), static_cast<uid_t>(-1), st.st_gid);
    }
    if (fchmod(fd.get(), st.st_mode & 07777) != 0) return fail("cannot keep the mode of " + target);
  } else {
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd.get(), 0666 & ~mask);
  }
  if (!WriteAll(fd.get(), bytes)) return fail("cannot write " + target);
  if (fsync(fd.get()) != 0 || !fd.Close()) return fail("cannot flush " + target);
  if (rename(temp.c_str(), target.c_str()) != 0) return fail("cannot replace " + target);
  // Make the rename itself durable.
  Descriptor dir(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) fsync(dir.get());
  return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string* error,
                   size_t maxBytes) {
  bytes.clear();
  // Without O_NONBLOCK opening a FIFO waits for a writer; the file type is checked next.
  Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    SetError(error, "cannot open " + path);
    return false;
  }
  struct stat st;
  if (fstat(fd.get(), &st) != 0) {
    SetError(error, "cannot read " + path);
    return false;
  }
  // A device, FIFO or folder has no end or no size that means anything: /dev/zero would be
  // read until memory runs out, a FIFO would wait forever.
  if (!S_ISREG(st.st_mode)) {
    if (error) *error = path + ": not a regular file";
    return false;
  }
  if (static_cast<uintmax_t>(st.st_size) > maxBytes) {
    if (error) *error = path + ": larger than " + std::to_string(maxBytes) + " bytes";
    return false;
  }
  bytes.reserve(static_cast<size_t>(st.st_size));
  // The size may change while reading (a file still being copied): never take more than one
  // byte beyond the limit, which is enough to know the file is too large.
  char buffer[65536];
  while (true) {
    const size_t want = std::min(sizeof buffer, maxBytes + 1 - bytes.size());
    const ssize_t n = read(fd.get(), buffer, want);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetError(error, "cannot read " + path);
      bytes.clear();
      return false;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
    if (bytes.size() > maxBytes) {
      if (error) *error = path + ": larger than " + std::to_string(maxBytes) + " bytes";
      bytes.clear();
      bytes.shrink_to_fit();
      return false;
    }
  }
  return true;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}
