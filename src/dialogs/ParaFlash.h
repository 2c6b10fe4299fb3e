#pragma once

#include <string>

#include "dialogs/ParaDialog.h"

class QCheckBox;
class QLineEdit;

/// The property window of a Flash object, "FLASH动画": movie file, loop flag, and a test button
/// that starts and stops the movie without changing its own text.
class CParaFlash : public CParaDialog {
  Q_OBJECT
public:
  /// Makes the hidden dialog as a window of the screen window.
  explicit CParaFlash(CZyntraScr& screen);

  /// True while the test button has set the movie playing.
  bool FlashPreviewing() const { return previewing_; }

  /// Movie file path (0x66).
  std::string File;
  /// Loop flag (0x6A).
  bool Loop = false;
  /// The object's reserve flag.
  bool Reserve = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  QLineEdit* file_;
  QCheckBox *loop_, *reserve_;
  bool previewing_ = false;
};
