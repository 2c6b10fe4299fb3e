#pragma once

#include <span>

#include "controls/ControlModule.h"

/// The controls built into the program (picture effect, GIF, launcher, movie, RTF text), one
/// class object per class identifier, in the shape the control libraries hand out, so that the
/// control host registers both alike. The one table of them.
std::span<const ZyntraClassObject> BuiltinControls();

class ControlHost;

/// Registers every control of BuiltinControls() with the host. False when the host refused one
/// (it logs why), e.g. because the class is registered already.
bool RegisterBuiltinControls(ControlHost& host);
