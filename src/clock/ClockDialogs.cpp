#include "clock/ClockDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

// "Pictures|*.bmp;*.jpg|All|*.*|" → "Pictures (*.bmp *.jpg);;All (*.*)".
QString QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) continue;
    out << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return out.join(";;");
}

} // namespace

PromptAnswer ClockDialogs::MessageBox(const std::string& text, const std::string& caption,
                                      PromptButtons buttons, PromptIcon icon) {
  QMessageBox box;
  box.setText(QString::fromStdString(text));
  box.setWindowTitle(QString::fromStdString(caption));
  switch (icon) {
  case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
  case PromptIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
  case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
  case PromptIcon::Stop: box.setIcon(QMessageBox::Critical); break;
  case PromptIcon::None: break;
  }
  switch (buttons) {
  case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
  case PromptButtons::OkCancel:
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    break;
  case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
  case PromptButtons::YesNoCancel:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    break;
  }
  switch (box.exec()) {
  case QMessageBox::Ok: return PromptAnswer::Ok;
  case QMessageBox::Yes: return PromptAnswer::Yes;
  case QMessageBox::No: return PromptAnswer::No;
  default: return PromptAnswer::Cancel;
  }
}

std::optional<std::string> ClockDialogs::GetOpenFileName(const std::string& filter,
                                                         const std::string&,
                                                         const std::string& initialPath) {
  QString name = QFileDialog::getOpenFileName(
      nullptr, QString(), QString::fromStdString(initialPath), QtFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return name.toStdString();
}

std::optional<std::string> ClockDialogs::GetSaveFileName(const std::string& filter,
                                                         const std::string& defaultExt,
                                                         const std::string& initialPath) {
  QString name = QFileDialog::getSaveFileName(
      nullptr, QString(), QString::fromStdString(initialPath), QtFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  if (QFileInfo(name).suffix().isEmpty() && !defaultExt.empty()) {
    name += "." + QString::fromStdString(defaultExt);
  }
  return name.toStdString();
}

std::optional<int32_t> ClockDialogs::ChooseColor(int32_t initial) {
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(start);
  if (!chosen.isValid()) return std::nullopt;
  return chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16);
}

std::optional<FontDesc> ClockDialogs::ChooseFont(const FontDesc& initial) {
  QFont font(QString::fromStdString(initial.name));
  if (initial.size > 0) font.setPointSizeF(initial.size);
  font.setBold(initial.bold);
  font.setItalic(initial.italic);
  font.setUnderline(initial.underline);
  font.setStrikeOut(initial.strikethrough);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font);
  if (!ok) return std::nullopt;
  FontDesc result = initial;
  result.name = chosen.family().toStdString();
  result.size = chosen.pointSizeF();
  result.bold = chosen.bold();
  result.italic = chosen.italic();
  result.underline = chosen.underline();
  result.strikethrough = chosen.strikeOut();
  result.weight = static_cast<int16_t>(chosen.bold() ? 700 : 400);
  return result;
}
