#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/HostedControl.h"
#include "controls/Variant.h"
#include "base/Rect.h"

/// Base of the thin wrapper classes of hosted controls. It owns the control (destroying the
/// wrapper closes the control window), packs arguments, invokes dispatch members by DISPID and
/// unpacks results. A failed call, or a wrapper without a control, gives the empty default
/// (false, 0, 0.0 or "") and nothing else happens.
class CControlWrapper {
public:
  explicit CControlWrapper(std::unique_ptr<HostedControl> control);
  virtual ~CControlWrapper();
  CControlWrapper(const CControlWrapper&) = delete;
  CControlWrapper& operator=(const CControlWrapper&) = delete;

  /// The hosted control, or null when it could not be created.
  HostedControl* Control() const { return control_.get(); }
  /// True when a control window exists.
  bool HasWindow() const { return control_ != nullptr; }
  /// The class identifier of the control ("" without a control).
  std::string ClassId() const;

  /// Window rectangle in the screen window's client coordinates (empty without a control).
  Rect GetWindowRect() const;
  /// Moves and sizes the window (client coordinates of the screen window).
  void MoveWindow(const Rect& rect);
  /// Shows or hides the window.
  void ShowWindow(bool show);
  /// True when the window is shown.
  bool IsWindowVisible() const;
  /// Enables or disables input to the window.
  void EnableWindow(bool enable);
  /// True when input to the window is enabled.
  bool IsWindowEnabled() const;
  /// Raises the window above its siblings.
  void BringToTop();
  /// Puts the window into or out of the topmost band of its siblings.
  void SetTopmost(bool topmost);

protected:
  /// Invokes a member; the result, or an empty Variant when the call failed.
  Variant Call(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args = {}) const;
  /// Property get (with optional index arguments).
  Variant Get(int32_t dispid, const std::vector<Variant>& args = {}) const {
    return Call(dispid, InvokeKind::PropertyGet, args);
  }
  /// Property put of one value.
  void Put(int32_t dispid, Variant value) { Call(dispid, InvokeKind::PropertyPut, {value}); }
  /// Method call; its result, or empty.
  Variant Method(int32_t dispid, const std::vector<Variant>& args = {}) {
    return Call(dispid, InvokeKind::Method, args);
  }

  bool GetBool(int32_t dispid) const { return Get(dispid).toBool(); }
  int16_t GetI2(int32_t dispid) const { return Get(dispid).toI2(); }
  int32_t GetI4(int32_t dispid) const { return Get(dispid).toI4(); }
  double GetR8(int32_t dispid) const { return Get(dispid).toR8(); }
  std::string GetString(int32_t dispid) const { return Get(dispid).toString(); }
  void PutBool(int32_t dispid, bool v) { Put(dispid, Variant::FromBool(v)); }
  void PutI2(int32_t dispid, int16_t v) { Put(dispid, Variant::FromI2(v)); }
  void PutI4(int32_t dispid, int32_t v) { Put(dispid, Variant::FromI4(v)); }
  void PutR8(int32_t dispid, double v) { Put(dispid, Variant::FromR8(v)); }
  void PutDate(int32_t dispid, double v) { Put(dispid, Variant::FromDate(v)); }
  void PutString(int32_t dispid, const std::string& v) { Put(dispid, Variant::FromString(v)); }

private:
  std::unique_ptr<HostedControl> control_;
};

/// Wraps a freshly created control in the wrapper class `W`.
template <class W> std::unique_ptr<CControlWrapper> WrapControl(std::unique_ptr<HostedControl> c) {
  return std::make_unique<W>(std::move(c));
}
