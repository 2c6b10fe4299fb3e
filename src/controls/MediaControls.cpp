#include "controls/MediaControls.h"

#include "app/QtScheduler.h"
#include "controls/MPlayerCtrl.h"
#include "controls/RtfTextCtrl.h"
#include "model/Scheduler.h"

namespace {
Scheduler* gControlScheduler = nullptr;
} // namespace

Scheduler& DefaultControlScheduler() {
  if (gControlScheduler) return *gControlScheduler;
  static QtScheduler* scheduler = new QtScheduler; // outlives every control
  return *scheduler;
}

void SetControlScheduler(Scheduler* scheduler) { gControlScheduler = scheduler; }

Scheduler* ControlSchedulerOverride() { return gControlScheduler; }

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
