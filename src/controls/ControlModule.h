#pragma once

// The binary contract between the program and a control library (the clock, Glasso). A library
// exports the four entry points below with C linkage plus ZyntraControlAbiVersion(); the host
// refuses a library that lacks one of them or answers another ABI version
// (controls/ControlLibrary.h). A library implements them with ZYNTRA_CONTROL_MODULE
// (controls/ControlModuleExports.h), is named libzyntra-<name>.so and is built into build/bin
// (installed to lib/zyntra), where the control host finds it without registration.

#include "controls/ControlServices.h"
#include "controls/HostedControl.h"
#include "base/Rect.h"

class QWidget;

/// Bumped whenever HostedControl, Variant, ControlServices or ZyntraClassObject change shape.
/// Version 2: the create function takes the control services.
#define ZYNTRA_CONTROL_ABI_VERSION 2

/// What DllGetClassObject hands out for one class identifier.
struct ZyntraClassObject {
  int abiVersion;    ///< ZYNTRA_CONTROL_ABI_VERSION of the library
  const char* clsid; ///< "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
  const char* name;  ///< the control's name, e.g. "clock"
  /// Creates a control as a child of `parent` at `rect`, shown or hidden, working through
  /// `services` (complete: scheduler, clock and prompts set) for as long as it lives. The caller
  /// owns it; null when it cannot be made.
  HostedControl* (*create)(QWidget* parent, const Rect& rect, bool visible,
                           const ControlServices& services);
};

/// Result codes of the entry points (COM's S_OK / S_FALSE / failures).
enum : int {
  kZyntraOk = 0,
  kZyntraFalse = 1,
  kZyntraClassNotAvailable = -2147221231, // 0x80040111
  kZyntraFail = -2147467259,              // 0x80004005
};

extern "C" {
/// The ABI version the library was built with.
typedef int (*ZyntraControlAbiVersionFn)();
/// Finds the class object of `clsid`; kZyntraClassNotAvailable when the library has no such class.
typedef int (*DllGetClassObjectFn)(const char* clsid, const ZyntraClassObject** out);
/// Records the library's classes and absolute path in the user's controls.ini.
typedef int (*DllRegisterServerFn)();
/// Removes the library's classes from controls.ini.
typedef int (*DllUnregisterServerFn)();
/// kZyntraOk when no control of the library is alive, kZyntraFalse otherwise.
typedef int (*DllCanUnloadNowFn)();
}

#define ZYNTRA_CONTROL_EXPORT extern "C" __attribute__((visibility("default")))
