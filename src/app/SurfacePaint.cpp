#include "qt/ColorRef.h"
#include "app/SurfacePaint.h"

#include <QPainter>

namespace SurfacePaint {

void Background(QPainter& p, QSize client, int32_t bgColor) {
  p.fillRect(QRect(QPoint(0, 0), client), ColorFromRef(bgColor));
}

// Rectangles here follow the GDI convention: a filled, outlined rectangle covers left…right-1
// and top…bottom-1, the outline being its outermost pixels.
static void OutlinedRect(QPainter& p, const QRect& r, const QColor& fill) {
  if (r.width() <= 0 || r.height() <= 0) return;
  p.fillRect(r, fill);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

void Grid(QPainter& p, QSize client, int32_t bgColor, int gridWidth) {
  const int g = gridWidth < 2 ? 2 : gridWidth;
  const int w = client.width(), h = client.height();
  OutlinedRect(p, QRect(0, 0, w, h), ColorFromRef(bgColor));
  p.setPen(QPen(QColor(226, 226, 226), 1));
  // Lines are drawn as GDI would: from the start point up to, not including, the end point.
  for (int x = g; x < w; x += g)
    p.drawLine(x, 1, x, h - 2);
  for (int y = g; y < h; y += g)
    p.drawLine(1, y, w - 2, y);
}

void FrozenFrame(QPainter& p, const Rect& o) {
  OutlinedRect(p, QRect(o.left - 4, o.top - 4, o.Width() + 8, o.Height() + 8), Qt::red);
}

void TrackerOutline(QPainter& p, const Rect& r) {
  QPen pen(Qt::black, 1, Qt::DotLine);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(r.left, r.top, r.Width(), r.Height()).adjusted(0, 0, -1, -1));
}

void SelectionSquares(QPainter& p, const Rect& r) {
  const int L = r.left, T = r.top, R = r.right, B = r.bottom;
  const int cx = (L + R) / 2, cy = (T + B) / 2;
  const QRect squares[8] = {
      QRect(QPoint(L - 8, cy - 4), QPoint(L - 1, cy + 3)), // left middle
      QRect(QPoint(L - 8, T - 8), QPoint(L - 1, T - 1)),   // top left
      QRect(QPoint(cx - 4, T - 8), QPoint(cx + 3, T - 1)), // top middle
      QRect(QPoint(R, T - 8), QPoint(R + 7, T - 1)),       // top right
      QRect(QPoint(R, cy - 4), QPoint(R + 7, cy + 3)),     // right middle
      QRect(QPoint(R, B), QPoint(R + 7, B + 7)),           // bottom right
      QRect(QPoint(cx - 4, B), QPoint(cx + 3, B + 7)),     // bottom middle
      QRect(QPoint(L - 8, B), QPoint(L - 1, B + 7)),       // bottom left
  };
  for (const QRect& s : squares)
    OutlinedRect(p, s, Qt::white);
}

} // namespace SurfacePaint
