#pragma once

#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "controls/HostedControl.h"
#include "controls/WallDpi.h"

class ControlWidget;

/// The topmost band of one parent's control windows, lowest first: the windows that stay
/// above siblings raised later. It lives on the parent as a child object named by a dynamic
/// property, so every control of that parent finds the same band, whichever library made it.
class ControlTopmostBand : public QObject {
public:
  /// The band of `parent`'s controls, made on first use.
  static ControlTopmostBand* Of(QWidget* parent) {
    if (ControlTopmostBand* band = Find(parent)) return band;
    auto* band = new ControlTopmostBand(parent);
    parent->setProperty(kProperty, QVariant::fromValue<QObject*>(band));
    return band;
  }

  /// The band of `parent`'s controls when one was made, else null.
  static ControlTopmostBand* Find(const QWidget* parent) {
    return static_cast<ControlTopmostBand*>(parent->property(kProperty).value<QObject*>());
  }

  /// Puts `w` at the top of the band (it is raised last from now on).
  void Enter(ControlWidget* w) {
    Leave(w);
    members_.push_back(w);
  }
  void Leave(ControlWidget* w) { std::erase(members_, w); }
  /// The band, lowest first.
  const std::vector<ControlWidget*>& Members() const { return members_; }

private:
  static constexpr const char* kProperty = "_zyntra_topmost_band";
  explicit ControlTopmostBand(QObject* parent) : QObject(parent) {}
  std::vector<ControlWidget*> members_;
};

/// Base of every control widget: the window half of HostedControl done with QWidget, so that a
/// control only implements Invoke(). Header-only, because the control libraries (clock, Glasso)
/// use it too and do not link the GUI library. Its text converts points at the wall's resolution.
class ControlWidget : public WallDpiWidget<QWidget>, public HostedControl {
public:
  ControlWidget(const std::string& clsid, QWidget* parent)
      : WallDpiWidget<QWidget>(parent), clsid_(clsid) {}
  ~ControlWidget() override {
    if (band_) band_->Leave(this);
  }

  std::string ClassId() const override { return clsid_; }

  Rect GetWindowRect() const override {
    QRect g = geometry();
    return Rect{g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
  }
  void MoveWindow(const Rect& r) override {
    setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
  }
  void ShowWindow(bool show) override { setVisible(show); }
  bool IsWindowVisible() const override { return !isHidden(); }
  void EnableWindow(bool enable) override { setEnabled(enable); }
  bool IsWindowEnabled() const override { return isEnabled(); }
  void BringToTop() override {
    raise();
    ControlTopmostBand* band = Band();
    if (!band) return;
    if (topmost_) {
      band->Enter(this);
      return;
    }
    // The topmost band stays above a window raised later that is not topmost, in its own
    // order. Only the band is visited, so raising costs the same whatever the number of
    // siblings.
    for (ControlWidget* w : band->Members())
      w->raise();
  }
  void SetTopmost(bool topmost) override {
    topmost_ = topmost;
    ControlTopmostBand* band = Band();
    if (topmost) {
      raise();
      if (band) band->Enter(this);
    } else if (band) {
      band->Leave(this);
    }
  }
  /// BringToTop for each window in turn (children of one parent). When they already are the
  /// top of the parent's stack in that order, outside any topmost band, nothing would move and
  /// nothing is done: showing a page just opened costs no restacking.
  static void BringAllToTop(const std::vector<ControlWidget*>& windows) {
    if (windows.empty()) return;
    if (!OnTopInOrder(windows))
      for (ControlWidget* w : windows)
        w->BringToTop();
  }

private:
  static bool OnTopInOrder(const std::vector<ControlWidget*>& windows) {
    const QWidget* parent = windows.front()->parentWidget();
    if (!parent) return false;
    if (const ControlTopmostBand* band = ControlTopmostBand::Find(parent))
      if (!band->Members().empty()) return false;
    auto next = windows.rbegin();
    const QObjectList& stack = parent->children();
    for (auto it = stack.rbegin(); it != stack.rend() && next != windows.rend(); ++it) {
      if (!(*it)->isWidgetType()) continue;
      if (*it != static_cast<QObject*>(*next)) return false;
      ++next;
    }
    return next == windows.rend();
  }

  ControlTopmostBand* Band() {
    if (!band_ && parentWidget()) band_ = ControlTopmostBand::Of(parentWidget());
    return band_;
  }

  std::string clsid_;
  bool topmost_ = false;
  QPointer<ControlTopmostBand> band_;
};
