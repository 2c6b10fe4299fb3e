#include "controls/MediaControls.h"

#include "app/QtScheduler.h"
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
