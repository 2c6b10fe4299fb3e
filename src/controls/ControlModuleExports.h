#pragma once

// The library side of the control ABI (controls/ControlModule.h): one macro that implements the
// five exported entry points of a control library. Use it in exactly one .cpp of the library:
//
//   namespace {
//   HostedControl* CreateLabel(QWidget* parent, const Rect& rect, bool visible,
//                              const ControlServices& services);
//   int LiveLabels(); // number of controls of this library alive now
//   const ZyntraClassObject kClasses[] = {
//       {ZYNTRA_CONTROL_ABI_VERSION, GlassoIds::kClassId, "Glasso", &CreateLabel},
//   };
//   } // namespace
//   ZYNTRA_CONTROL_MODULE(kClasses, LiveLabels)
//
// The library links zyntra_core (for ControlRegistry) and is built with -fvisibility=hidden and
// -Wl,--exclude-libs,ALL, so that only these entry points (ZYNTRA_CONTROL_EXPORT) are visible.
// DllRegisterServer records every class of the array with the library's own absolute path
// (found with dladdr) in controls.ini; DllUnregisterServer removes them again.

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

#include "controls/GlassoIds.h"
#include "controls/ControlModule.h"
#include "controls/ControlRegistry.h"

namespace zyntra_module {

/// Absolute path of the shared object that contains `address`; "" when it cannot be found.
inline std::string ModulePath(const void* address) {
  Dl_info info{};
  if (!dladdr(address, &info) || !info.dli_fname) return std::string();
  char resolved[PATH_MAX];
  if (!realpath(info.dli_fname, resolved)) return std::string();
  return resolved;
}

/// DllGetClassObject over an array of class objects (class identifiers compared without case).
inline int GetClassObject(const ZyntraClassObject* classes, size_t count, const char* clsid,
                          const ZyntraClassObject** out) {
  if (!out) return kZyntraFail;
  *out = nullptr;
  if (!clsid) return kZyntraClassNotAvailable;
  const std::string wanted = ControlRegistry::NormalizeClassId(clsid);
  for (size_t i = 0; i < count; ++i) {
    if (ControlRegistry::NormalizeClassId(classes[i].clsid) == wanted) {
      *out = &classes[i];
      return kZyntraOk;
    }
  }
  return kZyntraClassNotAvailable;
}

/// DllRegisterServer: every class → this library's path, in the user's controls.ini.
inline int RegisterClasses(const ZyntraClassObject* classes, size_t count) {
  const std::string path = ModulePath(classes);
  if (path.empty()) return kZyntraFail;
  ControlRegistry registry;
  for (size_t i = 0; i < count; ++i) {
    if (!registry.Register(classes[i].clsid, path)) return kZyntraFail;
  }
  return kZyntraOk;
}

/// DllUnregisterServer: removes every class of the array from the user's controls.ini.
inline int UnregisterClasses(const ZyntraClassObject* classes, size_t count) {
  ControlRegistry registry;
  for (size_t i = 0; i < count; ++i) {
    if (!registry.Unregister(classes[i].clsid)) return kZyntraFail;
  }
  return kZyntraOk;
}

} // namespace zyntra_module

/// Defines the five entry points of a control library for a ZyntraClassObject array and a
/// function `int liveCount()` that counts the library's live controls.
#define ZYNTRA_CONTROL_MODULE(classes, liveCount)                                                  \
  ZYNTRA_CONTROL_EXPORT int ZyntraControlAbiVersion() { return ZYNTRA_CONTROL_ABI_VERSION; }       \
  ZYNTRA_CONTROL_EXPORT int DllGetClassObject(const char* clsid, const ZyntraClassObject** out) {  \
    return zyntra_module::GetClassObject(classes, std::size(classes), clsid, out);                 \
  }                                                                                                \
  ZYNTRA_CONTROL_EXPORT int DllRegisterServer() {                                                  \
    return zyntra_module::RegisterClasses(classes, std::size(classes));                            \
  }                                                                                                \
  ZYNTRA_CONTROL_EXPORT int DllUnregisterServer() {                                                \
    return zyntra_module::UnregisterClasses(classes, std::size(classes));                          \
  }                                                                                                \
  ZYNTRA_CONTROL_EXPORT int DllCanUnloadNow() {                                                    \
    return (liveCount)() == 0 ? kZyntraOk : kZyntraFalse;                                          \
  }
