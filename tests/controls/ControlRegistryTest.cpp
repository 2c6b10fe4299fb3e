#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "controls/ControlRegistry.h"
#include "base/AtomicFile.h"

namespace {

constexpr const char* kClock = "{15AC02EE-C7A7-11D9-B2D4-00D009C22011}";
constexpr const char* kGlasso = "{D22E9DFE-EFDE-41BA-9285-A89D349B1CDB}";

class ControlRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zyntra-registry-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    path_ = (dir_ / "zyntra" / "controls.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Read() {
    std::string text;
    ReadFileBytes(path_, text);
    return text;
  }
  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(ControlRegistryTest, RegistersReplacesAndRemovesEntries) {
  ControlRegistry registry(path_);
  EXPECT_FALSE(registry.LibraryOf(kClock));
  ASSERT_TRUE(registry.Register(kClock, "/opt/a/libzyntra-clock.so"));
  ASSERT_TRUE(registry.Register(kGlasso, "/opt/a/libzyntra-glasso.so"));
  EXPECT_EQ(Read(), std::string("[Controls]\n") + kClock + "=/opt/a/libzyntra-clock.so\n" +
                        kGlasso + "=/opt/a/libzyntra-glasso.so\n");
  // Registering again (in lower case) replaces the entry in place.
  ASSERT_TRUE(registry.Register("{15ac02ee-c7a7-11d9-b2d4-00d009c22011}", "/opt/b/clock.so"));
  EXPECT_EQ(Read(), std::string("[Controls]\n") + kClock + "=/opt/b/clock.so\n" + kGlasso +
                        "=/opt/a/libzyntra-glasso.so\n");
  EXPECT_EQ(registry.LibraryOf("{15ac02ee-c7a7-11d9-b2d4-00d009c22011}"), "/opt/b/clock.so");
  ASSERT_TRUE(registry.Unregister(kClock));
  EXPECT_EQ(Read(), std::string("[Controls]\n") + kGlasso + "=/opt/a/libzyntra-glasso.so\n");
  EXPECT_TRUE(registry.Unregister(kClock)); // nothing left to remove is no failure
  EXPECT_EQ(registry.Entries().size(), 1u);
}

TEST_F(ControlRegistryTest, KeepsLinesItDoesNotOwn) {
  std::filesystem::create_directories(dir_ / "zyntra");
  ASSERT_TRUE(WriteFileAtomic(path_, "; user notes\n[Other]\n" + std::string(kClock) +
                                         "=/not/this/one.so\n[Controls]\n# comment\r\n" + kGlasso +
                                         "=/old.so\n[Tail]\nx=1\n"));
  ControlRegistry registry(path_);
  EXPECT_FALSE(registry.LibraryOf(kClock)); // only the [Controls] section counts
  ASSERT_TRUE(registry.Register(kClock, "/new/clock.so"));
  EXPECT_EQ(Read(), "; user notes\n[Other]\n" + std::string(kClock) +
                        "=/not/this/one.so\n[Controls]\n# comment\n" + kGlasso + "=/old.so\n" +
                        kClock + "=/new/clock.so\n[Tail]\nx=1\n");
  ASSERT_TRUE(registry.Unregister(kGlasso));
  EXPECT_EQ(Read(), "; user notes\n[Other]\n" + std::string(kClock) +
                        "=/not/this/one.so\n[Controls]\n# comment\n" + kClock +
                        "=/new/clock.so\n[Tail]\nx=1\n");
}

TEST_F(ControlRegistryTest, RefusesMalformedEntries) {
  ControlRegistry registry(path_);
  std::string error;
  EXPECT_FALSE(registry.Register("15AC02EE-C7A7-11D9-B2D4-00D009C22011", "/a.so", &error));
  EXPECT_EQ(error, "not a class identifier: 15AC02EE-C7A7-11D9-B2D4-00D009C22011");
  EXPECT_FALSE(registry.Register("{15AC02EE-C7A7-11D9-B2D4-00D009C2201G}", "/a.so"));
  EXPECT_FALSE(registry.Register(kClock, "relative/libzyntra-clock.so", &error));
  EXPECT_EQ(error, "not an absolute library path: relative/libzyntra-clock.so");
  EXPECT_FALSE(registry.Register(kClock, "/a\n[Controls]\n.so"));
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(ControlRegistryTest, DefaultPathFollowsXdgConfigHome) {
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldConfig ? oldConfig : "";
  setenv("XDG_CONFIG_HOME", "/x/config", 1);
  EXPECT_EQ(ControlRegistry::DefaultPath(), "/x/config/zyntra/controls.ini");
  setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
  EXPECT_EQ(ControlRegistry::DefaultPath(),
            std::string(std::getenv("HOME")) + "/.config/zyntra/controls.ini");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(ControlRegistry::DefaultPath(),
            std::string(std::getenv("HOME")) + "/.config/zyntra/controls.ini");
  if (oldConfig) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

} // namespace
