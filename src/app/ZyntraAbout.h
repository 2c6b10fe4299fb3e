#pragma once

#include <QDialog>

/// The about box "关于": program icon, name and version, and "确定".
class CZyntraAbout : public QDialog {
  Q_OBJECT
public:
  explicit CZyntraAbout(QWidget* parent = nullptr);
  /// The line with the program's name and version.
  static QString VersionLine();
};
