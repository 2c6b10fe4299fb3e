#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlWrapper.h"
#include "model/FrameInfo.h"
#include "model/ObjectKind.h"
#include "base/Rect.h"

class CZyntraScr;
class MotionTask;

/// One node of the project tree: the screen (root), a page, or an object of a page. A node owns
/// its children and its object control or page record; the root's screen window is not owned.
struct ShowNode {
  /// Parent node; null for the root.
  ShowNode* parent = nullptr;
  /// Pages of the screen, objects of a page; empty for objects. The order is the play order
  /// and the file order.
  std::vector<std::unique_ptr<ShowNode>> children;
  /// The node's kind.
  ObjectKind type = ObjectKind::Screen;
  /// Unique in the project: pages and objects are found by name.
  std::string name;
  /// Object: its hosted control wrapper (owned); deleting it closes the control window.
  std::unique_ptr<CControlWrapper> control;
  /// Page: its record (owned).
  std::unique_ptr<FrameInfo> frame;
  /// Screen: the screen window (not owned).
  CZyntraScr* screenWindow = nullptr;
  /// The object is not stopped when its page ends and keeps playing until the pass ends.
  bool reserve = false;
  /// The object is raised above the others when it starts.
  bool topmost = false;
  /// 0 = shown at its rectangle; 1 = a motion task plays its in and out effects; any other
  /// value = started but neither shown nor moved.
  int32_t actionStyle = 0;
  /// Design time only (never stored): shown on the design surface.
  bool visible = true;
  /// Design time only (never stored): may be moved and resized; false = frozen.
  bool unlocked = true;
  /// Never stored: false while the object's motion task runs.
  bool actionDone = true;
  /// Never stored: the design rectangle saved by the motion task while it runs.
  Rect savedRect;
  /// Never stored: the object's motion task; null until the first start.
  std::shared_ptr<MotionTask> actionThread;
  /// Wait before the in effect, milliseconds.
  int32_t preInDelay = 0;
  /// Wait between the hold and the out effect, milliseconds.
  int32_t preOutDelay = 0;
  /// In effect number 0 to 19; 0 = none.
  int32_t inStyle = 0;
  /// Pause after each one-pixel step of the in effect, milliseconds.
  int32_t inSpeed = 0;
  /// Hold time between in and out effect, seconds.
  int32_t delayTime = 0;
  /// Out effect number 0 to 19; 0 = none (the object stays visible).
  int32_t outStyle = 0;
  /// Pause after each step of the out effect, milliseconds.
  int32_t outSpeed = 0;

  /// True for pages and the screen (negative kinds).
  bool IsContainer() const { return static_cast<int32_t>(type) < 0; }
  /// True for a page.
  bool IsPage() const { return type == ObjectKind::Frame; }
  /// The control as the wrapper class `W`, or null when the node has no control of that class.
  template <class W> W* ControlAs() const { return dynamic_cast<W*>(control.get()); }
};
