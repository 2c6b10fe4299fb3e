#include <gtest/gtest.h>

#include <QProcess>
#include <QWidget>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "controls/ControlHost.h"
#include "controls/ControlRegistry.h"
#include "controls/ControlWidget.h"
#include "base/AtomicFile.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/ScriptedPrompts.h"

namespace {

constexpr const char* kClock = "{15AC02EE-C7A7-11D9-B2D4-00D009C22011}";
constexpr const char* kBad = "{00000000-0000-0000-0000-0000000000BA}";
constexpr const char* kPanel = "{11111111-2222-3333-4444-555555555555}";
const std::string kClockLibrary = std::string(ZYNTRA_BIN_DIR) + "/libzyntra-clock.so";

// A built-in control that keeps the services it was created with.
class Panel : public ControlWidget {
public:
  Panel(QWidget* parent, const ControlServices& services)
      : ControlWidget(kPanel, parent), services(services) {}
  InvokeStatus Invoke(int32_t, InvokeKind, const std::vector<Variant>&, Variant*) override {
    return InvokeStatus::UnknownMember;
  }
  ControlServices services;
};

HostedControl* MakePanel(QWidget* parent, const Rect& rect, bool visible,
                         const ControlServices& services) {
  auto* panel = new Panel(parent, services);
  panel->MoveWindow(rect);
  panel->ShowWindow(visible);
  return panel;
}

class ControlHostTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zyntra-host-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    registry_ = (dir_ / "controls.ini").string();
    screen_.resize(640, 480);
    host_.SetRegistryPath(registry_);
    host_.SetSearchDirectories({});
    host_.SetLogger([this](const std::string& line) { log_.push_back(line); });
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::string registry_;
  QWidget screen_;
  VirtualScheduler scheduler_;
  SchedulerLocalClock clock_{scheduler_, 38718.5};
  ScriptedPrompts prompts_;
  ControlServices services_{&scheduler_, &clock_, &prompts_};
  ControlHost host_{&screen_, services_};
  std::vector<std::string> log_;
};

TEST_F(ControlHostTest, BuiltInRegistryValidates) {
  EXPECT_TRUE(host_.RegisterBuiltIn(kPanel, "panel", &MakePanel));
  EXPECT_TRUE(host_.HasBuiltIn("{11111111-2222-3333-4444-555555555555}"));
  EXPECT_TRUE(log_.empty());

  const struct {
    const char* clsid;
    ControlHost::CreateFunction create;
    const char* reason;
  } refused[] = {
      {"{11111111-2222-3333-4444-555555555555}", &MakePanel,
       "built-in control \"other\" {11111111-2222-3333-4444-555555555555} refused: the class is "
       "already registered by \"panel\""},
      {"{AAAAAAAA-2222-3333-4444-555555555555}", nullptr,
       "built-in control \"other\" {AAAAAAAA-2222-3333-4444-555555555555} refused: no create "
       "function"},
      {"11111111-2222-3333-4444-555555555555", &MakePanel,
       "built-in control \"other\" refused: malformed class identifier "
       "\"11111111-2222-3333-4444-555555555555\""},
  };
  for (const auto& c : refused) {
    log_.clear();
    EXPECT_FALSE(host_.RegisterBuiltIn(c.clsid, "other", c.create)) << c.clsid;
    ASSERT_EQ(log_.size(), 1u) << c.clsid;
    EXPECT_EQ(log_[0], c.reason);
  }
  // A lower-case duplicate is the same class.
  EXPECT_FALSE(host_.RegisterBuiltIn("{11111111-2222-3333-4444-555555555555}", "x", &MakePanel));
}

TEST_F(ControlHostTest, CreatesBuiltInControlsAsChildrenAtTheirRectangle) {
  ASSERT_TRUE(host_.RegisterBuiltIn(kPanel, "panel", &MakePanel));
  std::unique_ptr<HostedControl> shown = host_.CreateControl(kPanel, Rect{10, 20, 110, 70}, true);
  std::unique_ptr<HostedControl> hidden = host_.CreateControl(kPanel, Rect{0, 0, 5, 5}, false);
  ASSERT_TRUE(shown && hidden);
  EXPECT_EQ(shown->GetWindowRect(), (Rect{10, 20, 110, 70}));
  EXPECT_TRUE(shown->IsWindowVisible());
  EXPECT_FALSE(hidden->IsWindowVisible());
  EXPECT_EQ(dynamic_cast<QWidget*>(shown.get())->parentWidget(), &screen_);
  EXPECT_EQ(shown->ClassId(), kPanel);
  // Each control works through the services the host was given.
  for (HostedControl* c : {shown.get(), hidden.get()}) {
    const ControlServices& got = static_cast<Panel*>(c)->services;
    EXPECT_EQ(got.scheduler, &scheduler_);
    EXPECT_EQ(got.clock, &clock_);
    EXPECT_EQ(got.prompts, &prompts_);
    EXPECT_EQ(got.power, nullptr);
  }
}

TEST_F(ControlHostTest, AHostWithoutSchedulerClockOrPromptsCreatesNothing) {
  const ControlServices incomplete[] = {
      {nullptr, &clock_, &prompts_}, {&scheduler_, nullptr, &prompts_}, {&scheduler_, &clock_}};
  for (const ControlServices& services : incomplete) {
    ControlHost host(&screen_, services);
    host.SetSearchDirectories({});
    host.SetRegistryPath(registry_);
    ASSERT_TRUE(host.RegisterBuiltIn(kPanel, "panel", &MakePanel));
    EXPECT_EQ(host.CreateControl(kPanel, Rect{0, 0, 10, 10}, true), nullptr);
    EXPECT_EQ(host.LastError(), std::string("the control of class ") + kPanel +
                                    " cannot be created: the host has no scheduler, local clock "
                                    "or prompts");
  }
  EXPECT_TRUE(screen_.findChildren<Panel*>().isEmpty());
}

