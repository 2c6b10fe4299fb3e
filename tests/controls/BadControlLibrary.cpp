// A control library that the host must refuse, built in several variants:
//   ZYNTRA_BAD_ABI=n         ZyntraControlAbiVersion answers n
//   ZYNTRA_NO_UNREGISTER     DllUnregisterServer is missing
//   ZYNTRA_BAD_CLASS_ABI=n   the library passes, but its class object has ABI version n
//   ZYNTRA_OLD_ABI           a library of ABI version 1: its class object's create function
//                            takes no services, and calling it ends the process

#include <cstdlib>

#include "controls/ControlModule.h"

#ifndef ZYNTRA_BAD_ABI
#define ZYNTRA_BAD_ABI ZYNTRA_CONTROL_ABI_VERSION
#endif
#ifndef ZYNTRA_BAD_CLASS_ABI
#define ZYNTRA_BAD_CLASS_ABI ZYNTRA_CONTROL_ABI_VERSION
#endif

namespace {

constexpr const char* kClassId = "{00000000-0000-0000-0000-0000000000BA}";

#ifdef ZYNTRA_OLD_ABI
// The class object as version 1 laid it out.
struct ClassObjectV1 {
  int abiVersion;
  const char* clsid;
  const char* name;
  HostedControl* (*create)(QWidget* parent, const Rect& rect, bool visible);
};

// A host must never call it: a host that took the old library for a new one ends the test.
HostedControl* CreateOld(QWidget*, const Rect&, bool) { std::abort(); }

const ClassObjectV1 kClass = {1, kClassId, "old", &CreateOld};
constexpr int kAbiVersion = 1;
#else
HostedControl* CreateNothing(QWidget*, const Rect&, bool, const ControlServices&) {
  return nullptr;
}

const ZyntraClassObject kClass = {ZYNTRA_BAD_CLASS_ABI, kClassId, "bad", &CreateNothing};
constexpr int kAbiVersion = ZYNTRA_BAD_ABI;
#endif

} // namespace

ZYNTRA_CONTROL_EXPORT int ZyntraControlAbiVersion() { return kAbiVersion; }

ZYNTRA_CONTROL_EXPORT int DllGetClassObject(const char*, const ZyntraClassObject** out) {
  *out = reinterpret_cast<const ZyntraClassObject*>(&kClass);
  return kZyntraOk;
}

ZYNTRA_CONTROL_EXPORT int DllRegisterServer() { return kZyntraOk; }

#ifndef ZYNTRA_NO_UNREGISTER
ZYNTRA_CONTROL_EXPORT int DllUnregisterServer() { return kZyntraOk; }
#endif

ZYNTRA_CONTROL_EXPORT int DllCanUnloadNow() { return kZyntraOk; }
