#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include "GlassoTestSupport.h"

using D = GlassoIds::Dispid;

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);

// A red page with a blue object on its left half and a label over both, all painted by Qt's
// own widget compositing when the page is grabbed.
struct Scene {
  ScriptedChoosers choosers;
  QWidget page;
  QWidget* under;
  Glasso* label;
  const QRect labelRect{20, 20, 200, 60};

  explicit Scene(const char* caption) {
    page.resize(240, 100);
    page.setAutoFillBackground(true);
    QPalette red;
    red.setColor(QPalette::Window, QColor(kRed));
    page.setPalette(red);
    under = new QWidget(&page);
    under->setGeometry(0, 0, 120, 100);
    under->setAutoFillBackground(true);
    QPalette blue;
    blue.setColor(QPalette::Window, QColor(kBlue));
    under->setPalette(blue);
    label = new Glasso(&page, choosers);
    label->MoveWindow(Rect{20, 20, 220, 80});
    label->ShowWindow(true);
    Put(*label, D::kCaption, Variant::FromString(caption));
    Put(*label, D::kFontSize, Variant::FromI4(300000));
    Put(*label, D::kColor, Variant::FromI4(0x00FF00));
  }

  QImage Grab() { return page.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // What the page shows at (x, y) where the label does not paint.
  static QRgb Underneath(int x) { return x < 120 ? kBlue : kRed; }
};

struct Census {
  int underneath = 0;
  int exact = 0; // pixels of exactly the colour looked for
  int other = 0;
};

Census Count(const QImage& image, const QRect& area, QRgb colour) {
  Census c;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      QRgb p = image.pixel(x, y);
      if (p == colour)
        ++c.exact;
      else if (p == Scene::Underneath(x))
        ++c.underneath;
      else
        ++c.other;
    }
  }
  return c;
}

} // namespace

TEST(GlassoPaint, TransparentLabelShowsThePageAndObjectsUnderItBetweenTheLetters) {
  Scene scene("透明标签");
  Put(*scene.label, D::kBgColor, Variant::FromI4(0x808080));
  ASSERT_EQ(Put(*scene.label, D::kTransparent, Variant::FromI2(1)), InvokeStatus::Ok);
  QImage shot = scene.Grab();
  SaveShot(shot, "glasso-transparent.png");

  Census c = Count(shot, scene.labelRect, qRgb(0, 255, 0));
  // Only the page, the blue object and solid text colour: no background, no fringe.
  EXPECT_EQ(c.other, 0);
  EXPECT_GT(c.exact, 500);
  EXPECT_GT(c.underneath, 6000);
  EXPECT_EQ(shot.pixel(21, 21), kBlue);
  EXPECT_EQ(shot.pixel(218, 78), kRed);
  // Glyphs on both sides of the object's edge.
  EXPECT_GT(Count(shot, QRect(20, 20, 100, 60), qRgb(0, 255, 0)).exact, 100);
  EXPECT_GT(Count(shot, QRect(120, 20, 100, 60), qRgb(0, 255, 0)).exact, 100);
}

TEST(GlassoPaint, OpaqueLabelPaintsItsBackgroundColourBehindTheText) {
  Scene scene("不透明");
  Put(*scene.label, D::kBgColor, Variant::FromI4(0x804020)); // rgb(0x20, 0x40, 0x80)
  Put(*scene.label, D::kTransparent, Variant::FromI2(1));
  ASSERT_EQ(Put(*scene.label, D::kTransparent, Variant::FromI2(0)), InvokeStatus::Ok);
  QImage shot = scene.Grab();
  SaveShot(shot, "glasso-opaque.png");

  Census c = Count(shot, scene.labelRect, qRgb(0x20, 0x40, 0x80));
  EXPECT_EQ(c.underneath, 0);
  EXPECT_GT(c.exact, 6000);
  EXPECT_GT(Count(shot, scene.labelRect, qRgb(0, 255, 0)).exact, 300);
  EXPECT_EQ(shot.pixel(20, 20), qRgb(0x20, 0x40, 0x80));
  EXPECT_EQ(shot.pixel(19, 19), kBlue);
}

