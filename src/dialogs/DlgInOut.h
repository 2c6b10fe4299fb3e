#pragma once

#include <QDialog>

#include <cstdint>

class CUpDown;
class Prompts;
class QLineEdit;
class QListWidget;
class QSlider;
struct ShowNode;

/// The in/out effect dialog "效果设置" (modal): edits the effect fields of one object record.
/// OK writes action style 1 and every field; "去除效果" (after confirmation) only clears the
/// action style; Cancel writes nothing. Controls are named "ctl<identifier>".
class CDlgInOut : public QDialog {
  Q_OBJECT
public:
  /// The 20 entry effect names, by effect number.
  static const QStringList& EntryNames();
  /// The 20 exit effect names, by effect number.
  static const QStringList& ExitNames();

  /// Shows the record's effects (or the defaults when it has none); `prompts` asks before
  /// removing the effects.
  CDlgInOut(ShowNode& node, Prompts& prompts, QWidget* parent = nullptr);
  /// The control with a dialog identifier, or null.
  QWidget* Control(int id) const;
  /// The stay field (seconds) as it stands.
  int32_t Stay() const { return stay_; }

  /// OK: reads the fields and writes them with action style 1.
  void accept() override;
  /// "去除效果": asks, then clears the action style and closes.
  void RemoveEffects();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CopySliderToStay();

  ShowNode& node_;
  Prompts& prompts_;
  QListWidget *in_, *out_;
  QSlider* slider_;
  QLineEdit *stayEdit_, *inSpeed_, *outSpeed_, *preIn_, *preOut_;
  CUpDown *inUpDown_, *outUpDown_;
  int32_t stay_ = 0;
  int32_t preInDelay_ = 0;
  int32_t preOutDelay_ = 0;
};
