#include "app/DesktopEnvironment.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

namespace {

struct DisplayName {
  std::string host; ///< empty or "unix" for a local display
  int number = 0;
};

std::optional<DisplayName> ParseDisplay(const std::string& display) {
  const size_t colon = display.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  DisplayName name;
  name.host = display.substr(0, colon);
  const char* first = display.data() + colon + 1;
  const char* last = display.data() + display.size();
  // from_chars takes a sign; a display number has none.
  if (first == last || *first < '0' || *first > '9') return std::nullopt;
  auto [end, ec] = std::from_chars(first, last, name.number);
  if (ec != std::errc()) return std::nullopt;
  if (end != last) {
    // Only a screen number may follow.
    if (*end != '.' || end + 1 == last) return std::nullopt;
    if (end[1] < '0' || end[1] > '9') return std::nullopt;
    int screen = 0;
    auto [screenEnd, screenEc] = std::from_chars(end + 1, last, screen);
    if (screenEc != std::errc() || screenEnd != last) return std::nullopt;
  }
  return name;
}

class Socket {
public:
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

private:
  int fd_;
};

bool ConnectUnix(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  Socket s(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (s.fd() < 0) return false;
  const socklen_t length =
      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  return ::connect(s.fd(), reinterpret_cast<const sockaddr*>(&address), length) == 0;
}

// A remote display that does not answer must not hold up the start for long.
bool ConnectTcp(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
  bool connected = false;
  for (addrinfo* a = found; a && !connected; a = a->ai_next) {
    Socket s(::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol));
    if (s.fd() < 0) continue;
    if (::connect(s.fd(), a->ai_addr, a->ai_addrlen) == 0) {
      connected = true;
      break;
    }
    if (errno != EINPROGRESS) continue;
    pollfd p{s.fd(), POLLOUT, 0};
    if (::poll(&p, 1, 1000) != 1) continue;
    int error = 0;
    socklen_t size = sizeof error;
    connected = ::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  ::freeaddrinfo(found);
  return connected;
}

std::string ExecutableDir() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

} // namespace

// Qt 6 scales every window of the process by the desktop's factor, which on X11 it derives from
// Xft.dpi; the legacy names of Qt 5 are still read by Qt 6 and count as a choice too.
const char* const kQtScalingVariables[8] = {
    "QT_ENABLE_HIGHDPI_SCALING",       "QT_SCALE_FACTOR",         "QT_SCREEN_SCALE_FACTORS",
    "QT_AUTO_SCREEN_SCALE_FACTOR",     "QT_DEVICE_PIXEL_RATIO",   "QT_USE_PHYSICAL_DPI",
    "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_DPI_ADJUSTMENT_POLICY"};

std::string HighDpiScalingToForce(const EnvironmentLookup& lookup) {
  for (const char* name : kQtScalingVariables) {
    const char* value = lookup(name);
    if (value && *value) return {};
  }
  return "0";
}

std::string PlatformToForce(const char* userPlatform, bool xServerReachable) {
  if (userPlatform && *userPlatform) return {};
  return xServerReachable ? "xcb" : "";
}

bool XServerReachable(const std::string& display, const std::string& socketDir) {
  const std::optional<DisplayName> name = ParseDisplay(display);
  if (!name) return false;
  if (name->host.empty() || name->host == "unix") {
    const std::string path = socketDir + "/X" + std::to_string(name->number);
    return ConnectUnix(path, true) || ConnectUnix(path, false);
  }
  if (name->number > 65535 - 6000) return false;
  return ConnectTcp(name->host, 6000 + name->number);
}

std::string ShippedFontConfig(const std::string& exeDir) {
  if (exeDir.empty()) return {};
  const std::filesystem::path file =
      std::filesystem::path(exeDir) / ".." / "share" / "zyntra" / "fonts.conf";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return {};
  return std::filesystem::weakly_canonical(file, ec).string();
}

void PrepareDesktopEnvironment() {
  const char* display = std::getenv("DISPLAY");
  const std::string platform = PlatformToForce(std::getenv("QT_QPA_PLATFORM"),
                                               display && *display && XServerReachable(display));
  if (!platform.empty()) ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);

  // The screen window must cover the LED wall's rectangle in device pixels, and its objects
  // must be the project's pixels; Qt's scaling would multiply both by the desktop's factor.
  // The tool windows and dialogs stay readable through their fonts, which Qt then converts at
  // the desktop's resolution (the wall's controls convert at 96 dpi, controls/WallDpi.h).
  const std::string scaling =
      HighDpiScalingToForce([](const char* name) { return std::getenv(name); });
  if (!scaling.empty()) ::setenv("QT_ENABLE_HIGHDPI_SCALING", scaling.c_str(), 1);

  if (!IsSet("FONTCONFIG_FILE")) {
    const std::string config = ShippedFontConfig(ExecutableDir());
    if (!config.empty()) ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
  }
}
