#pragma once

#include <cstdint>
#include <string>

class Prompts;
class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QWidget;

/// Moves values between a dialog's fields and its controls, in one direction per run, so that a
/// dialog lists its fields once (in DoDataExchange) for both showing and reading them.
///
/// Reading stops at the first value an edit cannot give: text that cannot become a number
/// ("12x") shows the validation message once and takes focus to that edit, and that field and
/// every field after it keep their previous values. Text on its way to a number ("", "-") is
/// passed over without a message: that field keeps its value, every other field is read.
class CDataExchange {
public:
  /// `saving` = true reads the controls into the fields; false writes the fields into the
  /// controls. Validation messages go to `prompts` with `caption`.
  CDataExchange(bool saving, Prompts& prompts, std::string caption);

  /// True when reading the controls into the fields.
  bool Saving() const { return saving_; }
  /// True when a value could not be read during this run (the later fields were not read).
  bool Failed() const { return failed_; }

  /// A whole number in an edit; rejects text that cannot be one ("请输入一个整数。").
  void Int(QLineEdit* edit, int32_t& value);
  /// A number in an edit, written with 6 significant digits; rejects text that cannot be a
  /// number ("请输入一个数字。").
  void Float(QLineEdit* edit, float& value);
  /// The text of an edit.
  void Text(QLineEdit* edit, std::string& value);
  /// The state of a check box.
  void Check(QAbstractButton* box, bool& value);
  /// The selected entry of a combo box (-1 = none).
  void Index(QComboBox* combo, int& value);
  /// The text of the selected entry of a combo box; writing selects the entry with exactly
  /// this text, or none.
  void Selected(QComboBox* combo, std::string& value);
  /// The position of a slider.
  void Position(QAbstractSlider* slider, int& value);
  /// A date picker holding a date-time number; reading keeps the time of day of the field,
  /// since the picker shows and edits only the date.
  void Date(QDateTimeEdit* picker, double& value);

private:
  void Keep();
  bool Fail(QWidget* control, const char* message);

  bool saving_;
  bool failed_ = false;
  Prompts& prompts_;
  std::string caption_;
};