TEST_F(ControlHostTest, UnknownClassIsRefusedWithAReason) {
  EXPECT_EQ(host_.CreateControl(kClock, Rect{0, 0, 10, 10}, true), nullptr);
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_.back(), std::string("no control library provides class ") + kClock);
}

TEST_F(ControlHostTest, FindsTheClockBesideTheExecutableWithoutRegistration) {
  host_.SetSearchDirectories({ZYNTRA_BIN_DIR});
  std::unique_ptr<HostedControl> clock =
      host_.CreateControl("{15ac02ee-c7a7-11d9-b2d4-00d009c22011}", Rect{5, 6, 205, 206}, false);
  ASSERT_TRUE(clock) << host_.LastError();
  EXPECT_EQ(clock->ClassId(), kClock);
  EXPECT_EQ(clock->GetWindowRect(), (Rect{5, 6, 205, 206}));
  EXPECT_FALSE(clock->IsWindowVisible());
  Variant style;
  EXPECT_EQ(clock->Invoke(0x4003000A, InvokeKind::PropertyGet, {}, &style), InvokeStatus::Ok);
  EXPECT_EQ(style, Variant::FromI2(2));
}

TEST_F(ControlHostTest, RegisteredLibraryComesFirstAndAMissingOneFallsBack) {
  // A registration that points nowhere is logged, then the search beside the executable wins.
  ASSERT_TRUE(ControlRegistry(registry_).Register(kClock, "/nowhere/libzyntra-clock.so"));
  host_.SetSearchDirectories({ZYNTRA_BIN_DIR});
  EXPECT_TRUE(host_.CreateControl(kClock, Rect{0, 0, 50, 50}, false));
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_[0], "control library /nowhere/libzyntra-clock.so does not exist");

  // A valid registration needs no search at all.
  ControlHost other(&screen_, services_);
  other.SetSearchDirectories({});
  other.SetRegistryPath(registry_);
  ASSERT_TRUE(ControlRegistry(registry_).Register(kClock, kClockLibrary));
  EXPECT_TRUE(other.CreateControl(kClock, Rect{0, 0, 50, 50}, false));
}

TEST_F(ControlHostTest, RefusesBrokenLibrariesWithoutCrashing) {
  const std::string bad = ZYNTRA_BAD_LIB_DIR;
  const struct {
    const char* variant;
    std::string reason;
  } cases[] = {
      {"noentry", "refused: entry point DllUnregisterServer is missing"},
      {"badabi", "refused: it was built for control ABI version 999, this program needs version 2"},
      // A library of the first ABI, whose create function takes no services.
      {"oldabi", "refused: it was built for control ABI version 1, this program needs version 2"},
  };
  for (const auto& c : cases) {
    const std::string path = bad + "/" + c.variant + "/libzyntra-bad.so";
    log_.clear();
    EXPECT_EQ(host_.LoadLibrary(path), nullptr) << c.variant;
    ASSERT_EQ(log_.size(), 1u) << c.variant;
    EXPECT_EQ(log_[0], "control library " + path + " " + c.reason);
    // Found by the search too: refused, and the class stays unknown.
    host_.SetSearchDirectories({bad + "/" + c.variant});
    EXPECT_EQ(host_.CreateControl(kBad, Rect{0, 0, 10, 10}, true), nullptr);
  }
  // A library that passes but answers with a class object of another ABI version.
  host_.SetSearchDirectories({bad + "/badclass"});
  log_.clear();
  EXPECT_EQ(host_.CreateControl(kBad, Rect{0, 0, 10, 10}, true), nullptr);
  EXPECT_EQ(log_.back(), std::string("no control library provides class ") + kBad);
  std::string error;
  const ControlLibrary* library = host_.LoadLibrary(bad + "/badclass/libzyntra-bad.so");
  ASSERT_TRUE(library);
  EXPECT_EQ(library->GetClassObject(kBad, &error), nullptr);
  EXPECT_EQ(error, "control library " + bad + "/badclass/libzyntra-bad.so answers class " + kBad +
                       " with a class object of control ABI version 7, this program needs "
                       "version 2");
}

TEST_F(ControlHostTest, RegsvrRecordsAndRemovesTheLibrary) {
  auto run = [&](const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir_.string()));
    process.setProcessEnvironment(env);
    process.start(QString(ZYNTRA_BIN_DIR) + "/zyntra-regsvr", args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return process.exitCode();
  };
  const std::string file = (dir_ / "zyntra" / "controls.ini").string();
  const std::string canonical = std::filesystem::canonical(kClockLibrary).string();
  EXPECT_EQ(run({QString::fromStdString(kClockLibrary)}), 0);
  std::string text;
  ASSERT_TRUE(ReadFileBytes(file, text));
  EXPECT_EQ(text, std::string("[Controls]\n") + kClock + "=" + canonical + "\n");
  EXPECT_EQ(run({"-u", QString::fromStdString(kClockLibrary)}), 0);
  ASSERT_TRUE(ReadFileBytes(file, text));
  EXPECT_EQ(text, "[Controls]\n");
  EXPECT_EQ(run({QString(ZYNTRA_BAD_LIB_DIR) + "/badabi/libzyntra-bad.so"}), 1);
  EXPECT_EQ(run({QString(ZYNTRA_BAD_LIB_DIR) + "/oldabi/libzyntra-bad.so"}), 1);
  EXPECT_EQ(run({"-x"}), 2);
  EXPECT_EQ(run({}), 2);
}

} // namespace
