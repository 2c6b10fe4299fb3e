// Entry points of the zyntra-glasso library: the class object of the label control and its
// registration in the user's controls.ini. Everything else in the library stays hidden.

#include <QCoreApplication>
#include <QWidget>

#include "qt/QtTranslations.h"
#include "controls/ControlModuleExports.h"
#include "label/Glasso.h"

namespace {

HostedControl* CreateGlasso(QWidget* parent, const Rect& rect, bool visible,
                            const ControlServices& services) {
  // The caption editor's colour and font dialogs speak Chinese in any host.
  InstallQtChineseTranslations(QCoreApplication::instance());
  auto* control = new Glasso(parent, *services.prompts);
  control->MoveWindow(rect);
  control->ShowWindow(visible);
  return control;
}

int LiveGlassos() { return Glasso::AliveCount(); }

const ZyntraClassObject kClasses[] = {
    {ZYNTRA_CONTROL_ABI_VERSION, Glasso::kClassId, "Glasso", &CreateGlasso},
};

} // namespace

ZYNTRA_CONTROL_MODULE(kClasses, LiveGlassos)
