#include "dialogs/DataExchange.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>
#include <QValidator>

#include <cmath>

#include "base/DateTime.h"
#include "base/Prompts.h"

CDataExchange::CDataExchange(bool saving, Prompts& prompts, std::string caption)
    : saving_(saving), prompts_(prompts), caption_(std::move(caption)) {}

void CDataExchange::Keep() {
  // Text on its way to a number ("", "-", "1e") keeps its field without a message, so that
  // typing is not interrupted; every other field is still read, so that an edit elsewhere in
  // the dialog is not lost because of a half-typed number here.
}

bool CDataExchange::Fail(QWidget* control, const char* message) {
  failed_ = true;
  prompts_.MessageBox(message, caption_, PromptButtons::Ok, PromptIcon::Exclamation);
  // The caret stays where it was, so that typing can go on ("-" on the way to "-5").
  control->setFocus();
  return false;
}

void CDataExchange::Int(QLineEdit* edit, int32_t& value) {
  if (failed_) return;
  if (!saving_) {
    edit->setText(QString::number(value));
    return;
  }
  QString text = edit->text().trimmed();
  int position = 0;
  QIntValidator validator;
  validator.setLocale(QLocale::c());
  bool ok = false;
  const int v = text.toInt(&ok);
  if (ok) {
    value = v;
  } else if (validator.validate(text, position) != QValidator::Intermediate) {
    Fail(edit, "请输入一个整数。");
  } else {
    Keep();
  }
}

void CDataExchange::Float(QLineEdit* edit, float& value) {
  if (failed_) return;
  if (!saving_) {
    edit->setText(QString::number(static_cast<double>(value), 'g', 6));
    return;
  }
  QString text = edit->text().trimmed();
  int position = 0;
  QDoubleValidator validator;
  validator.setLocale(QLocale::c());
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (ok && std::isfinite(static_cast<float>(v))) {
    value = static_cast<float>(v);
  } else if (!ok && validator.validate(text, position) == QValidator::Intermediate) {
    Keep();
  } else {
    Fail(edit, "请输入一个数字。");
  }
}

void CDataExchange::Text(QLineEdit* edit, std::string& value) {
  if (failed_) return;
  if (saving_)
    value = edit->text().toStdString();
  else
    edit->setText(QString::fromStdString(value));
}

void CDataExchange::Check(QAbstractButton* box, bool& value) {
  if (failed_) return;
  if (saving_)
    value = box->isChecked();
  else
    box->setChecked(value);
}

void CDataExchange::Index(QComboBox* combo, int& value) {
  if (failed_) return;
  if (saving_)
    value = combo->currentIndex();
  else
    combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

void CDataExchange::Selected(QComboBox* combo, std::string& value) {
  if (failed_) return;
  if (saving_)
    value = combo->currentIndex() < 0 ? std::string() : combo->currentText().toStdString();
  else
    combo->setCurrentIndex(combo->findText(QString::fromStdString(value), Qt::MatchExactly));
}

void CDataExchange::Position(QAbstractSlider* slider, int& value) {
  if (failed_) return;
  if (saving_)
    value = slider->value();
  else
    slider->setValue(value);
}

void CDataExchange::Date(QDateTimeEdit* picker, double& value) {
  if (failed_) return;
  if (!saving_) {
    const DateTimeParts p = FromDateTimeNumber(value);
    picker->setDate(QDate(p.year, p.month, p.day));
    return;
  }
  const QDate d = picker->date();
  DateTimeParts parts = FromDateTimeNumber(value);
  parts.year = d.year();
  parts.month = d.month();
  parts.day = d.day();
  value = ToDateTimeNumber(parts);
}
