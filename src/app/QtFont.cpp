#include "app/QtFont.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>

namespace {

// Everything of `desc` but the family.
void ApplyFontStyle(QFont& font, const FontDesc& desc) {
  if (desc.size > 0) font.setPointSizeF(desc.size);
  font.setBold(desc.bold);
  font.setItalic(desc.italic);
  font.setUnderline(desc.underline);
  font.setStrikeOut(desc.strikethrough);
}

} // namespace

QFont QFontOf(const FontDesc& desc) {
  // The constructor reads a comma-separated list of families as such.
  QFont font(QString::fromStdString(desc.name));
  ApplyFontStyle(font, desc);
  return font;
}

void ApplyFontDesc(QFont& font, const FontDesc& desc) {
  font.setFamily(QString::fromStdString(desc.name));
  ApplyFontStyle(font, desc);
}

FontDesc FontDescOf(const QFont& font, FontDesc base) {
  base.name = font.family().toStdString();
  base.size = font.pointSizeF();
  base.bold = font.bold();
  base.italic = font.italic();
  base.underline = font.underline();
  base.strikethrough = font.strikeOut();
  base.weight = static_cast<int16_t>(base.bold ? 700 : 400);
  return base;
}

QString ChoosableFamily(const QFont& font) {
  const QString family = font.family();
  for (const QString& installed : QFontDatabase::families()) {
    if (installed.compare(family, Qt::CaseInsensitive) == 0) return installed;
  }
  // Windows names such as 黑体 are no installed family; the dialog would fall back to the
  // application font and lose the face. The face that actually draws the name is the nearest.
  return QFontInfo(font).family();
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
