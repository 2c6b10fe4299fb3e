#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

#include "controls/BuiltinControls.h"
#include "controls/ControlHost.h"
#include "controls/RtfTextIds.h"
#include "base/AtomicFile.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/ScriptedPrompts.h"

namespace {

struct Services {
  VirtualScheduler scheduler;
  SchedulerLocalClock clock{scheduler, 38718.5};
  ScriptedPrompts prompts;
  ControlServices Get() { return {&scheduler, &clock, &prompts}; }
};

TEST(BuiltinControlsTest, HostCreatesEachControlByClassId) {
  const char* expected[] = {
      "{B9EF8D8A-4AD4-11DE-B2D7-00D009C22011}", "{CDFB604A-C2D2-11D3-BEC0-CB586B91B60E}",
      "{AA0FE940-F70F-48DA-9F6C-3C3B9DF6819A}", "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}",
      "{77009356-2813-43AD-A5EC-52A7626AD553}"};
  std::span<const ZyntraClassObject> table = BuiltinControls();
  ASSERT_EQ(table.size(), std::size(expected));
  QWidget screen;
  QTemporaryDir dir;
  Services services;
  ControlHost host(&screen, services.Get());
  host.SetSearchDirectories({});
  host.SetRegistryPath(dir.filePath("controls.ini").toStdString());
  std::vector<std::string> log;
  host.SetLogger([&](const std::string& m) { log.push_back(m); });
  ASSERT_TRUE(RegisterBuiltinControls(host));
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(RegisterBuiltinControls(host)); // each class only once
  EXPECT_EQ(log.size(), table.size());

  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].abiVersion, ZYNTRA_CONTROL_ABI_VERSION);
    EXPECT_STREQ(table[i].clsid, expected[i]);
    for (bool visible : {false, true}) {
      std::unique_ptr<HostedControl> c =
          host.CreateControl(expected[i], {10, 20, 110, 80}, visible);
      ASSERT_NE(c, nullptr);
      EXPECT_EQ(c->ClassId(), expected[i]);
      EXPECT_EQ(c->GetWindowRect(), (Rect{10, 20, 110, 80}));
      EXPECT_EQ(c->IsWindowVisible(), visible);
      EXPECT_EQ(dynamic_cast<QWidget*>(c.get())->parentWidget(), &screen);
    }
  }
}

// Built-in controls wait on the scheduler of the host that made them, each on its own host's:
// an RTF text show advances only when its host's virtual time does.
TEST(BuiltinControlsTest, ControlsRunOnTheSchedulerOfTheirHost) {
  QTemporaryDir dir;
  const std::string text = dir.filePath("lines.txt").toStdString();
  ASSERT_TRUE(WriteFileAtomic(text, "one\r\ntwo\r\nthree\r\n"));
  QWidget screen;
  Services first, second;
  ControlHost firstHost(&screen, first.Get()), secondHost(&screen, second.Get());
  std::unique_ptr<HostedControl> controls[2];
  ControlHost* hosts[] = {&firstHost, &secondHost};
  for (int i = 0; i < 2; ++i) {
    hosts[i]->SetSearchDirectories({});
    hosts[i]->SetRegistryPath(dir.filePath("controls.ini").toStdString());
    ASSERT_TRUE(RegisterBuiltinControls(*hosts[i]));
    controls[i] = hosts[i]->CreateControl(RtfTextIds::kClassId, {0, 0, 200, 100}, true);
    ASSERT_NE(controls[i], nullptr);
    HostedControl& c = *controls[i];
    ASSERT_EQ(c.Invoke(RtfTextIds::kFileName, InvokeKind::PropertyPut, {Variant::FromString(text)},
                       nullptr),
              InvokeStatus::Ok);
    ASSERT_EQ(c.Invoke(RtfTextIds::kPrepare, InvokeKind::Method, {}, nullptr), InvokeStatus::Ok);
    ASSERT_EQ(c.Invoke(RtfTextIds::kStart, InvokeKind::Method, {}, nullptr), InvokeStatus::Ok);
  }
  auto finished = [](HostedControl& c) {
    Variant v;
    EXPECT_EQ(c.Invoke(RtfTextIds::kFinished, InvokeKind::PropertyGet, {}, &v), InvokeStatus::Ok);
    return v.toBool();
  };
  EXPECT_GT(first.scheduler.pending(), 0u);
  EXPECT_GT(second.scheduler.pending(), 0u);
  // One screenful stays three seconds by default; an hour is plenty for a single run.
  first.scheduler.advance(3600 * 1000);
  EXPECT_TRUE(finished(*controls[0]));
  EXPECT_FALSE(finished(*controls[1]));
  EXPECT_EQ(first.scheduler.pending(), 0u);
  second.scheduler.advance(3600 * 1000);
  EXPECT_TRUE(finished(*controls[1]));
  // A control that goes takes its pending timers with it.
  controls[0]->Invoke(RtfTextIds::kStart, InvokeKind::Method, {}, nullptr);
  EXPECT_GT(first.scheduler.pending(), 0u);
  controls[0].reset();
  EXPECT_EQ(first.scheduler.pending(), 0u);
}

} // namespace
