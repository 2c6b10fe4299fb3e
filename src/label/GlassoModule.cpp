// Entry points of the zyntra-glasso library: the class object of the label control and its
// registration in the user's controls.ini. Everything else in the library stays hidden.

#include <QWidget>
#include <cstring>

#include "controls/ControlModule.h"
#include "label/Glasso.h"
#include "label/GlassoRegistration.h"

namespace {

HostedControl* CreateGlasso(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new Glasso(parent);
  control->MoveWindow(rect);
  control->ShowWindow(visible);
  return control;
}

const ZyntraClassObject kGlassoClass = {ZYNTRA_CONTROL_ABI_VERSION, Glasso::kClassId, "Glasso",
                                        &CreateGlasso};

} // namespace

ZYNTRA_CONTROL_EXPORT int ZyntraControlAbiVersion() { return ZYNTRA_CONTROL_ABI_VERSION; }

ZYNTRA_CONTROL_EXPORT int DllGetClassObject(const char* clsid, const ZyntraClassObject** out) {
  if (out) *out = nullptr;
  if (!clsid || !out) return kZyntraFail;
  if (strcasecmp(clsid, kGlassoClass.clsid) != 0) return kZyntraClassNotAvailable;
  *out = &kGlassoClass;
  return kZyntraOk;
}

ZYNTRA_CONTROL_EXPORT int DllRegisterServer() {
  return RegisterGlasso(kGlassoClass.clsid, kGlassoClass.name) ? kZyntraOk : kZyntraFail;
}

ZYNTRA_CONTROL_EXPORT int DllUnregisterServer() {
  return UnregisterGlasso(kGlassoClass.clsid) ? kZyntraOk : kZyntraFail;
}

ZYNTRA_CONTROL_EXPORT int DllCanUnloadNow() {
  return Glasso::AliveCount() == 0 ? kZyntraOk : kZyntraFalse;
}
