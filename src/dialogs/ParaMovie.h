#pragma once

#include <cstdint>
#include <string>

#include "dialogs/ParaDialog.h"

class QCheckBox;
class QLineEdit;

/// The property window of a movie object, "电影": media file, play count (0 = endless, mirrored
/// by "重复播放"), test play. Edit 1012 is the height and 1013 the width.
class CParaMovie : public CParaDialog {
  Q_OBJECT
public:
  /// Makes the hidden dialog as a window of the screen window.
  explicit CParaMovie(CZyntraScr& screen);

  /// Media file name (0x402).
  std::string FileName;
  /// Play count (0x406); 0 means endless.
  int32_t PlayCount = 1;
  /// Repeat endlessly: true exactly when the play count is 0.
  bool Repeat = false;
  /// The object's reserve flag.
  bool Reserve = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  QLineEdit *file_, *count_;
  QCheckBox *repeat_, *reserve_;
};
