#include "program/ControlSetup.h"

#include "controls/BuiltinControls.h"
#include "controls/ControlHost.h"
#include "controls/FlashStandIn.h"

std::unique_ptr<ControlHost> MakeControlHost(QWidget* screen, const ControlServices& services) {
  auto host = std::make_unique<ControlHost>(screen, services);
  RegisterBuiltinControls(*host);
  RegisterFlashStandInIfNeeded(*host);
  return host;
}
