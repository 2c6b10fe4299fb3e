#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "controls/EffectBoxCtrl.h"
#include "base/VirtualScheduler.h"

namespace {

using D = EffectBoxCtrl::Dispid;

class EffectBoxCtrlTest : public testing::Test {
protected:
  EffectBoxCtrlTest() : box(nullptr, clock) { box.resize(100, 60); }

  Variant Get(int32_t dispid, std::vector<Variant> args = {},
              InvokeKind kind = InvokeKind::PropertyGet) {
    Variant v;
    EXPECT_EQ(box.Invoke(dispid, kind, args, &v), InvokeStatus::Ok) << std::hex << dispid;
    return v;
  }
  void Put(int32_t dispid, Variant value) {
    EXPECT_EQ(box.Invoke(dispid, InvokeKind::PropertyPut, {value}, nullptr), InvokeStatus::Ok);
  }
  void Call(int32_t dispid, std::vector<Variant> args = {}) {
    EXPECT_EQ(box.Invoke(dispid, InvokeKind::Method, args, nullptr), InvokeStatus::Ok);
  }
  void AddItem(const std::string& path, const std::string& effect, int speed, int stay) {
    Call(D::kAddItem, {Variant::FromString(path), Variant::FromString(effect),
                       Variant::FromI2(static_cast<int16_t>(speed)),
                       Variant::FromI2(static_cast<int16_t>(stay))});
  }
  bool Finished() { return Get(D::kFinished).toBool(); }

  // A picture file of one colour, or with its top half `color` and bottom half `bottom`.
  std::string Picture(const char* name, QColor color, QSize size = {100, 60},
                      QColor bottom = QColor()) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    if (bottom.isValid()) {
      for (int y = size.height() / 2; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
          image.setPixelColor(x, y, bottom);
      }
    }
    QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path.toStdString();
  }
  QColor At(int x, int y) { return box.grab().toImage().pixelColor(x, y); }

  QTemporaryDir dir;
  VirtualScheduler clock;
  EffectBoxCtrl box;
};

TEST_F(EffectBoxCtrlTest, PropertiesAndItemsThroughInvoke) {
  EXPECT_EQ(Get(D::kLoops).toI2(), 1);
  Put(D::kBgPicture, Variant::FromString("/no/bg.png"));
  Put(D::kLoopPlay, Variant::FromBool(true));
  Put(D::kLoops, Variant::FromI2(7));
  Put(D::kStretch, Variant::FromBool(true));
  Put(D::kColor, Variant::FromI4(0xFF8080));
  Put(D::kAutoPlay, Variant::FromBool(false));
  EXPECT_EQ(Get(D::kBgPicture), Variant::FromString("/no/bg.png"));
  EXPECT_EQ(Get(D::kLoopPlay), Variant::FromBool(true));
  EXPECT_EQ(Get(D::kLoops), Variant::FromI2(7));
  EXPECT_EQ(Get(D::kStretch), Variant::FromBool(true));
  EXPECT_EQ(Get(D::kColor), Variant::FromI4(0xFF8080));

  AddItem("/p/1.bmp", "左拉", 30, 5);
  AddItem("/p/2.jpg", "水平放大", 100, 1);
  EXPECT_EQ(Get(D::kItemCount), Variant::FromI2(2));
  auto item = [&](int32_t dispid, int index) {
    return Get(dispid, {Variant::FromI2(static_cast<int16_t>(index))}, InvokeKind::Method);
  };
  EXPECT_EQ(item(D::kGetItemSource, 1), Variant::FromString("/p/1.bmp"));
  EXPECT_EQ(item(D::kGetItemEffect, 1), Variant::FromString("左拉"));
  EXPECT_EQ(item(D::kGetItemSpeed, 1), Variant::FromI2(30));
  EXPECT_EQ(item(D::kGetItemDelay, 1), Variant::FromI2(5));
  EXPECT_EQ(item(D::kGetItemSource, 2), Variant::FromString("/p/2.jpg"));
  EXPECT_EQ(item(D::kGetItemEffect, 2), Variant::FromString("水平放大"));

  struct Bad {
    int32_t dispid;
    InvokeKind kind;
    std::vector<Variant> args;
    InvokeStatus status;
  } bad[] = {
      {D::kGetItemSource, InvokeKind::Method, {Variant::FromI2(0)}, InvokeStatus::Failed},
      {D::kGetItemSource, InvokeKind::Method, {Variant::FromI2(3)}, InvokeStatus::Failed},
      {D::kAddItem, InvokeKind::Method, {Variant::FromString("x")}, InvokeStatus::BadArgs},
      {D::kFinished, InvokeKind::PropertyPut, {Variant::FromBool(true)}, InvokeStatus::BadKind},
      {D::kAutoPlay, InvokeKind::PropertyGet, {}, InvokeStatus::BadKind},
      {D::kBgPicture, InvokeKind::PropertyPut, {Variant::FromI4(1)}, InvokeStatus::BadArgs},
      {0x60030004, InvokeKind::Method, {}, InvokeStatus::UnknownMember},
  };
  for (const Bad& b : bad) {
    Variant v;
    EXPECT_EQ(box.Invoke(b.dispid, b.kind, b.args, &v), b.status) << std::hex << b.dispid;
    EXPECT_TRUE(v.isEmpty());
  }

  Call(D::kRemoveAll);
  EXPECT_EQ(Get(D::kItemCount), Variant::FromI2(0));
}

