#pragma once

#include <QDialog>

#include "settings/Settings.h"

class Prompts;
class QCheckBox;
class QLineEdit;
class QTimeEdit;

/// The options dialog "选项": edits the in-memory settings of the screen window. OK copies every
/// field back; Cancel copies nothing. Controls are named "ctl<identifier>" (e.g. "ctl1013").
class CDlgOption : public QDialog {
  Q_OBJECT
public:
  /// Binds the dialog to the settings it edits; `prompts` shows validation messages and the
  /// file chooser.
  CDlgOption(Settings& settings, Prompts& prompts, QWidget* parent = nullptr);
  /// The control with the given dialog identifier, or null.
  QWidget* Control(int id) const;

  /// OK: reads every field; an integer field that is not a number shows "请输入一个整数。" and
  /// keeps the dialog open.
  void accept() override;
  /// "...": chooses the auto-play file.
  void Browse();

private:
  QCheckBox* AddCheck(int id, const char* text);
  QLineEdit* AddEdit(int id);

  Settings& settings_;
  Prompts& prompts_;
  QCheckBox *enableMove_, *delPrompt_, *moveOnPlay_, *magnetism_, *showGrid_, *autoSave_,
      *autoClose_, *autoPlay_, *setCfAutoPlay_;
  QLineEdit *gridWidth_, *minWH_, *saveDelay_, *lFile_;
  QTimeEdit* closeTime_;
};
