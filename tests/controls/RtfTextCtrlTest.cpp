#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "controls/RtfTextCtrl.h"
#include "base/AtomicFile.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/BuiltinControl.h"
#include "support/ScriptedPrompts.h"

namespace {

using D = RtfTextCtrl::Dispid;

Variant Get(HostedControl& c, int32_t dispid) {
  Variant v;
  EXPECT_EQ(c.Invoke(dispid, InvokeKind::PropertyGet, {}, &v), InvokeStatus::Ok) << dispid;
  return v;
}

InvokeStatus Put(HostedControl& c, int32_t dispid, Variant value) {
  return c.Invoke(dispid, InvokeKind::PropertyPut, {std::move(value)}, nullptr);
}

void Call(HostedControl& c, int32_t dispid) {
  EXPECT_EQ(c.Invoke(dispid, InvokeKind::Method, {}, nullptr), InvokeStatus::Ok) << dispid;
}

bool Finished(HostedControl& c) { return Get(c, D::kFinished).toBool(); }

class RtfTextCtrlTest : public ::testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
    EXPECT_TRUE(WriteFileAtomic(path, bytes));
    return path;
  }
  // Ten short lines of text.
  std::string TenLines() {
    std::string text;
    for (int i = 1; i <= 10; ++i)
      text += "第" + std::to_string(i) + "行\r\n";
    return Write("ten.txt", text);
  }

  QTemporaryDir dir_;
  VirtualScheduler scheduler_{1000};
  SchedulerLocalClock clock_{scheduler_, 38718.0};
  ScriptedPrompts prompts_;
  ControlServices services_{&scheduler_, &clock_, &prompts_};
};

TEST_F(RtfTextCtrlTest, PropertiesAreKeptAndReadBack) {
  RtfTextCtrl c(nullptr, scheduler_);
  EXPECT_EQ(c.ClassId(), RtfTextIds::kClassId);
  struct Case {
    int32_t dispid;
    Variant value;
  };
  const Case cases[] = {
      {D::kAutoPlay, Variant::FromBool(false)},
      {D::kLoopPlay, Variant::FromBool(true)},
      {D::kLoops, Variant::FromI2(0)},
      {D::kColor, Variant::FromI4(0x99FFFF)},
      {D::kPlaySpeed, Variant::FromI2(0)},
      {D::kDelayTime, Variant::FromI2(7)},
      {D::kInStyle, Variant::FromString("右下进")},
      {D::kOutStyle, Variant::FromString("乱写")},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(Put(c, k.dispid, k.value), InvokeStatus::Ok) << k.dispid;
    EXPECT_EQ(Get(c, k.dispid), k.value) << k.dispid;
  }
  EXPECT_EQ(Put(c, D::kFinished, Variant::FromBool(true)), InvokeStatus::BadKind);
  EXPECT_EQ(Put(c, D::kInStyle, Variant::FromI2(1)), InvokeStatus::BadArgs);
  EXPECT_EQ(c.Invoke(D::kStart, InvokeKind::PropertyGet, {}, nullptr), InvokeStatus::BadKind);
  EXPECT_EQ(c.Invoke(0x6003000C, InvokeKind::Method, {}, nullptr), InvokeStatus::UnknownMember);
  EXPECT_EQ(Get(c, D::kFinished), Variant::FromBool(false));
}

TEST_F(RtfTextCtrlTest, CutsTheTextIntoScreenfulsAtTheControlSize) {
  std::unique_ptr<HostedControl> c(
      CreateBuiltinControl(RtfTextIds::kClassId, nullptr, Rect{0, 0, 300, 1000}, false, services_));
  auto& ctrl = static_cast<RtfTextCtrl&>(*c);
  Put(*c, D::kFileName, Variant::FromString(TenLines()));
  Call(*c, D::kPrepare);
  ASSERT_EQ(ctrl.Lines().size(), 10u);
  EXPECT_EQ(ctrl.Screenfuls().size(), 1u);
  const int pitch = ctrl.Lines()[1].top - ctrl.Lines()[0].top;
  ASSERT_GT(pitch, 5);
  // Room for three and a half lines: 3 + 3 + 3 + 1.
  c->MoveWindow(Rect{0, 0, 300, 3 * pitch + pitch / 2});
  Call(*c, D::kPrepare);
  ASSERT_EQ(ctrl.Screenfuls().size(), 4u);
  EXPECT_EQ(ctrl.Screenfuls()[1].top, ctrl.Lines()[3].top);

  // A long paragraph wraps into more lines when the control gets narrower.
  std::string words;
  for (int i = 0; i < 40; ++i)
    words += "word ";
  Put(*c, D::kFileName, Variant::FromString(Write("long.rtf", "{\\rtf1 " + words + "}")));
  c->MoveWindow(Rect{0, 0, 400, 300});
  Call(*c, D::kPrepare);
  size_t wide = ctrl.Lines().size();
  c->MoveWindow(Rect{0, 0, 100, 300});
  Call(*c, D::kPrepare);
  EXPECT_GT(ctrl.Lines().size(), wide);

  // A missing file shows nothing, and a finite show of nothing is finished at once.
  Put(*c, D::kFileName, Variant::FromString(dir_.filePath("none.rtf").toStdString()));
  Call(*c, D::kPrepare);
  Call(*c, D::kStart);
  EXPECT_TRUE(ctrl.Lines().empty());
  EXPECT_TRUE(Finished(*c));
}