TEST(GlassoPaint, BorderRunsAlongTheEdgesAndFollowsResizes) {
  Scene scene("");
  const QRgb yellow = qRgb(255, 255, 0);
  Put(*scene.label, D::kBorderColor, Variant::FromI4(0x00FFFF));
  Put(*scene.label, D::kBorder, Variant::FromI2(1));
  for (int16_t transparent : {1, 0}) {
    Put(*scene.label, D::kTransparent, Variant::FromI2(transparent));
    QImage shot = scene.Grab();
    for (int x = 20; x < 220; ++x) {
      ASSERT_EQ(shot.pixel(x, 20), yellow) << x;
      ASSERT_EQ(shot.pixel(x, 79), yellow) << x;
    }
    for (int y = 20; y < 80; ++y) {
      ASSERT_EQ(shot.pixel(20, y), yellow) << y;
      ASSERT_EQ(shot.pixel(219, y), yellow) << y;
    }
    EXPECT_NE(shot.pixel(21, 21), yellow);
    EXPECT_NE(shot.pixel(218, 78), yellow);
    EXPECT_EQ(shot.pixel(21, 21), transparent ? kBlue : QColor(Qt::white).rgb());
  }

  Put(*scene.label, D::kTransparent, Variant::FromI2(1));
  scene.label->MoveWindow(Rect{130, 10, 230, 50});
  QImage moved = scene.Grab();
  EXPECT_EQ(moved.pixel(130, 10), yellow);
  EXPECT_EQ(moved.pixel(229, 49), yellow);
  EXPECT_EQ(moved.pixel(229, 10), yellow);
  EXPECT_EQ(moved.pixel(219, 79), kRed);

  Put(*scene.label, D::kBorder, Variant::FromI2(2));
  EXPECT_EQ(Count(scene.Grab(), QRect(0, 0, 240, 100), yellow).exact, 0);
}

TEST(GlassoPaint, GlyphEdgesKeepTheOldTextColourUntilTransparencyIsAppliedAgain) {
  Scene scene("字体边缘");
  const QRgb blue = kBlue;
  const QRect right(120, 20, 100, 60);                     // over the red page only
  Put(*scene.label, D::kTransparent, Variant::FromI2(1));  // surface takes green
  Put(*scene.label, D::kColor, Variant::FromI4(0xFF0000)); // text turns blue
  Census stale = Count(scene.Grab(), right, blue);
  EXPECT_GT(stale.exact, 100);
  EXPECT_GT(stale.other, 10) << "edges blend into the old green";

  Put(*scene.label, D::kTransparent, Variant::FromI2(1));
  Census fresh = Count(scene.Grab(), right, blue);
  EXPECT_EQ(fresh.other, 0);
  EXPECT_EQ(fresh.exact + fresh.underneath, right.width() * right.height());

  // The text colour chooser brings the surface along too.
  ScriptedChoosers& choosers = scene.choosers;
  choosers.colorAnswer = 0xFFFFFF;
  Put(*scene.label, D::kColor, Variant::FromI4(0x00FF00));
  ASSERT_EQ(Call(*scene.label, D::kSetColor), InvokeStatus::Ok);
  EXPECT_EQ(choosers.colorsShown, std::vector<int32_t>{0x00FF00});
  Census chosen = Count(scene.Grab(), right, qRgb(255, 255, 255));
  EXPECT_EQ(chosen.other, 0);
  EXPECT_GT(chosen.exact, 100);
}

TEST(GlassoPaint, TextIsAlignedAndVerticallyCentred) {
  Scene scene("Ag");
  Put(*scene.label, D::kFontSize, Variant::FromI4(120000));
  Put(*scene.label, D::kTransparent, Variant::FromI2(1));
  scene.label->MoveWindow(Rect{120, 20, 240, 80}); // over red only
  const QRect area(120, 20, 120, 60);
  for (int16_t align : {0, 1, 2}) {
    ASSERT_EQ(Put(*scene.label, D::kAlign, Variant::FromI2(align)), InvokeStatus::Ok);
    QImage shot = scene.Grab();
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (shot.pixel(x, y) != kRed) ink |= QRect(x, y, 1, 1);
    ASSERT_FALSE(ink.isEmpty());
    switch (align) {
    case 0: EXPECT_LE(ink.left(), area.left() + 3); break;
    case 1: EXPECT_GE(ink.right(), area.right() - 3); break;
    case 2: EXPECT_NEAR(ink.center().x(), area.center().x(), 3); break;
    }
    EXPECT_GT(ink.left() - area.left() + area.right() - ink.right(), 60) << "text is narrow";
    EXPECT_NEAR(ink.center().y(), area.center().y(), 4) << align;
  }
}

