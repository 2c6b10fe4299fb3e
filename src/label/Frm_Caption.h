#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "controls/Variant.h"

class Glasso;
class QCheckBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

/// The label control's caption editor ("标签计设器"). Transparency, border, alignment, colours
/// and font apply to the control at once; the caption applies on OK only. Cancel and the close
/// box keep the old caption.
class Frm_Caption : public QDialog {
public:
  /// Builds the form; `parent` is the window it is shown over.
  explicit Frm_Caption(QWidget* parent = nullptr);

  /// The control the form edits; set before the form is shown.
  Glasso* mGlasso = nullptr;

  /// Loads the caption, colours, font, transparency, border and alignment from the control.
  void Form_Activate();
  /// Transparent := the check box's state.
  void Check1_Click();
  /// Border := the check box's state.
  void Check2_Click();
  /// Align := the index of the option button.
  void Option1_Click(int index);
  /// The control's text colour chooser, then the preview's text colour.
  void Command3_Click();
  /// The control's background colour chooser, then the preview's background.
  void Command5_Click();
  /// The control's border colour chooser.
  void Command6_Click();
  /// The control's font chooser, then the preview's font.
  void Command4_Click();
  /// OK: Caption := the text; closes the form.
  void Command1_Click();
  /// Cancel: closes the form, the caption stays.
  void Command2_Click();

protected:
  void showEvent(QShowEvent* event) override;

private:
  Variant Get(int32_t dispid) const;
  void Put(int32_t dispid, const Variant& value);
  void Call(int32_t dispid);
  void PreviewColors();
  void PreviewFont();

  QPlainTextEdit* Text1;
  QCheckBox* Check1;
  QCheckBox* Check2;
  QGroupBox* Frame1;
  QGroupBox* Frame2;
  std::array<QRadioButton*, 3> Option1;
  QPushButton* Command3;
  QPushButton* Command5;
  QPushButton* Command6;
  QPushButton* Command4;
  QPushButton* Command1;
  QPushButton* Command2;
  bool activated_ = false;
};
