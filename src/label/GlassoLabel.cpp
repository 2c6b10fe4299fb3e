#include "qt/ColorRef.h"
#include "qt/QtFont.h"
#include "label/GlassoLabel.h"

#include <QPainter>

#include "base/TextCodec.h"

void GlassoLabel::Paint(QPainter& painter) const {
  if (geometry.isEmpty()) return;
  if (!transparent) painter.fillRect(geometry, ColorFromRef(backColor));
  int flags = Qt::AlignVCenter | Qt::TextWordWrap;
  switch (alignment) {
  case Left: flags |= Qt::AlignLeft; break;
  case Right: flags |= Qt::AlignRight; break;
  case Center: flags |= Qt::AlignHCenter; break;
  }
  // Captions written on Windows end their lines with CR LF; a CR alone draws as a box.
  QString text = caption;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  // A byte of the file that is no character is kept for saving but drawn as "�", not as
  // whatever a font has at its private-use code point.
  for (QChar& c : text)
    if (c.unicode() >= kRawByteFirst && c.unicode() <= kRawByteLast)
      c = QChar::ReplacementCharacter;
  painter.save();
  painter.setFont(QFontOf(font));
  painter.setPen(ColorFromRef(foreColor));
  painter.drawText(geometry, flags, text);
  painter.restore();
}
