#pragma once

#include <cstdint>
#include <string>

#include "dialogs/ParaDialog.h"

struct FrameInfo;
class QCheckBox;
class QComboBox;
class QLineEdit;

/// The property window of the screen and its current page, "屏体". Its position fields are the
/// screen window's rectangle in desktop coordinates; "顶层窗体" puts the screen window into or
/// out of the topmost band at once; play mode, countdown and serial play belong to the page
/// that is current when they change.
class CParaScreen : public CParaDialog {
  Q_OBJECT
public:
  /// The play mode entries, by TTL_Kind.
  static const QStringList& PlayModes();

  /// Makes the hidden dialog as a window of the screen window.
  explicit CParaScreen(CZyntraScr& screen);

  /// The screen window's topmost flag.
  bool Topmost = false;
  /// The setting EnableMove (the screen may be dragged).
  bool EnableMove = false;
  /// The page's name (shown only).
  std::string PageName;
  /// The page's TTL_Kind: 0 = "等待结束", 1 = "计时结束".
  int PlayMode = 0;
  /// The page's countdown in seconds.
  int32_t Seconds = 0;
  /// The page's serial play flag (ybPlay).
  bool Serial = false;

protected:
  void ReadObject() override;
  void DoDataExchange(CDataExchange& dx) override;
  /// Moves the screen window itself to (Left, Top, Left + Width, Top + Height) on the desktop.
  void ApplyPosition() override;
  /// The screen (its rectangle) and the current page (its record).
  std::vector<ShowNode*> EditedNodes() const override;

private:
  FrameInfo* CurrentPageInfo() const;

  QCheckBox *topmost_, *enableMove_, *serial_;
  QLineEdit *name_, *seconds_;
  QComboBox* playMode_;
};
