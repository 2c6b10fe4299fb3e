#pragma once

#include <memory>
#include <string>

#include "controls/HostedControl.h"
#include "base/Rect.h"

/// Creates hosted controls by class identifier as child windows of the screen window.
class ControlFactory {
public:
  virtual ~ControlFactory() = default;
  /// Creates the control of class `clsid` at `rect` (client coordinates of the screen window),
  /// shown or hidden. Null when the class is unknown or the control could not be made.
  virtual std::unique_ptr<HostedControl> CreateControl(const std::string& clsid, const Rect& rect,
                                                       bool visible) = 0;
};
