#pragma once

#include "dialogs/ParaDialog.h"

/// The property window of a program object, "程序": the position group, the control's own
/// editor of its program list ("编  辑") and a test run ("测  试").
class CParaExe : public CParaDialog {
  Q_OBJECT
public:
  /// Makes the hidden dialog as a window of the screen window.
  explicit CParaExe(CZyntraScr& screen);
};
