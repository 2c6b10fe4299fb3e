#pragma once

#include <QWidget>

#include "controls/HostedControl.h"
#include "controls/WallDpi.h"

/// Base of every control widget: the window half of HostedControl done with QWidget, so that a
/// control only implements Invoke(). Header-only, because the control libraries (clock, Glasso)
/// use it too and do not link the GUI library. Its text converts points at the wall's resolution.
class ControlWidget : public WallDpiWidget<QWidget>, public HostedControl {
public:
  ControlWidget(const std::string& clsid, QWidget* parent)
      : WallDpiWidget<QWidget>(parent), clsid_(clsid) {}

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
    // Siblings in the topmost band stay above a window raised later that is not topmost.
    if (topmost_ || !parentWidget()) return;
    for (QObject* o : parentWidget()->children()) {
      auto* w = dynamic_cast<ControlWidget*>(o);
      if (w && w != this && w->topmost_) w->raise();
    }
  }
  void SetTopmost(bool topmost) override {
    topmost_ = topmost;
    if (topmost) raise();
  }
  /// True when the window is in the topmost band of its siblings.
  bool IsTopmost() const { return topmost_; }

private:
  std::string clsid_;
  bool topmost_ = false;
};
