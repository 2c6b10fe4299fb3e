#include "qt/ColorRef.h"
#include "label/GlassoShape.h"

#include <QPainter>

#include "label/GlassoLabel.h"

void GlassoShape::Paint(QPainter& painter) const {
  if (!visible || geometry.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(ColorFromRef(borderColor), 0));
  painter.setBrush(Qt::NoBrush);
  // A cosmetic pen draws drawRect(x, y, w, h) on the pixels x..x+w, so the outline sits on the
  // outermost rows and columns of the geometry.
  painter.drawRect(geometry.adjusted(0, 0, -1, -1));
  painter.restore();
}
