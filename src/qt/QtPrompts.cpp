#include "qt/ColorRef.h"
#include "qt/QtFont.h"
#include "qt/QtPrompts.h"
#include "qt/DesktopWindow.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>

QString QtPrompts::ToQtFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return out.join(QStringLiteral(";;"));
}

QWidget* QtPrompts::Owner() const {
  // The window the user is working in asked: the question belongs to it and stays above it.
  // Without one (a timer asked, or nothing of ours is active) the main window owns it.
  QWidget* active = QApplication::activeModalWidget();
  if (!active) active = QApplication::activeWindow();
  if (active && active->isVisible() && active->windowType() != Qt::Popup) return active;
  return parent_;
}

PromptAnswer QtPrompts::MessageBox(const std::string& text, const std::string& caption,
                                   PromptButtons buttons, PromptIcon icon) {
  QMessageBox box(Owner());
  box.setText(QString::fromStdString(text));
  SetWindowCaption(&box, QString::fromStdString(caption));
  switch (icon) {
  case PromptIcon::None: box.setIcon(QMessageBox::NoIcon); break;
  case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
  case PromptIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
  case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
  case PromptIcon::Stop: box.setIcon(QMessageBox::Critical); break;
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
  default: return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
}

std::optional<std::string> QtPrompts::GetOpenFileName(const std::string& filter,
                                                      const std::string& /*defaultExt*/,
                                                      const std::string& initialPath) {
  QString path = QFileDialog::getOpenFileName(
      Owner(), QString(), QString::fromStdString(initialPath), ToQtFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> QtPrompts::GetSaveFileName(const std::string& filter,
                                                      const std::string& defaultExt,
                                                      const std::string& initialPath) {
  QFileDialog dialog(Owner(), QString(), QString::fromStdString(initialPath), ToQtFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The chooser itself asks before an existing file is replaced.
  if (!defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

std::optional<int32_t> QtPrompts::ChooseColor(int32_t initial) {
  QColor start = ColorFromRef(initial);
  QColor c = QColorDialog::getColor(start, Owner());
  if (!c.isValid()) return std::nullopt;
  return ColorRefOf(c);
}

std::optional<FontDesc> QtPrompts::ChooseFont(const FontDesc& initial) {
  return ChooseFontInDialog(initial, Owner());
}

std::optional<FontDesc> ChooseFontInDialog(const FontDesc& stored, QWidget* parent,
                                           const FontDialogRunner& run) {
  QFont start = QFontOf(stored);
  start.setFamily(ChoosableFamily(start));
  // CJK faces have no italic: "Bold Italic" would open on the family's first style and lose
  // bold. The italic stays stored all the same.
  const QStringList styles = QFontDatabase::styles(start.family());
  if (start.italic() && !styles.contains(QFontDatabase::styleString(start))) {
    QFont upright = start;
    upright.setItalic(false);
    if (styles.contains(QFontDatabase::styleString(upright))) start = upright;
  }
  QFontDialog dialog(parent);
  dialog.setCurrentFont(start);
  // What the dialog shows can differ from what is stored (another family spelling, whole
  // points, no italic face); only what the user changed from there replaces the stored value.
  const QFont shown = dialog.currentFont();
  const bool accepted = run ? run(dialog) : dialog.exec() == QDialog::Accepted;
  if (!accepted) return std::nullopt;
  const QFont chosen = dialog.selectedFont();

  FontDesc result = stored;
  if (chosen.family() != shown.family()) result.name = chosen.family().toStdString();
  if (chosen.pointSizeF() != shown.pointSizeF()) result.size = chosen.pointSizeF();
  if (chosen.bold() != shown.bold()) {
    result.bold = chosen.bold();
    result.weight = static_cast<int16_t>(result.bold ? 700 : 400);
  }
  if (chosen.italic() != shown.italic()) result.italic = chosen.italic();
  if (chosen.underline() != shown.underline()) result.underline = chosen.underline();
  if (chosen.strikeOut() != shown.strikeOut()) result.strikethrough = chosen.strikeOut();
  return result;
}
