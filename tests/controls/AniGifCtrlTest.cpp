#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include "controls/AniGifCtrl.h"
#include "base/VirtualScheduler.h"

namespace {

using D = AniGifCtrl::Dispid;

void Put16(QByteArray& out, int v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}

// Writes a looping GIF of w × h frames, each one palette colour for `delayCs` hundredths of a
// second. Qt reads GIFs but cannot write them, so the test encodes its own: a 128-colour table
// gives 8-bit LZW codes, and a clear code every 100 pixels keeps them at 8 bits.
QByteArray MakeGif(int w, int h, const std::vector<QColor>& frames, int delayCs) {
  QByteArray gif("GIF89a");
  Put16(gif, w);
  Put16(gif, h);
  gif.append(char(0xF6)).append(char(0)).append(char(0)); // 128-entry global table
  for (int i = 0; i < 128; ++i) {
    QColor c = i < static_cast<int>(frames.size()) ? frames[i] : QColor(Qt::black);
    gif.append(char(c.red())).append(char(c.green())).append(char(c.blue()));
  }
  gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
  for (size_t f = 0; f < frames.size(); ++f) {
    gif.append("\x21\xF9\x04\x04", 4);
    Put16(gif, delayCs);
    gif.append(char(0)).append(char(0));
    gif.append(char(0x2C));
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, w);
    Put16(gif, h);
    gif.append(char(0));
    QByteArray codes;
    for (int p = 0; p < w * h; ++p) {
      if (p % 100 == 0) codes.append(char(128)); // clear
      codes.append(static_cast<char>(f));
    }
    codes.append(char(129)); // end of information
    gif.append(char(7));     // LZW minimum code size
    for (int i = 0; i < codes.size(); i += 255) {
      QByteArray block = codes.mid(i, 255);
      gif.append(static_cast<char>(block.size())).append(block);
    }
    gif.append(char(0));
  }
  gif.append(char(0x3B));
  return gif;
}

class AniGifCtrlTest : public testing::Test {
protected:
  AniGifCtrlTest() : gif(nullptr, clock) {
    gif.resize(40, 30);
    path = dir.filePath("anim.gif");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(MakeGif(8, 6, {Qt::red, Qt::blue, Qt::green}, 10));
  }
  void Put(int32_t dispid, Variant value) {
    EXPECT_EQ(gif.Invoke(dispid, InvokeKind::PropertyPut, {value}, nullptr), InvokeStatus::Ok);
  }
  QColor At(int x, int y) { return gif.grab().toImage().pixelColor(x, y); }

  QTemporaryDir dir;
  QString path;
  VirtualScheduler clock;
  AniGifCtrl gif;
};

TEST_F(AniGifCtrlTest, AnimatesInALoopScaledToFill) {
  Put(D::kFileName, Variant::FromString(path.toStdString()));
  Put(D::kAutoPlay, Variant::FromBool(true));
  Variant name;
  EXPECT_EQ(gif.Invoke(D::kFileName, InvokeKind::PropertyGet, {}, &name), InvokeStatus::Ok);
  EXPECT_EQ(name, Variant::FromString(path.toStdString()));
  // The 8 × 6 frames cover the whole 40 × 30 control.
  EXPECT_EQ(At(0, 0), QColor(Qt::red));
  EXPECT_EQ(At(39, 29), QColor(Qt::red));
  clock.advance(99);
  EXPECT_EQ(At(20, 15), QColor(Qt::red));
  clock.advance(1);
  EXPECT_EQ(At(20, 15), QColor(Qt::blue));
  clock.advance(100);
  EXPECT_EQ(At(20, 15), QColor(Qt::green));
  clock.advance(100);
  EXPECT_EQ(At(20, 15), QColor(Qt::red)); // loops back to the first frame
  clock.advance(100);
  EXPECT_EQ(At(20, 15), QColor(Qt::blue));
  // Switching animation off shows the first frame and stops there.
  Put(D::kAutoPlay, Variant::FromBool(false));
  EXPECT_EQ(At(20, 15), QColor(Qt::red));
  clock.advance(1000);
  EXPECT_EQ(At(20, 15), QColor(Qt::red));
  EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(AniGifCtrlTest, StillUntilAnimatedAndEmptyWhenMissing) {
  Put(D::kFileName, Variant::FromString(path.toStdString()));
  clock.advance(500);
  EXPECT_EQ(At(20, 15), QColor(Qt::red));
  Put(D::kAutoPlay, Variant::FromBool(true));
  Put(D::kFileName, Variant::FromString(dir.filePath("none.gif").toStdString()));
  EXPECT_EQ(clock.pending(), 0u);
  QColor empty = At(20, 15);
  EXPECT_NE(empty, QColor(Qt::red));
  EXPECT_NE(empty, QColor(Qt::blue));

  Variant v;
  EXPECT_EQ(gif.Invoke(D::kAutoPlay, InvokeKind::PropertyGet, {}, &v), InvokeStatus::BadKind);
  EXPECT_EQ(gif.Invoke(D::kFileName, InvokeKind::PropertyPut, {Variant::FromBool(true)}, &v),
            InvokeStatus::BadArgs);
  EXPECT_EQ(gif.Invoke(0x68030005, InvokeKind::PropertyGet, {}, &v), InvokeStatus::UnknownMember);
  EXPECT_TRUE(v.isEmpty());
}

} // namespace
