#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <memory>

#include "GlassoTestSupport.h"
#include "controls/ControlHost.h"
#include "controls/ControlModule.h"
#include "base/AtomicFile.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"

namespace {

// Complete services whose prompts script the label's choosers.
struct Services {
  VirtualScheduler scheduler;
  SchedulerLocalClock clock{scheduler, 38718.5};
  ScriptedChoosers choosers;
  ControlServices Get() { return {&scheduler, &clock, &choosers}; }
};

// The built library, loaded the way the control host loads it.
struct Library {
  void* handle = dlopen(ZYNTRA_GLASSO_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  template <class Fn> Fn Entry(const char* name) const {
    return reinterpret_cast<Fn>(dlsym(handle, name));
  }
};

const Library& Lib() {
  static Library library; // never unloaded: Qt keeps pointers into a loaded widget library
  return library;
}

} // namespace

TEST(GlassoModule, ExportsTheEntryPointsAndNothingOfItsInsides) {
  ASSERT_NE(Lib().handle, nullptr) << dlerror();
  for (const char* name : {"DllGetClassObject", "DllRegisterServer", "DllUnregisterServer",
                           "DllCanUnloadNow", "ZyntraControlAbiVersion"}) {
    EXPECT_NE(dlsym(Lib().handle, name), nullptr) << name;
  }
  EXPECT_EQ(dlsym(Lib().handle, "_ZN6Glasso6InvokeEi10InvokeKindRKSt6vectorI7VariantSaIS2_EEPS2_"),
            nullptr);
  EXPECT_EQ(Lib().Entry<ZyntraControlAbiVersionFn>("ZyntraControlAbiVersion")(),
            ZYNTRA_CONTROL_ABI_VERSION);
}

TEST(GlassoModule, ClassObjectCreatesWorkingControls) {
  auto getClass = Lib().Entry<DllGetClassObjectFn>("DllGetClassObject");
  auto canUnload = Lib().Entry<DllCanUnloadNowFn>("DllCanUnloadNow");
  ASSERT_NE(getClass, nullptr);
  const ZyntraClassObject* cls = nullptr;
  EXPECT_EQ(getClass("{15AC02EE-C7A7-11D9-B2D4-00D009C22011}", &cls), kZyntraClassNotAvailable);
  EXPECT_EQ(cls, nullptr);
  ASSERT_EQ(getClass("{d22e9dfe-efde-41ba-9285-a89d349b1cdb}", &cls), kZyntraOk);
  EXPECT_STREQ(cls->clsid, "{D22E9DFE-EFDE-41BA-9285-A89D349B1CDB}");
  EXPECT_EQ(cls->abiVersion, ZYNTRA_CONTROL_ABI_VERSION);

  Services services;
  QWidget screen;
  screen.resize(300, 200);
  screen.show();
  EXPECT_EQ(canUnload(), kZyntraOk);
  std::unique_ptr<HostedControl> control(
      cls->create(&screen, Rect{10, 20, 110, 70}, false, services.Get()));
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->ClassId(), "{D22E9DFE-EFDE-41BA-9285-A89D349B1CDB}");
  EXPECT_EQ(control->GetWindowRect(), (Rect{10, 20, 110, 70}));
  EXPECT_FALSE(control->IsWindowVisible());
  EXPECT_EQ(canUnload(), kZyntraFalse);

  ASSERT_EQ(Put(*control, GlassoIds::kCaption, Variant::FromString("文字")), InvokeStatus::Ok);
  EXPECT_EQ(Get(*control, GlassoIds::kCaption).toString(), "文字");
  ASSERT_EQ(Put(*control, GlassoIds::kFontSize, Variant::FromI4(105000)), InvokeStatus::Ok);
  EXPECT_EQ(Get(*control, GlassoIds::kFont).toFont().size, 10);

  // The library's label asks with the prompts of its creation call, not with dialogs of its own.
  ASSERT_EQ(Put(*control, GlassoIds::kBgColor, Variant::FromI4(0x123456)), InvokeStatus::Ok);
  services.choosers.colorAnswer = 0x00FF80;
  ASSERT_EQ(Call(*control, GlassoIds::kSetBgColor), InvokeStatus::Ok);
  EXPECT_EQ(services.choosers.colorsShown, std::vector<int32_t>{0x123456});
  EXPECT_EQ(Get(*control, GlassoIds::kBgColor).toI4(), 0x00FF80);
  services.choosers.fontAnswer = FontDesc{"楷体", 18, false, true, false, false, 400, 134};
  ASSERT_EQ(Call(*control, GlassoIds::kSetFont), InvokeStatus::Ok);
  ASSERT_EQ(services.choosers.fontsShown.size(), 1u);
  EXPECT_EQ(services.choosers.fontsShown[0].size, 10);
  EXPECT_EQ(Get(*control, GlassoIds::kFont).toFont().name, "楷体");

  control.reset();
  EXPECT_EQ(canUnload(), kZyntraOk);
}

TEST(GlassoModule, RegistrationLetsTheHostCreateTheControlByClassId) {
  QTemporaryDir config;
  ASSERT_TRUE(config.isValid());
  const char* old = getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", config.path().toUtf8().constData(), 1);

  const std::string ini = config.path().toStdString() + "/zyntra/controls.ini";
  const std::string library = QDir(ZYNTRA_GLASSO_LIBRARY).canonicalPath().toStdString();
  ASSERT_EQ(Lib().Entry<DllRegisterServerFn>("DllRegisterServer")(), kZyntraOk);
  ASSERT_EQ(Lib().Entry<DllRegisterServerFn>("DllRegisterServer")(), kZyntraOk);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(ini, bytes));
  EXPECT_EQ(bytes, "[Controls]\n" + std::string(Glasso::kClassId) + "=" + library + "\n");

  // A host that knows the library only from the registration.
  Services services;
  QWidget screen;
  auto create = [&] {
    ControlHost host(&screen, services.Get());
    host.SetSearchDirectories({});
    host.SetRegistryPath(ini);
    host.SetLogger([](const std::string&) {});
    return host.CreateControl(Glasso::kClassId, Rect{5, 6, 105, 46}, true);
  };
  std::unique_ptr<HostedControl> control = create();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->GetWindowRect(), (Rect{5, 6, 105, 46}));
  EXPECT_TRUE(control->IsWindowVisible());
  EXPECT_EQ(Put(*control, GlassoIds::kBorder, Variant::FromI2(2)), InvokeStatus::Ok);
  EXPECT_EQ(Get(*control, GlassoIds::kBorder).toI4(), 0);
  control.reset();

  ASSERT_EQ(Lib().Entry<DllUnregisterServerFn>("DllUnregisterServer")(), kZyntraOk);
  ASSERT_TRUE(ReadFileBytes(ini, bytes));
  EXPECT_EQ(bytes.find("D22E9DFE"), std::string::npos);
  EXPECT_EQ(create(), nullptr);

  if (old)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}
