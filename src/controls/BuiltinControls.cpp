#include "controls/BuiltinControls.h"

#include "controls/AniGifCtrl.h"
#include "controls/ControlHost.h"
#include "controls/DoExeCtrl.h"
#include "controls/EffectBoxCtrl.h"
#include "controls/MPlayerCtrl.h"
#include "controls/MediaControls.h"
#include "controls/RtfTextCtrl.h"

namespace {

// A control on the scheduler set with SetControlScheduler, or on Qt timers of its own.
template <class Control> HostedControl* Create(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new Control(parent, ControlSchedulerOverride());
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}

constexpr ZyntraClassObject kBuiltins[] = {
    {ZYNTRA_CONTROL_ABI_VERSION, EffectBoxIds::kClassId, "EffectBox", &Create<EffectBoxCtrl>},
    {ZYNTRA_CONTROL_ABI_VERSION, AniGifIds::kClassId, "AniGif", &Create<AniGifCtrl>},
    {ZYNTRA_CONTROL_ABI_VERSION, DoExeIds::kClassId, "DoExe", &Create<DoExeCtrl>},
    {ZYNTRA_CONTROL_ABI_VERSION, MPlayerIds::kClassId, "MediaPlayer", &Create<MPlayerCtrl>},
    {ZYNTRA_CONTROL_ABI_VERSION, RtfTextIds::kClassId, "RtfText", &Create<RtfTextCtrl>},
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
