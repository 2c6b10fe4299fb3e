#include "controls/BuiltinControls.h"

#include "controls/AniGifCtrl.h"
#include "controls/ControlHost.h"
#include "controls/DoExeCtrl.h"
#include "controls/EffectBoxCtrl.h"
#include "controls/MediaControls.h"

namespace {

// A control on the scheduler set with SetControlScheduler, or on Qt timers of its own.
template <class Control>
HostedControl* CreateShown(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new Control(parent, ControlSchedulerOverride());
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}

constexpr ZyntraClassObject kBuiltins[] = {
    {ZYNTRA_CONTROL_ABI_VERSION, kEffectBoxClsid, "EffectBox", &CreateEffectBoxCtrl},
    {ZYNTRA_CONTROL_ABI_VERSION, kAniGifClsid, "AniGif", &CreateAniGifCtrl},
    {ZYNTRA_CONTROL_ABI_VERSION, kDoExeClsid, "DoExe", &CreateDoExeCtrl},
};

} // namespace

std::span<const ZyntraClassObject> BuiltinControls() { return kBuiltins; }

bool RegisterBuiltinControls(ControlHost& host) {
  bool all = true;
  for (const ZyntraClassObject& c : BuiltinControls()) {
    all = host.RegisterBuiltIn(c.clsid, c.name, c.create) && all;
  }
  return all;
}

HostedControl* CreateEffectBoxCtrl(QWidget* parent, const Rect& rect, bool visible) {
  return CreateShown<EffectBoxCtrl>(parent, rect, visible);
}

HostedControl* CreateAniGifCtrl(QWidget* parent, const Rect& rect, bool visible) {
  return CreateShown<AniGifCtrl>(parent, rect, visible);
}

HostedControl* CreateDoExeCtrl(QWidget* parent, const Rect& rect, bool visible) {
  return CreateShown<DoExeCtrl>(parent, rect, visible);
}
