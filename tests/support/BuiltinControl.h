#pragma once

#include <string_view>

#include "controls/BuiltinControls.h"

/// Makes a built-in control of class `clsid` the way the control host does, from the table of
/// built-in controls, working through `services`; null when the table has no such class.
inline HostedControl* CreateBuiltinControl(std::string_view clsid, QWidget* parent,
                                           const Rect& rect, bool visible,
                                           const ControlServices& services) {
  for (const ZyntraClassObject& c : BuiltinControls())
    if (clsid == c.clsid) return c.create(parent, rect, visible, services);
  return nullptr;
}
