// Entry points of the Flash player library: the host finds the player's class object here.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cstring>
#include <dlfcn.h>

#include "controls/ControlModule.h"
#include "controls/WebEngineEnvironment.h"
#include "flash/FlashPlayer.h"
#include "flash/FlashWebContext.h"

namespace {

bool g_webEngineStarted = false;

HostedControl* CreatePlayer(QWidget* parent, const Rect& rect, bool visible) {
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

QString LibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&CreatePlayer), &info) == 0 || !info.dli_fname) return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

QString ControlsIni() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
  return config + QStringLiteral("/zyntra/controls.ini");
}

} // namespace

ZYNTRA_CONTROL_EXPORT int ZyntraControlAbiVersion() { return ZYNTRA_CONTROL_ABI_VERSION; }

ZYNTRA_CONTROL_EXPORT int DllGetClassObject(const char* clsid, const ZyntraClassObject** out) {
  if (!clsid || !out || std::strcmp(clsid, FlashMembers::kClassId) != 0)
    return kZyntraClassNotAvailable;
  // Without Ruffle's files the player could only show an empty window: the host's stand-in says
  // more, so the class is not offered.
  if (FlashWebContext::FindRuffleDir().isEmpty()) {
    FlashWebContext::Instance(); // logs where it looked
    return kZyntraClassNotAvailable;
  }
  PrepareWebEngineEnvironment();
  FlashWebContext::RegisterScheme();
  *out = &kPlayerClass;
  return kZyntraOk;
}

ZYNTRA_CONTROL_EXPORT int DllRegisterServer() {
  QString path = LibraryPath();
  if (path.isEmpty()) return kZyntraFail;
  QSettings ini(ControlsIni(), QSettings::IniFormat);
  ini.setValue(QStringLiteral("Controls/") + QLatin1String(FlashMembers::kClassId), path);
  ini.sync();
  return ini.status() == QSettings::NoError ? kZyntraOk : kZyntraFail;
}

ZYNTRA_CONTROL_EXPORT int DllUnregisterServer() {
  QSettings ini(ControlsIni(), QSettings::IniFormat);
  ini.remove(QStringLiteral("Controls/") + QLatin1String(FlashMembers::kClassId));
  ini.sync();
  return ini.status() == QSettings::NoError ? kZyntraOk : kZyntraFail;
}

// Qt WebEngine cannot be shut down and started again in one process: once a player existed the
// library stays loaded.
ZYNTRA_CONTROL_EXPORT int DllCanUnloadNow() {
  return g_webEngineStarted ? kZyntraFalse : kZyntraOk;
}
