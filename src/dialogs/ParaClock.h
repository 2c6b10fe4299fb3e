#pragma once

#include <cstdint>
#include <string>

#include "dialogs/ParaDialog.h"

class QComboBox;
class QDateEdit;
class QLineEdit;

/// The clock's property dialog "时钟": style, offsets, target date, countdown, texts, colours,
/// font, reserve flag. Edit 1012 is the height and 1013 the width.
class CParaClock : public CParaDialog {
  Q_OBJECT
public:
  /// The 26 style names, by style number.
  static const QStringList& StyleNames();

  /// Makes the dialog of `screen`, not yet bound.
  explicit CParaClock(CZyntraScr& screen);

  int Style = 0;
  std::string PreText, LasText;
  float RetouchHour = 0, RetouchMinute = 0, RetouchSecond = 0;
  double TargetDate = 0;
  int32_t TotalTime = 0;
  bool Reserve = false, Topmost = false, Border = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  QComboBox* style_;
  QLineEdit *hour_, *minute_, *second_, *totalTime_, *preText_, *lasText_;
  QDateEdit* targetDate_;
  QCheckBox *reserve_, *topmost_, *border_;
};