TEST_F(EffectBoxCtrlTest, PlaysItemsInOrderWithTransitionsAndRuns) {
  AddItem(Picture("red.png", Qt::red), "无效果", 50, 2);
  AddItem(Picture("green.png", Qt::green), "左拉", 51, 1);    // 1000 ms
  AddItem(Picture("blue.png", Qt::blue), "垂直百叶窗", 1, 1); // 2000 ms
  Put(D::kLoops, Variant::FromI2(2));
  Put(D::kColor, Variant::FromI4(0x000000));
  EXPECT_TRUE(Finished());
  Call(D::kStart);
  EXPECT_FALSE(Finished());
  EXPECT_EQ(At(50, 30), QColor(Qt::red));
  clock.advance(1999);
  EXPECT_EQ(At(50, 30), QColor(Qt::red));
  clock.advance(501); // "左拉" half way: the right half is the new picture
  EXPECT_EQ(At(10, 30), QColor(Qt::red));
  EXPECT_EQ(At(49, 30), QColor(Qt::red));
  EXPECT_EQ(At(50, 30), QColor(Qt::green));
  EXPECT_EQ(At(99, 30), QColor(Qt::green));
  clock.advance(500);
  EXPECT_EQ(At(0, 0), QColor(Qt::green));
  clock.advance(999);
  EXPECT_EQ(At(50, 30), QColor(Qt::green));
  clock.advance(1001); // blinds half way: each 10 px slat half open
  EXPECT_EQ(At(2, 30), QColor(Qt::blue));
  EXPECT_EQ(At(7, 30), QColor(Qt::green));
  EXPECT_EQ(At(92, 30), QColor(Qt::blue));
  clock.advance(2000); // 7000: second run, red again
  EXPECT_EQ(At(50, 30), QColor(Qt::red));
  EXPECT_FALSE(Finished());
  clock.advance(6999);
  EXPECT_FALSE(Finished());
  clock.advance(1);
  EXPECT_TRUE(Finished());
  EXPECT_EQ(At(50, 30), QColor(Qt::blue)); // the last picture stays
  Call(D::kStop);
  EXPECT_EQ(At(50, 30), QColor(Qt::black));
}

TEST_F(EffectBoxCtrlTest, MoveUpSlidesThePictureRatherThanWipingIt) {
  AddItem(Picture("two.png", Qt::yellow, {100, 60}, Qt::blue), "上移", 76, 1); // 500 ms
  Put(D::kColor, Variant::FromI4(0x0000FF));                                   // red background
  Call(D::kStart);
  clock.advance(250);
  // The picture's top (yellow) half has risen into the lower half of the control.
  EXPECT_EQ(At(50, 10), QColor(Qt::red));
  EXPECT_EQ(At(50, 35), QColor(Qt::yellow));
  EXPECT_EQ(At(50, 59), QColor(Qt::yellow));
  clock.advance(250);
  EXPECT_EQ(At(50, 10), QColor(Qt::yellow));
  EXPECT_EQ(At(50, 59), QColor(Qt::blue));
}

TEST_F(EffectBoxCtrlTest, StretchCentreBackgroundAndMissingFiles) {
  std::string small = Picture("small.png", Qt::red, {20, 20});
  Put(D::kColor, Variant::FromI4(0xFF0000)); // blue
  AddItem(small, "", 50, 1);
  AddItem(dir.filePath("missing.png").toStdString(), "左拉", 1, 2);
  AddItem(small, "", 50, 1);
  Put(D::kLoops, Variant::FromI2(1));
  Call(D::kStart);
  EXPECT_EQ(At(50, 30), QColor(Qt::red)); // drawn at its own size, centred
  EXPECT_EQ(At(40, 20), QColor(Qt::red));
  EXPECT_EQ(At(39, 30), QColor(Qt::blue));
  EXPECT_EQ(At(60, 30), QColor(Qt::blue));
  clock.advance(1000); // the missing picture: background for its 2 s, at once
  EXPECT_EQ(At(50, 30), QColor(Qt::blue));
  EXPECT_FALSE(Finished());
  clock.advance(1999);
  EXPECT_EQ(At(50, 30), QColor(Qt::blue));
  clock.advance(1);
  EXPECT_EQ(At(50, 30), QColor(Qt::red));

  Put(D::kStretch, Variant::FromBool(true));
  EXPECT_EQ(At(0, 0), QColor(Qt::red));
  Put(D::kStretch, Variant::FromBool(false));
  Put(D::kBgPicture, Variant::FromString(Picture("bg.png", Qt::green, {5, 5})));
  EXPECT_EQ(At(0, 0), QColor(Qt::green)); // the background picture is stretched
  EXPECT_EQ(At(50, 30), QColor(Qt::red));
  clock.advance(1000);
  EXPECT_TRUE(Finished());
}

TEST_F(EffectBoxCtrlTest, StopClearsStartRestartsEmptyFinishes) {
  Call(D::kStart);
  EXPECT_TRUE(Finished()); // an empty list has nothing to play
  AddItem(Picture("red.png", Qt::red), "", 50, 1);
  AddItem(Picture("green.png", Qt::green), "", 50, 1);
  Put(D::kColor, Variant::FromI4(0x000000));
  Call(D::kStart);
  clock.advance(1500);
  EXPECT_EQ(At(50, 30), QColor(Qt::green));
  Call(D::kStop);
  EXPECT_TRUE(Finished());
  EXPECT_EQ(At(50, 30), QColor(Qt::black));
  clock.advance(5000);
  EXPECT_EQ(At(50, 30), QColor(Qt::black));
  Call(D::kStart);
  EXPECT_EQ(At(50, 30), QColor(Qt::red));
  clock.advance(1500);
  Call(D::kStart); // a start while playing begins again from the first item
  EXPECT_EQ(At(50, 30), QColor(Qt::red));
  clock.advance(1999);
  EXPECT_FALSE(Finished());
  clock.advance(1);
  EXPECT_TRUE(Finished());
}

} // namespace
