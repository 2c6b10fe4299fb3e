#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "app/DesktopEnvironment.h"

namespace {

// A listening socket, closed at the end.
class Listener {
public:
  ~Listener() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool ListenUnix(const std::string& path) {
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    path.copy(a.sun_path, sizeof a.sun_path - 1);
    return fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
           ::listen(fd_, 4) == 0;
  }
  /// Listens on 127.0.0.1 at a port the system picks; its number, or 0.
  int ListenTcp() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(fd_, 4) != 0 || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &size) != 0)
      return 0;
    return ntohs(a.sin_port);
  }
  void Close() {
    ::close(fd_);
    fd_ = -1;
  }

private:
  int fd_ = -1;
};

} // namespace

TEST(DesktopEnvironment, X11IsForcedOnlyWhenTheUserNamedNoPlatformAndAnXServerAnswers) {
  struct Case {
    const char* userPlatform;
    bool xServer;
    std::string expected;
  } cases[] = {
      {nullptr, true, "xcb"}, {"", true, "xcb"},       {nullptr, false, ""}, {"", false, ""},
      {"wayland", true, ""},  {"offscreen", true, ""}, {"xcb", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlatformToForce(c.userPlatform, c.xServer), c.expected)
        << (c.userPlatform ? c.userPlatform : "(unset)") << " " << c.xServer;
  }
}

TEST(DesktopEnvironment, ALocalXServerIsReachedThroughItsSocketInTheSocketFolder) {
  TempDir dir;
  Listener server;
  ASSERT_TRUE(server.ListenUnix(dir.File("X7")));
  for (const char* display : {":7", ":7.0", "unix:7", "unix:7.1"}) {
    EXPECT_TRUE(XServerReachable(display, dir.path())) << display;
  }
  // Another display number, or a socket nobody listens on any more, is no server.
  EXPECT_FALSE(XServerReachable(":8", dir.path()));
  server.Close();
  EXPECT_FALSE(XServerReachable(":7", dir.path()));
}

TEST(DesktopEnvironment, MalformedDisplaysReachNothing) {
  TempDir dir;
  Listener server;
  ASSERT_TRUE(server.ListenUnix(dir.File("X0")));
  for (const char* display :
       {"", ":", "0", "unix", ":x", ":0.", ":0.x", ":0x", ":-0", ":+0", ":0.-1", ":0.0.0"}) {
    EXPECT_FALSE(XServerReachable(display, dir.path())) << '"' << display << '"';
  }
  EXPECT_TRUE(XServerReachable(":0", dir.path()));
}

TEST(DesktopEnvironment, ARemoteXServerIsReachedAtPort6000PlusTheDisplayNumber) {
  Listener server;
  const int port = server.ListenTcp();
  ASSERT_GT(port, 6000); // the system picks from the ephemeral ports
  const std::string display = "127.0.0.1:" + std::to_string(port - 6000);
  EXPECT_TRUE(XServerReachable(display));
  EXPECT_TRUE(XServerReachable(display + ".0"));
  server.Close();
  EXPECT_FALSE(XServerReachable(display));
}

TEST(DesktopEnvironment, TheShippedFontConfigurationIsFoundBesideTheExecutablesFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("bin"));
  EXPECT_EQ(ShippedFontConfig(dir.File("bin")), "");
  EXPECT_EQ(ShippedFontConfig(""), "");
  std::filesystem::create_directories(dir.File("share/zyntra"));
  std::ofstream(dir.File("share/zyntra/fonts.conf")) << "<fontconfig/>\n";
  const std::string canonical = std::filesystem::canonical(dir.File("share/zyntra/fonts.conf"));
  EXPECT_EQ(ShippedFontConfig(dir.File("bin")), canonical);
  EXPECT_EQ(ShippedFontConfig(dir.File("bin") + "/"), canonical);
  // A folder of that name is no configuration.
  std::filesystem::remove(dir.File("share/zyntra/fonts.conf"));
  std::filesystem::create_directories(dir.File("share/zyntra/fonts.conf"));
  EXPECT_EQ(ShippedFontConfig(dir.File("bin")), "");
}

TEST(DesktopEnvironment, QtScalingIsSwitchedOffUnlessTheUserSetAScaleVariable) {
  auto decide = [](std::map<std::string, const char*> environment) {
    return HighDpiScalingToForce([&](const char* name) -> const char* {
      const auto found = environment.find(name);
      return found == environment.end() ? nullptr : found->second;
    });
  };
  EXPECT_EQ(decide({}), "0");
  // Empty values are no choice; neither are variables that do not scale windows.
  EXPECT_EQ(decide({{"QT_SCALE_FACTOR", ""}, {"QT_ENABLE_HIGHDPI_SCALING", ""}}), "0");
  EXPECT_EQ(decide({{"QT_FONT_DPI", "144"}, {"QT_QPA_PLATFORM", "xcb"}, {"GDK_SCALE", "2"}}), "0");
  const char* userChoices[] = {"QT_ENABLE_HIGHDPI_SCALING",       "QT_SCALE_FACTOR",
                               "QT_SCREEN_SCALE_FACTORS",         "QT_AUTO_SCREEN_SCALE_FACTOR",
                               "QT_DEVICE_PIXEL_RATIO",           "QT_USE_PHYSICAL_DPI",
                               "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_DPI_ADJUSTMENT_POLICY"};
  for (const char* name : userChoices) {
    EXPECT_EQ(decide({{name, "1"}}), "") << name;
    // The user's own "0" stands too (nothing is set over it).
    EXPECT_EQ(decide({{name, "0"}, {"QT_FONT_DPI", "96"}}), "") << name;
  }
}
