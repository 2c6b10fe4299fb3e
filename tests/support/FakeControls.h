#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "controls/ControlFactory.h"
#include "controls/HostedControl.h"

// In-memory hosted controls for core tests: every put is stored by DISPID and answered by later
// gets; methods, puts and window operations are written to a trace that tests compare. The two
// list controls (picture effects, program launcher) keep their lists, and the label answers its
// font property from the font puts, so projects round-trip through them.

class FakeControlFactory;

/// One recorded dispatch call.
struct FakeCall {
  int32_t dispid;
  InvokeKind kind;
  std::vector<Variant> args;
};

/// A hosted control that remembers what it was told.
class FakeControl : public HostedControl {
public:
  FakeControl(std::string clsid, Rect rect, bool visible, FakeControlFactory* owner,
              uint64_t serial);
  ~FakeControl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;
  std::string ClassId() const override { return clsid_; }
  Rect GetWindowRect() const override { return rect_; }
  void MoveWindow(const Rect& rect) override;
  void ShowWindow(bool show) override;
  bool IsWindowVisible() const override { return visible_; }
  void EnableWindow(bool enable) override;
  bool IsWindowEnabled() const override { return enabled_; }
  void BringToTop() override;
  void SetTopmost(bool topmost) override;

  /// Stored property values by DISPID (puts land here; tests may preset them).
  std::map<int32_t, Variant> props;
  /// Every dispatch call in order.
  std::vector<FakeCall> calls;
  /// Gets, puts, methods and window operations in order, as text ("get 0x402",
  /// "put 0x68030002 false", "call 0x60030006 \"a.jpg\" \"无效果\" i2:5 i2:3", "show 0",
  /// "enable 0", "move 1 2 3 4").
  std::vector<std::string> trace;
  /// Makes every invoke fail (it still scribbles into the result, as a broken control might).
  bool failAll = false;
  /// Makes invokes of these DISPIDs fail.
  std::set<int32_t> failing;

private:
  friend class FakeControlFactory;
  InvokeStatus Answer(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant& result);

  std::string clsid_;
  Rect rect_;
  bool visible_;
  bool enabled_ = true;
  bool topmost_ = false;
  FakeControlFactory* owner_;
  uint64_t serial_;
  // Items of the list controls: picture effect (source, effect, speed, delay) or program
  // launcher (name, parameters).
  std::vector<std::vector<Variant>> items_;
};

/// Text of a Variant as the trace writes it, with its type: "true", "i2:5", "i4:5", "r8:1.5",
/// "date:38353.750000", "cy:200000", "\"text\"", "font:宋体", "empty".
std::string DescribeVariant(const Variant& v);

/// Makes FakeControls and keeps track of which are alive. It must outlive its controls.
class FakeControlFactory : public ControlFactory {
public:
  std::unique_ptr<HostedControl> CreateControl(const std::string& clsid, const Rect& rect,
                                               bool visible) override;

  /// One creation request.
  struct Creation {
    std::string clsid;
    Rect rect;
    bool visible;
  };
  /// Every creation request in order (also the refused ones).
  std::vector<Creation> creations;
  /// The controls alive now, in creation order.
  std::vector<FakeControl*> Live() const;
  /// How many controls are alive now.
  size_t LiveCount() const { return live_.size(); }
  /// Class identifiers of the controls destroyed so far, in order.
  std::vector<std::string> destroyed;
  /// Class identifiers for which creation fails (null).
  std::set<std::string> refuse;

  /// The fake behind a wrapper's or node's control; null when there is none.
  static FakeControl* Of(const HostedControl* control);

private:
  friend class FakeControl;
  void Forget(FakeControl* control);
  // Alive controls by creation number: forgetting one stays cheap in large projects.
  std::map<uint64_t, FakeControl*> live_;
  uint64_t made_ = 0;
};