TEST(GlassoPaint, ChineseCaptionScreenshot) {
  ScriptedChoosers choosers;
  QWidget page;
  page.resize(420, 200);
  page.setAutoFillBackground(true);
  QPalette pal;
  pal.setColor(QPalette::Window, QColor(0, 0, 0x96));
  page.setPalette(pal);
  auto* under = new QWidget(&page);
  under->setGeometry(0, 100, 420, 100);
  under->setAutoFillBackground(true);
  QPalette stripe;
  stripe.setColor(QPalette::Window, QColor(0xC0, 0x40, 0x00));
  under->setPalette(stripe);

  auto* transparent = new Glasso(&page, choosers);
  transparent->MoveWindow(Rect{10, 60, 410, 140});
  Put(*transparent, D::kCaption, Variant::FromString("同步屏播放系统\n透明标签"));
  Put(*transparent, D::kFontSize, Variant::FromI4(200000));
  Put(*transparent, D::kFontBold, Variant::FromBool(true));
  Put(*transparent, D::kColor, Variant::FromI4(0x00FFFF));
  Put(*transparent, D::kAlign, Variant::FromI2(2));
  Put(*transparent, D::kTransparent, Variant::FromI2(1));
  Put(*transparent, D::kBorderColor, Variant::FromI4(0xFFFFFF));
  Put(*transparent, D::kBorder, Variant::FromI2(1));
  transparent->ShowWindow(true);

  auto* opaque = new Glasso(&page, choosers);
  opaque->MoveWindow(Rect{10, 150, 200, 190});
  Put(*opaque, D::kCaption, Variant::FromString("文字"));
  Put(*opaque, D::kFontSize, Variant::FromI4(200000));
  Put(*opaque, D::kColor, Variant::FromI4(0x00FF00));
  Put(*opaque, D::kBgColor, Variant::FromI4(0x000000));
  opaque->ShowWindow(true);

  QImage shot = page.grab().toImage();
  SaveShot(shot, "glasso-chinese.png");
  // Chinese glyphs were drawn (a missing font would leave the band without yellow).
  int yellow = 0;
  for (int y = 60; y < 140; ++y)
    for (int x = 10; x < 410; ++x)
      if (shot.pixel(x, y) == qRgb(255, 255, 0)) ++yellow;
  EXPECT_GT(yellow, 1500);
}

TEST(GlassoPaint, ABoldHeiTiCaptionIsDrawnWithABoldFace) {
  // 黑体 names no installed family: the font configuration gives it a CJK face with a real
  // bold weight, so bold is more ink than regular, not the same regular glyphs.
  int ink[2] = {0, 0};
  for (bool bold : {false, true}) {
    Scene scene("黑体加粗字");
    Put(*scene.label, D::kFontName, Variant::FromString("黑体"));
    Put(*scene.label, D::kFontSize, Variant::FromI4(240000));
    Put(*scene.label, D::kFontBold, Variant::FromBool(bold));
    Put(*scene.label, D::kBgColor, Variant::FromI4(0x000000)); // green letters on black
    Put(*scene.label, D::kTransparent, Variant::FromI2(0));
    QImage shot = scene.Grab();
    SaveShot(shot, bold ? "glasso-heiti-bold.png" : "glasso-heiti-regular.png");
    for (int y = scene.labelRect.top(); y <= scene.labelRect.bottom(); ++y) {
      for (int x = scene.labelRect.left(); x <= scene.labelRect.right(); ++x) {
        if (qGreen(shot.pixel(x, y)) > 128) ++ink[bold];
      }
    }
  }
  EXPECT_GT(ink[0], 400);
  EXPECT_GT(ink[1], ink[0] * 13 / 10) << "regular " << ink[0] << ", bold " << ink[1];
}

// A byte of the file that is no character (kept as a raw-byte character for saving) is drawn
// exactly as the replacement character "�", not as an invisible private-use glyph.
TEST(GlassoPaint, RawBytesOfTheFileAreDrawnAsReplacementCharacters) {
  Scene raw("A\xEF\x9F\xBF"
            "B"); // U+F7FF, the byte 0xFF of a file
  Scene shown("A\xEF\xBF\xBD"
              "B");
  Scene missing("AB");
  const QImage rawShot = raw.Grab();
  EXPECT_TRUE(rawShot == shown.Grab());
  EXPECT_FALSE(rawShot == missing.Grab());
  EXPECT_EQ(Get(*raw.label, D::kCaption).toString(), "A\xEF\x9F\xBF"
                                                     "B"); // kept for saving
}
