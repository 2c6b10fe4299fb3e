// Entry points of the zyntra-clock library and the seams its clocks read.

#include <QCoreApplication>
#include <memory>

#include "controls/ClockIds.h"
#include "clock/ClockCtrl.h"
#include "app/QtPrompts.h"
#include "app/QtTranslations.h"
#include "clock/ClockSeams.h"
#include "app/QtScheduler.h"
#include "controls/ControlModuleExports.h"
#include "model/LocalClock.h"

namespace {

Scheduler* gScheduler = nullptr;
LocalClock* gLocalClock = nullptr;
Prompts* gPrompts = nullptr;

HostedControl* CreateClock(QWidget* parent, const Rect& rect, bool visible) {
  // The font dialog speaks Chinese in any host.
  InstallQtChineseTranslations(QCoreApplication::instance());
  auto* clock = new ClockCtrl(parent);
  clock->MoveWindow(rect);
  clock->setVisible(visible);
  return clock;
}

int LiveClocks() { return ClockCtrl::LiveCount(); }

const ZyntraClassObject kClasses[] = {
    {ZYNTRA_CONTROL_ABI_VERSION, ClockIds::kClassId, "clock", &CreateClock},
};

} // namespace

Scheduler& ClockScheduler() {
  // Made on first use, when the application (and its event loop) exists.
  static QtScheduler timers;
  return gScheduler ? *gScheduler : timers;
}

LocalClock& ClockLocalClock() {
  static SystemLocalClock system;
  return gLocalClock ? *gLocalClock : system;
}

Prompts& ClockPrompts() {
  static QtPrompts dialogs;
  return gPrompts ? *gPrompts : dialogs;
}

ZYNTRA_CONTROL_EXPORT void ZyntraClockSetSeams(Scheduler* scheduler, LocalClock* clock,
                                               Prompts* prompts) {
  gScheduler = scheduler;
  gLocalClock = clock;
  gPrompts = prompts;
}

ZYNTRA_CONTROL_MODULE(kClasses, LiveClocks)
