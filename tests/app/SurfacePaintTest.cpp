#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "app/SurfacePaint.h"

namespace {

QImage Canvas(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::blue);
  return img;
}

TEST(SurfacePaint, GridBelowTwoIsDrawnEveryTwoPixels) {
  for (int width : {0, 1, 2}) {
    QImage img = Canvas(20, 12);
    {
      QPainter p(&img);
      SurfacePaint::Grid(p, img.size(), 0x000000, width);
    }
    SCOPED_TRACE(width);
    const QRgb grey = qRgb(226, 226, 226);
    EXPECT_EQ(img.pixel(0, 5), qRgb(0, 0, 0)); // black outline
    EXPECT_EQ(img.pixel(2, 5), grey);
    EXPECT_EQ(img.pixel(4, 5), grey);
    EXPECT_EQ(img.pixel(3, 5), qRgb(0, 0, 0));  // background between lines
    EXPECT_EQ(img.pixel(3, 2), grey);           // horizontal line at y = 2
    EXPECT_EQ(img.pixel(19, 5), qRgb(0, 0, 0)); // right outline
  }
}

TEST(SurfacePaint, GridUsesTheBackgroundColourAndSpacing) {
  QImage img = Canvas(40, 30);
  {
    QPainter p(&img);
    SurfacePaint::Grid(p, img.size(), 0x0000FF, 10); // red in the low byte
  }
  EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(10, 5), qRgb(226, 226, 226));
  EXPECT_EQ(img.pixel(5, 20), qRgb(226, 226, 226));
  EXPECT_EQ(img.pixel(11, 11), qRgb(255, 0, 0));
}

TEST(SurfacePaint, FrozenBandAndSelectionSquaresSitOutsideTheObject) {
  QImage img = Canvas(100, 100);
  const Rect object{30, 30, 60, 50};
  {
    QPainter p(&img);
    SurfacePaint::FrozenFrame(p, object);
    SurfacePaint::SelectionSquares(p, Rect{30, 30, 60, 50});
  }
  EXPECT_EQ(img.pixel(26, 33), qRgb(0, 0, 0));   // outline at left - 4
  EXPECT_EQ(img.pixel(27, 35), qRgb(255, 0, 0)); // red band
  EXPECT_EQ(img.pixel(40, 29), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(63, 45), qRgb(0, 0, 0));   // right outline at right + 3
  EXPECT_EQ(img.pixel(64, 45), qRgb(0, 0, 255)); // untouched beyond the band
  // Top-left square spans 22…29; its inside is white; top middle centred on cx = 45.
  EXPECT_EQ(img.pixel(22, 22), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(25, 25), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(41, 22), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(44, 25), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(65, 55), qRgb(255, 255, 255)); // bottom right square 60…67
  EXPECT_EQ(img.pixel(67, 57), qRgb(0, 0, 0));
}

} // namespace
