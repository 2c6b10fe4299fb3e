// Entry points of the zyntra-clock library. Its clocks take their tick, their time and their
// font chooser from the services of the creation call; the library keeps no seams of its own.

#include <QCoreApplication>

#include "qt/QtTranslations.h"
#include "clock/ClockCtrl.h"
#include "controls/ClockIds.h"
#include "controls/ControlModuleExports.h"

namespace {

HostedControl* CreateClock(QWidget* parent, const Rect& rect, bool visible,
                           const ControlServices& services) {
  // The font dialog speaks Chinese in any host.
  InstallQtChineseTranslations(QCoreApplication::instance());
  auto* clock = new ClockCtrl(parent, *services.scheduler, *services.clock, *services.prompts);
  clock->MoveWindow(rect);
  clock->setVisible(visible);
  return clock;
}

int LiveClocks() { return ClockCtrl::LiveCount(); }

const ZyntraClassObject kClasses[] = {
    {ZYNTRA_CONTROL_ABI_VERSION, ClockIds::kClassId, "clock", &CreateClock},
};

} // namespace

ZYNTRA_CONTROL_MODULE(kClasses, LiveClocks)
