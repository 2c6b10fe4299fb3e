#pragma once

#include <string>

#include "dialogs/ParaDialog.h"

class QCheckBox;
class QLineEdit;

/// The property window of a GIF object, "GIF": position edits "X：" "Y：" "W：" "H：" without
/// up-downs, the GIF file, the reserve flag and the in/out effects. It has no OK button.
class CParaGif : public CParaDialog {
  Q_OBJECT
public:
  /// Makes the hidden dialog as a window of the screen window.
  explicit CParaGif(CZyntraScr& screen);

  /// GIF file path (0x68030003).
  std::string File;
  /// The object's reserve flag.
  bool Reserve = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  QLineEdit* file_;
  QCheckBox* reserve_;
};
