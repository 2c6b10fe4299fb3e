#pragma once

#include "dialogs/ParaDialog.h"

class QCheckBox;

/// The text object's property dialog "文字": position, reserve flag, the label's own caption
/// editor ("编  辑") and the in/out effects ("特  效").
class CParaLabel : public CParaDialog {
  Q_OBJECT
public:
  /// Makes the dialog of `screen`, not yet bound.
  explicit CParaLabel(CZyntraScr& screen);

  bool Reserve = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;

private:
  QCheckBox* reserve_;
};
