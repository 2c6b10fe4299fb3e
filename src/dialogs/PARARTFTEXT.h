#pragma once

#include <QStringList>

#include <cstdint>
#include <string>

#include "dialogs/ParaDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

/// The property window of an RTF text object, "RTF": text file, entry and exit styles (passed
/// to the control as their names), play speed and stay time (1 … 100 on their up-downs), play
/// count (0 = endless, mirrored by "重复播放"), background colour and test play.
class CPARARTFTEXT : public CParaDialog {
  Q_OBJECT
public:
  /// The nine entry style names, in list order.
  static const QStringList& EntryStyles();
  /// The nine exit style names, in list order.
  static const QStringList& ExitStyles();

  /// Makes the hidden dialog as a window of the screen window.
  explicit CPARARTFTEXT(CZyntraScr& screen);

  /// RTF or text file path (0x40030004).
  std::string File;
  /// Entry style name (0x40030001); empty when no entry is selected.
  std::string InStyle;
  /// Exit style name (0x40030002); empty when no entry is selected.
  std::string OutStyle;
  /// Play speed (0x40030000): the edit's text as a decimal number, 0 when it is none.
  int32_t PlaySpeed = 1;
  /// Stay time in seconds (0x40030003), read like the play speed.
  int32_t StayTime = 1;
  /// Play count (0x40030008); 0 means endless.
  int32_t PlayCount = 1;
  /// Repeat endlessly (0x40030007).
  bool Repeat = false;
  /// The object's reserve flag.
  bool Reserve = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  QLineEdit *file_, *speed_, *stay_, *count_;
  QComboBox *inStyle_, *outStyle_;
  CUpDown *speedUpDown_, *stayUpDown_;
  QCheckBox *repeat_, *reserve_;
};
