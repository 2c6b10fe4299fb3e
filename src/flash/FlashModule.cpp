// Entry points of the Flash player library: the host finds the player's class object here.

#include "controls/ControlModuleExports.h"
#include "controls/WebEngineEnvironment.h"
#include "flash/FlashPlayer.h"
#include "flash/FlashWebContext.h"

namespace {

bool g_webEngineStarted = false;

// The player runs on Qt WebEngine's own timing; it takes nothing from the services.
HostedControl* CreatePlayer(QWidget* parent, const Rect& rect, bool visible,
                            const ControlServices& /*services*/) {
  FlashWebContext* context = FlashWebContext::Instance();
  if (!context) return nullptr;
  g_webEngineStarted = true;
  auto* player = new FlashPlayer(context, parent);
  player->MoveWindow(rect);
  player->ShowWindow(visible);
  return player;
}

const ZyntraClassObject kPlayerClass = {ZYNTRA_CONTROL_ABI_VERSION, FlashMembers::kClassId,
                                        "ShockwaveFlash", &CreatePlayer};

} // namespace

ZYNTRA_CONTROL_EXPORT int ZyntraControlAbiVersion() { return ZYNTRA_CONTROL_ABI_VERSION; }

ZYNTRA_CONTROL_EXPORT int DllGetClassObject(const char* clsid, const ZyntraClassObject** out) {
  int found = zyntra_module::GetClassObject(&kPlayerClass, 1, clsid, out);
  if (found != kZyntraOk) return found;
  // Without Ruffle's files the player could only show an empty window: the host's stand-in says
  // more, so the class is not offered.
  if (FlashWebContext::FindRuffleDir().isEmpty()) {
    FlashWebContext::Instance(); // logs where it looked
    *out = nullptr;
    return kZyntraClassNotAvailable;
  }
  PrepareWebEngineEnvironment();
  FlashWebContext::RegisterScheme();
  return kZyntraOk;
}

ZYNTRA_CONTROL_EXPORT int DllRegisterServer() {
  return zyntra_module::RegisterClasses(&kPlayerClass, 1);
}

ZYNTRA_CONTROL_EXPORT int DllUnregisterServer() {
  return zyntra_module::UnregisterClasses(&kPlayerClass, 1);
}

// Qt WebEngine cannot be shut down and started again in one process: once a player existed the
// library stays loaded.
ZYNTRA_CONTROL_EXPORT int DllCanUnloadNow() {
  return g_webEngineStarted ? kZyntraFalse : kZyntraOk;
}