TEST_F(RtfTextCtrlTest, RunsScreenfulsInVirtualTime) {
  std::unique_ptr<HostedControl> c(
      CreateBuiltinControl(RtfTextIds::kClassId, nullptr, Rect{0, 0, 200, 100}, false, services_));
  auto& ctrl = static_cast<RtfTextCtrl&>(*c);
  Put(*c, D::kFileName, Variant::FromString(TenLines()));
  Put(*c, D::kPlaySpeed, Variant::FromI2(91)); // 10 ms a pixel
  Put(*c, D::kInStyle, Variant::FromString("上进"));
  Put(*c, D::kOutStyle, Variant::FromString("左出"));
  Put(*c, D::kDelayTime, Variant::FromI2(2));
  Put(*c, D::kLoops, Variant::FromI2(2));
  Call(*c, D::kPrepare);
  const int n = static_cast<int>(ctrl.Screenfuls().size());
  ASSERT_GE(n, 2);
  const int64_t perScreenful = 100 * 10 + 2000 + 200 * 10;
  const int64_t t0 = scheduler_.now();
  Call(*c, D::kStart);

  struct Probe {
    int64_t at; // within a screenful's turn
    RtfPhase phase;
    Point offset;
  };
  const Probe probes[] = {
      {0, RtfPhase::Entering, {0, 100}}, {500, RtfPhase::Entering, {0, 50}},
      {1000, RtfPhase::Staying, {0, 0}}, {2999, RtfPhase::Staying, {0, 0}},
      {3000, RtfPhase::Leaving, {0, 0}}, {4000, RtfPhase::Leaving, {-100, 0}},
  };
  int stays = 0;
  for (int run = 0; run < 2; ++run) {
    for (int s = 0; s < n; ++s) {
      for (const Probe& p : probes) {
        scheduler_.advanceTo(t0 + (run * n + s) * perScreenful + p.at);
        RtfFrame f = ctrl.CurrentFrame();
        SCOPED_TRACE(testing::Message() << "run " << run << " screenful " << s << " +" << p.at);
        EXPECT_EQ(f.run, run);
        EXPECT_EQ(f.screenful, s);
        EXPECT_EQ(f.phase, p.phase);
        EXPECT_EQ(f.offset, p.offset);
        EXPECT_FALSE(Finished(*c));
        stays += p.phase == RtfPhase::Staying && p.at == 1000;
      }
    }
  }
  EXPECT_EQ(stays, 2 * n);
  scheduler_.advanceTo(t0 + 2 * n * perScreenful - 1);
  EXPECT_FALSE(Finished(*c));
  scheduler_.advanceTo(t0 + 2 * n * perScreenful);
  EXPECT_TRUE(Finished(*c));
  EXPECT_EQ(ctrl.CurrentFrame().screenful, -1);
  EXPECT_EQ(scheduler_.pending(), 0u);

  // LoopPlay runs on whatever the play count says; stop clears and leaves no timer behind.
  Put(*c, D::kLoopPlay, Variant::FromBool(true));
  Call(*c, D::kPrepare);
  Call(*c, D::kStart);
  scheduler_.advance(10 * n * perScreenful + 1500);
  EXPECT_FALSE(Finished(*c));
  EXPECT_EQ(ctrl.CurrentFrame().run, 10);
  Call(*c, D::kStop);
  EXPECT_EQ(ctrl.CurrentFrame().screenful, -1);
  EXPECT_EQ(scheduler_.pending(), 0u);
}

// Where the text is painted at mid-movement: a highlighted line shows up only where the offset
// puts it.
TEST_F(RtfTextCtrlTest, PaintsTheScreenfulAtItsOffset) {
  std::string words;
  for (int i = 0; i < 30; ++i)
    words += "MMMM ";
  std::string path = Write("marked.rtf", "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}"
                                         "\\highlight1\\fs40 " +
                                             words + "}");
  RtfTextCtrl c(nullptr, scheduler_);
  c.MoveWindow(Rect{0, 0, 200, 100});
  Put(c, D::kColor, Variant::FromI4(0x00FF00)); // green background
  Put(c, D::kFileName, Variant::FromString(path));
  Put(c, D::kPlaySpeed, Variant::FromI2(91));
  Put(c, D::kInStyle, Variant::FromString("上进"));
  Put(c, D::kOutStyle, Variant::FromString("左出"));
  Put(c, D::kDelayTime, Variant::FromI2(1));
  Call(c, D::kPrepare);
  Call(c, D::kStart);

  auto blueIn = [](const QImage& img, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (img.pixelColor(x, y) == QColor(0, 0, 255)) return true;
    return false;
  };
  const int t0 = static_cast<int>(scheduler_.now());
  scheduler_.advanceTo(t0 + 500); // halfway up
  QImage img = c.grab().toImage();
  EXPECT_EQ(img.pixelColor(5, 5), QColor(0, 255, 0));
  EXPECT_FALSE(blueIn(img, QRect(0, 0, 200, 50)));
  EXPECT_TRUE(blueIn(img, QRect(0, 50, 200, 50)));

  scheduler_.advanceTo(t0 + 1000 + 1000 + 1000); // halfway out to the left
  img = c.grab().toImage();
  EXPECT_TRUE(blueIn(img, QRect(0, 0, 100, 100)));
  EXPECT_FALSE(blueIn(img, QRect(100, 0, 100, 100)));

  Call(c, D::kStop);
  img = c.grab().toImage();
  EXPECT_FALSE(blueIn(img, QRect(0, 0, 200, 100)));
}

} // namespace
