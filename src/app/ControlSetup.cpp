#include "app/ControlSetup.h"

#include "controls/BuiltinControls.h"
#include "controls/ControlHost.h"
#include "controls/FlashStandIn.h"
#include "controls/MediaControls.h"

std::unique_ptr<ControlHost> MakeControlHost(QWidget* screen) {
  auto host = std::make_unique<ControlHost>(screen);
  RegisterBuiltinControls(*host);
  host->RegisterBuiltIn(kMPlayerClassId, "MediaPlayer", &CreateMPlayerCtrl);
  host->RegisterBuiltIn(kRtfTextClassId, "RtfText", &CreateRtfTextCtrl);
  RegisterFlashStandInIfNeeded(*host);
  return host;
}
