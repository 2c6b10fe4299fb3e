#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/Variant.h"
#include "base/Rect.h"

/// How a dispatch member is invoked.
enum class InvokeKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

/// Result of an invoke. Callers never act on failures: a failed call leaves their value at its
/// empty default and the program goes on.
enum class InvokeStatus {
  Ok,
  UnknownMember, ///< no member with that DISPID
  BadKind,       ///< the member exists but not for this invoke kind
  BadArgs,       ///< wrong number or types of arguments
  Failed,        ///< the member ran and failed
};

/// One hosted display control: its dispatch interface and its child window inside the screen
/// window. Destroying the object closes the window.
class HostedControl {
public:
  virtual ~HostedControl() = default;

  /// Calls the dispatch member `dispid`. For property gets and methods with a result the value
  /// goes to `*result` (when given); puts take their value as the last argument.
  virtual InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                              Variant* result) = 0;
  /// The class identifier the control was created for, e.g. "{15AC02EE-…}".
  virtual std::string ClassId() const = 0;

  /// The window rectangle in the parent's (screen window's) client coordinates.
  virtual Rect GetWindowRect() const = 0;
  /// Moves and sizes the window to a rectangle in the parent's client coordinates.
  virtual void MoveWindow(const Rect& rect) = 0;
  /// Shows or hides the window.
  virtual void ShowWindow(bool show) = 0;
  /// True when the window is shown (not hidden by ShowWindow(false)).
  virtual bool IsWindowVisible() const = 0;
  /// Enables or disables input to the window.
  virtual void EnableWindow(bool enable) = 0;
  /// True when input is enabled.
  virtual bool IsWindowEnabled() const = 0;
  /// Raises the window above its siblings.
  virtual void BringToTop() = 0;
  /// Puts the window into or out of the topmost band of its siblings: a topmost window stays
  /// above siblings raised later that are not topmost themselves.
  virtual void SetTopmost(bool topmost) = 0;
};
