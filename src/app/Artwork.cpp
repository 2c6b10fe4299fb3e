#include "app/Artwork.h"
#include "qt/DesktopWindow.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

enum class Glyph {
  Placeholder,
  New,
  Open,
  Save,
  Arrow,
  Text,
  Picture,
  Clock,
  Movie,
  Rtf,
  Flash,
  Program,
  Play,
  Test,
  Options,
  About,
  Screen,
  Page,
  Gif,
  Delete,
  Freeze,
  Properties,
  FullScreen,
  Up,
  Down
};

QPixmap Draw(Glyph g, int size = 16) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  QPen dark(QColor(40, 40, 40), 1);
  p.setPen(dark);
  auto letter = [&](const QString& s, QColor bg, QColor fg = Qt::white) {
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
    QFont f;
    f.setPixelSize(s.size() > 1 ? 7 : 11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(fg);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, s);
  };
  switch (g) {
  case Glyph::Placeholder: break;
  case Glyph::New:
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 1.5, 10, 13));
    p.drawLine(QPointF(5, 5), QPointF(11, 5));
    p.drawLine(QPointF(5, 8), QPointF(11, 8));
    break;
  case Glyph::Open:
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(1.5, 4.5, 13, 9));
    p.drawRect(QRectF(1.5, 3, 5, 2));
    break;
  case Glyph::Save:
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 8, 5));
    break;
  case Glyph::Arrow: {
    QPainterPath path;
    path.moveTo(4, 1);
    path.lineTo(4, 14);
    path.lineTo(7, 11);
    path.lineTo(9.5, 15);
    path.lineTo(11, 14);
    path.lineTo(8.5, 10);
    path.lineTo(12.5, 10);
    path.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(path);
    break;
  }
  case Glyph::Text: letter("A", QColor(0, 150, 0)); break;
  case Glyph::Picture:
    p.setBrush(QColor(130, 190, 250));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(7, 6), QPointF(11, 13)}));
    p.setBrush(QColor(250, 220, 0));
    p.drawEllipse(QPointF(11.5, 5.5), 1.8, 1.8);
    break;
  case Glyph::Clock:
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    break;
  case Glyph::Movie:
    p.setBrush(QColor(50, 50, 50));
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.setBrush(Qt::white);
    for (int x = 3; x < 14; x += 3)
      p.drawRect(QRectF(x, 4.5, 1.5, 1.5));
    for (int x = 3; x < 14; x += 3)
      p.drawRect(QRectF(x, 10, 1.5, 1.5));
    break;
  case Glyph::Rtf: letter("RTF", QColor(150, 60, 160)); break;
  case Glyph::Flash: letter("f", QColor(200, 30, 30)); break;
  case Glyph::Program:
    p.setBrush(QColor(220, 220, 230));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(QColor(30, 60, 150));
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    break;
  case Glyph::Play:
    p.setBrush(QColor(0, 160, 0));
    p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
    break;
  case Glyph::Test: letter("T", QColor(230, 140, 0)); break;
  case Glyph::Options:
    p.setBrush(QColor(150, 150, 150));
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
    break;
  case Glyph::About: letter("?", QColor(40, 100, 200)); break;
  case Glyph::Screen:
    p.setBrush(Qt::black);
    p.drawRect(QRectF(1.5, 2.5, 13, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 60, 60));
    for (int y = 4; y < 11; y += 2)
      for (int x = 3; x < 14; x += 2)
        p.drawRect(QRectF(x, y, 1, 1));
    p.setPen(dark);
    p.drawLine(QPointF(8, 12), QPointF(8, 14));
    p.drawLine(QPointF(5, 14.5), QPointF(11, 14.5));
    break;
  case Glyph::Page:
    p.setBrush(QColor(255, 250, 220));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.drawLine(QPointF(5, 5), QPointF(11, 5));
    p.drawLine(QPointF(5, 8), QPointF(11, 8));
    p.drawLine(QPointF(5, 11), QPointF(9, 11));
    break;
  case Glyph::Gif: letter("GIF", QColor(0, 130, 130)); break;
  case Glyph::Delete:
    p.setPen(QPen(QColor(200, 0, 0), 2.2));
    p.drawLine(QPointF(3, 3), QPointF(13, 13));
    p.drawLine(QPointF(13, 3), QPointF(3, 13));
    break;
  case Glyph::Freeze:
    p.setBrush(QColor(230, 190, 40));
    p.drawRect(QRectF(3.5, 7.5, 9, 7));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 2.5, 6, 9), 0, 180 * 16);
    break;
  case Glyph::Properties: letter("P", QColor(90, 90, 160)); break;
  case Glyph::FullScreen:
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    break;
  case Glyph::Up:
    p.setBrush(QColor(40, 120, 220));
    p.drawPolygon(QPolygonF({QPointF(8, 2), QPointF(14, 10), QPointF(2, 10)}));
    break;
  case Glyph::Down:
    p.setBrush(QColor(40, 120, 220));
    p.drawPolygon(QPolygonF({QPointF(8, 14), QPointF(14, 6), QPointF(2, 6)}));
    break;
  }
  return pm;
}

// The image at 16 pixels and, on a scaled desktop, at the size the tool windows show it.
QIcon IconOf(Glyph g) {
  QIcon icon(Draw(g));
  const int scaled = DesktopScaled(16);
  if (scaled != 16) icon.addPixmap(Draw(g, scaled));
  return icon;
}

} // namespace

namespace Artwork {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128})
    icon.addPixmap(Draw(Glyph::Screen, size));
  return icon;
}

QIcon ToolBarImage(int position) {
  static const Glyph kStrip[18] = {
      Glyph::New,         Glyph::Open,    Glyph::Save,        Glyph::Placeholder, Glyph::Arrow,
      Glyph::Text,        Glyph::Picture, Glyph::Clock,       Glyph::Movie,       Glyph::Rtf,
      Glyph::Flash,       Glyph::Program, Glyph::Placeholder, Glyph::Play,        Glyph::Test,
      Glyph::Placeholder, Glyph::Options, Glyph::About};
  if (position < 0 || position >= 18) return IconOf(Glyph::Placeholder);
  return IconOf(kStrip[position]);
}

QIcon TreeImage(int index) {
  static const Glyph kTree[10] = {Glyph::Screen,  Glyph::Page,       Glyph::Text,  Glyph::Picture,
                                  Glyph::Clock,   Glyph::Movie,      Glyph::Flash, Glyph::Gif,
                                  Glyph::Program, Glyph::Placeholder};
  if (index < 0 || index >= 10) return IconOf(Glyph::Placeholder);
  return IconOf(kTree[index]);
}

QIcon PageListImage(int button) {
  static const Glyph kButtons[7] = {Glyph::Page,       Glyph::Delete,     Glyph::Freeze,
                                    Glyph::Properties, Glyph::FullScreen, Glyph::Up,
                                    Glyph::Down};
  if (button < 0 || button >= 7) return IconOf(Glyph::Placeholder);
  return IconOf(kButtons[button]);
}

} // namespace Artwork
