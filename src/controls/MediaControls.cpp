#include "controls/MediaControls.h"

#include "app/QtScheduler.h"
#include "controls/MPlayerCtrl.h"
#include "controls/RtfTextCtrl.h"
#include "model/Scheduler.h"

Scheduler& DefaultControlScheduler() {
  static QtScheduler* scheduler = new QtScheduler; // outlives every control
  return *scheduler;
}

HostedControl* CreateMPlayerCtrl(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new MPlayerCtrl(parent);
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}

HostedControl* CreateRtfTextCtrl(QWidget* parent, const Rect& rect, bool visible) {
  auto* control = new RtfTextCtrl(parent);
  control->MoveWindow(rect);
  control->setVisible(visible);
  return control;
}
