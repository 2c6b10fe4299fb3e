#pragma once

#include <QString>

class QCoreApplication;

/// Gives the running application Qt's own Simplified Chinese texts (standard buttons, the file,
/// colour and font dialogs) whatever the system locale, and makes every dialog Qt's own so that
/// they show them. Once per process: the program and each control library may call it; later
/// calls do nothing. False when `app` is null or no translation file could be loaded.
bool InstallQtChineseTranslations(QCoreApplication* app);

/// Where the translations are read from: ZYNTRA_QT_TRANSLATIONS when set, else Qt's own folder.
QString QtTranslationsDir();
