#include "qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QVariant>

namespace {

// A dynamic property of the application object is the one flag that the program and the
// control libraries (each with its own copy of this code) all see.
constexpr char kInstalledProperty[] = "zyntraQtTranslations";

} // namespace

QString QtTranslationsDir() {
  const QString fromEnv = qEnvironmentVariable("ZYNTRA_QT_TRANSLATIONS");
  return fromEnv.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : fromEnv;
}

bool InstallQtChineseTranslations(QCoreApplication* app) {
  if (!app) return false;
  const QVariant installed = app->property(kInstalledProperty);
  if (installed.isValid()) return installed.toBool();

  // Native dialogs follow the desktop's language, not the program's; Qt's own ones show the
  // translated texts below on every desktop.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

  const QString dir = QtTranslationsDir();
  auto install = [&](const char* name) {
    auto* translator = new QTranslator(app);
    if (translator->load(QString::fromLatin1(name), dir) && app->installTranslator(translator)) {
      return true;
    }
    delete translator;
    return false;
  };
  // qt_zh_CN is the catalogue of Qt's modules (it pulls in qtbase_zh_CN and the others);
  // qtbase_zh_CN alone still gives the dialogs where the catalogue is missing.
  bool any = install("qt_zh_CN") || install("qtbase_zh_CN");
  // The web view of the Flash control has texts of its own (its context menu).
  any = install("qtwebengine_zh_CN") || any;
  app->setProperty(kInstalledProperty, any);
  return any;
}
