#include "controls/BuiltinControls.h"

#include "controls/AniGifCtrl.h"
#include "controls/ControlHost.h"
#include "controls/DoExeCtrl.h"
#include "controls/EffectBoxCtrl.h"
#include "controls/MPlayerCtrl.h"
#include "controls/RtfTextCtrl.h"

namespace {

HostedControl* Place(ControlWidget* control, const Rect& rect, bool visible) {
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}

// A control timed by the scheduler of the services it is created with.
template <class Control>
HostedControl* Create(QWidget* parent, const Rect& rect, bool visible,
                      const ControlServices& services) {
  return Place(new Control(parent, *services.scheduler), rect, visible);
}

// The launcher's editor asks for program files through the services' prompts too.
HostedControl* CreateDoExe(QWidget* parent, const Rect& rect, bool visible,
                           const ControlServices& services) {
  return Place(new DoExeCtrl(parent, *services.scheduler, *services.prompts), rect, visible);
}

constexpr ZyntraClassObject kBuiltins[] = {
    {ZYNTRA_CONTROL_ABI_VERSION, EffectBoxIds::kClassId, "EffectBox", &Create<EffectBoxCtrl>},
    {ZYNTRA_CONTROL_ABI_VERSION, AniGifIds::kClassId, "AniGif", &Create<AniGifCtrl>},
    {ZYNTRA_CONTROL_ABI_VERSION, DoExeIds::kClassId, "DoExe", &CreateDoExe},
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
