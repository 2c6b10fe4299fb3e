#pragma once

#include <span>

#include "controls/ControlModule.h"

/// The controls built into the program, one class object per class identifier, in the shape
/// the control libraries hand out, so that the control host registers both alike.
std::span<const ZyntraClassObject> BuiltinControls();

class ControlHost;

/// Registers every control of BuiltinControls() with the host. False when the host refused one
/// (it logs why), e.g. because the class is registered already.
bool RegisterBuiltinControls(ControlHost& host);

/// Creates the picture-effect control as a child of `parent`, timed by the scheduler set with
/// SetControlScheduler, else by Qt timers of its own.
HostedControl* CreateEffectBoxCtrl(QWidget* parent, const Rect& rect, bool visible);
/// Creates the animated-GIF control as a child of `parent`, timed by the scheduler set with
/// SetControlScheduler, else by Qt timers of its own.
HostedControl* CreateAniGifCtrl(QWidget* parent, const Rect& rect, bool visible);
/// Creates the program-launcher control as a child of `parent`.
HostedControl* CreateDoExeCtrl(QWidget* parent, const Rect& rect, bool visible);
