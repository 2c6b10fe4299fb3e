#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

#include "controls/BuiltinControls.h"
#include "controls/ControlHost.h"

namespace {

TEST(BuiltinControlsTest, HostCreatesEachControlByClassId) {
  const char* expected[] = {
      "{B9EF8D8A-4AD4-11DE-B2D7-00D009C22011}", "{CDFB604A-C2D2-11D3-BEC0-CB586B91B60E}",
      "{AA0FE940-F70F-48DA-9F6C-3C3B9DF6819A}", "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}",
      "{77009356-2813-43AD-A5EC-52A7626AD553}"};
  std::span<const ZyntraClassObject> table = BuiltinControls();
  ASSERT_EQ(table.size(), std::size(expected));
  QWidget screen;
  QTemporaryDir dir;
  ControlHost host(&screen);
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

} // namespace
