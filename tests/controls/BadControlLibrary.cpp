// A control library that the host must refuse, built in several variants:
//   ZYNTRA_BAD_ABI=n         ZyntraControlAbiVersion answers n
//   ZYNTRA_NO_UNREGISTER     DllUnregisterServer is missing
//   ZYNTRA_BAD_CLASS_ABI=n   the library passes, but its class object has ABI version n

#include "controls/ControlModule.h"

#ifndef ZYNTRA_BAD_ABI
#define ZYNTRA_BAD_ABI ZYNTRA_CONTROL_ABI_VERSION
#endif
#ifndef ZYNTRA_BAD_CLASS_ABI
#define ZYNTRA_BAD_CLASS_ABI ZYNTRA_CONTROL_ABI_VERSION
#endif

namespace {

HostedControl* CreateNothing(QWidget*, const Rect&, bool) { return nullptr; }

const ZyntraClassObject kClass = {ZYNTRA_BAD_CLASS_ABI, "{00000000-0000-0000-0000-0000000000BA}",
                                  "bad", &CreateNothing};

} // namespace

ZYNTRA_CONTROL_EXPORT int ZyntraControlAbiVersion() { return ZYNTRA_BAD_ABI; }

ZYNTRA_CONTROL_EXPORT int DllGetClassObject(const char*, const ZyntraClassObject** out) {
  *out = &kClass;
  return kZyntraOk;
}

ZYNTRA_CONTROL_EXPORT int DllRegisterServer() { return kZyntraOk; }

#ifndef ZYNTRA_NO_UNREGISTER
ZYNTRA_CONTROL_EXPORT int DllUnregisterServer() { return kZyntraOk; }
#endif

ZYNTRA_CONTROL_EXPORT int DllCanUnloadNow() { return kZyntraOk; }
