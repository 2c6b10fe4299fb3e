#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

#include "SwfWriter.h"
#include "controls/ControlHost.h"
#include "controls/FlashStandIn.h"

// The player as the program gets it: the control host loads the built library and makes a
// control by class identifier.
// Web pages render asynchronously, so these tests wait (bounded) for pixels to change.

namespace {

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kStage = 0x2040C0;
constexpr QRgb kRed = 0xE02010;
constexpr QRgb kGreen = 0x10C040;
constexpr int kWaitMs = 15000;

// Captures the library's log lines.
QStringList g_log;
void Capture(QtMsgType, const QMessageLogContext&, const QString& text) { g_log << text; }

class FlashPlayerTest : public testing::Test {
protected:
  void SetUp() override {
    QPalette grey;
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    screen_.setPalette(grey);
    screen_.setAutoFillBackground(true);
    screen_.resize(300, 200);
    screen_.show();
    // The host finds the built library beside the test, as the program finds it beside itself.
    std::string registry = dir_.filePath("controls.ini").toStdString();
    host_.SetSearchDirectories({ZYNTRA_BIN_DIR});
    host_.SetRegistryPath(registry);
    ASSERT_FALSE(RegisterFlashStandInIfNeeded(host_, {ZYNTRA_BIN_DIR}, registry))
        << "is Ruffle in build/bin/ruffle?";
    control_ = host_.CreateControl(kFlashClassId, Rect{20, 30, 220, 130}, true);
    ASSERT_NE(control_, nullptr);
    ASSERT_EQ(dynamic_cast<FlashStandIn*>(control_.get()), nullptr);
  }

  // Writes a 200 × 100 movie at 10 frames a second with one rectangle in the middle per colour.
  std::string Movie(const char* name, std::initializer_list<QRgb> colours) {
    SwfWriter w(200, 100, 10, kStage);
    for (QRgb c : colours)
      w.AddFrame({50, 25, 150, 75, c});
    std::vector<uint8_t> bytes = w.Build();
    QString path = dir_.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path.toStdString();
  }

  void Put(int32_t dispid, Variant v) {
    EXPECT_EQ(control_->Invoke(dispid, InvokeKind::PropertyPut, {v}, nullptr), InvokeStatus::Ok);
  }
  void Call(int32_t dispid) {
    EXPECT_EQ(control_->Invoke(dispid, InvokeKind::Method, {}, nullptr), InvokeStatus::Ok);
  }

  // Colour at a point of the control (control coordinates).
  QRgb Pixel(int x, int y) { return screen_.grab().toImage().pixel(20 + x, 30 + y) & 0xFFFFFF; }
  QRgb Centre() { return Pixel(100, 50); }

  // Grabbing makes the view render a frame, so it is done every 50 ms, not at every event.
  bool WaitFor(int x, int y, QRgb colour) {
    QDeadlineTimer deadline(kWaitMs);
    while (Pixel(x, y) != colour) {
      if (deadline.hasExpired()) return false;
      QTest::qWait(50);
    }
    return true;
  }
  bool WaitForCentre(QRgb colour) { return WaitFor(100, 50, colour); }

  QTemporaryDir dir_;
  QWidget screen_;
  ControlHost host_{&screen_};
  std::unique_ptr<HostedControl> control_;
};

TEST_F(FlashPlayerTest, PlaysTheMovieFillingTheControl) {
  EXPECT_NE(Centre(), kRed);
  Put(FlashMembers::kFileName, Variant::FromString(Movie("one.swf", {kRed})));
  ASSERT_TRUE(WaitForCentre(kRed)) << std::hex << Centre();
  // The stage's background reaches the control's corners: the movie fills the control.
  EXPECT_EQ(Pixel(1, 1), kStage);
  EXPECT_EQ(Pixel(198, 98), kStage);
  // Outside the control the host shows through.
  EXPECT_EQ(screen_.grab().toImage().pixel(10, 10) & 0xFFFFFF, 0x808080u);
}

TEST_F(FlashPlayerTest, LoopOffStopsOnTheLastFrameAndPlayStartsAgain) {
  Put(FlashMembers::kLoop, Variant::FromBool(false));
  Put(FlashMembers::kFileName, Variant::FromString(Movie("two.swf", {kRed, kGreen})));
  ASSERT_TRUE(WaitForCentre(kGreen));
  // A looping movie would show red again within a frame (100 ms); this one stays on green.
  for (int i = 0; i < 5; ++i) {
    QTest::qWait(100);
    ASSERT_EQ(Centre(), kGreen) << i;
  }
  Call(FlashMembers::kStop);
  Call(FlashMembers::kPlay);
  EXPECT_TRUE(WaitForCentre(kRed));
  EXPECT_TRUE(WaitForCentre(kGreen));
}

TEST_F(FlashPlayerTest, LoopsAndStops) {
  Put(FlashMembers::kFileName, Variant::FromString(Movie("two.swf", {kRed, kGreen})));
  ASSERT_TRUE(WaitForCentre(kGreen));
  ASSERT_TRUE(WaitForCentre(kRed)); // looped
  Put(FlashMembers::kPlaying, Variant::FromBool(false));
  QTest::qWait(200); // the stop reaches the page asynchronously
  QRgb stopped = Centre();
  for (int i = 0; i < 5; ++i) {
    QTest::qWait(100);
    ASSERT_EQ(Centre(), stopped) << i;
  }
  Put(FlashMembers::kPlaying, Variant::FromBool(true));
  EXPECT_TRUE(WaitForCentre(stopped == kRed ? kGreen : kRed));
}

TEST_F(FlashPlayerTest, MissingOrForeignFilesLeaveTheControlEmpty) {
  QString text = dir_.filePath("notes.swf");
  QFile f(text);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("just some text, no movie");
  f.close();
  struct Case {
    QString file;
    const char* logged;
  } cases[] = {
      {dir_.filePath("missing.swf"), "missing.swf: does not exist"},
      {text, "notes.swf: not a SWF movie (no FWS, CWS or ZWS signature)"},
      {dir_.path(), ": is not a file"},
  };
  std::string good = Movie("one.swf", {kRed});
  for (const Case& c : cases) {
    Put(FlashMembers::kFileName, Variant::FromString(good));
    ASSERT_TRUE(WaitForCentre(kRed)) << c.logged;
    g_log.clear();
    QtMessageHandler old = qInstallMessageHandler(Capture);
    Put(FlashMembers::kFileName, Variant::FromString(c.file.toStdString()));
    bool empty = WaitFor(1, 1, kBlack) && Centre() == kBlack;
    qInstallMessageHandler(old);
    EXPECT_TRUE(empty) << c.logged;
    EXPECT_TRUE(g_log.join('\n').contains(c.logged)) << c.logged << "\n"
                                                     << g_log.join('\n').toStdString();
  }
}

} // namespace
