#include "qt/QtFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

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
