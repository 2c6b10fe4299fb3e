#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "controls/FlashIds.h"
#include "SwfWriter.h"
#include "controls/ControlHost.h"
#include "controls/FlashStandIn.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/ScriptedPrompts.h"

// The player as the program gets it: the control host loads the built library and makes a
// control by class identifier.
// Web pages render asynchronously, so these tests wait (bounded) for pixels to change, for the
// page to report, or for the page to draw a number of frames; none waits a fixed time.

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
    ASSERT_FALSE(RegisterFlashStandInIfNeeded(host_)) << "is Ruffle in build/bin/ruffle?";
    control_ = host_.CreateControl(FlashIds::kClassId, Rect{20, 30, 220, 130}, true);
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

  // Runs a script in the player's page and returns its result. The page runs scripts in the
  // order they were sent, so a play or stop sent before has reached the page when this returns.
  QVariant Script(const QString& script) {
    auto* view = screen_.findChild<QWebEngineView*>();
    if (!view) return {};
    auto answer = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(script, [answer](const QVariant& v) { *answer = v; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, kWaitMs)) return {};
    return **answer;
  }

  // Frames the page has drawn since the first call (counted by the page itself); -1 when the
  // page did not answer.
  int PageFrames() {
    QVariant frames = Script(QStringLiteral(
        "if (window.zyntraTestFrames === undefined) {"
        "  window.zyntraTestFrames = 0;"
        "  const tick = () => { ++window.zyntraTestFrames; requestAnimationFrame(tick); };"
        "  requestAnimationFrame(tick);"
        "}"
        "window.zyntraTestFrames"));
    return frames.isValid() ? frames.toInt() : -1;
  }

  // True when the centre shows `colour` all the while the page draws `frames` more frames
  // (about 60 a second, six to each frame of the movies' 10 a second).
  bool HoldsCentre(QRgb colour, int frames) {
    const int start = PageFrames();
    if (start < 0) return false;
    QDeadlineTimer deadline(kWaitMs);
    for (int now = start; now < start + frames; now = PageFrames()) {
      if (now < 0 || deadline.hasExpired() || Centre() != colour) return false;
    }
    return Centre() == colour;
  }

  // Waits (bounded) until the player has logged a line containing `text` since the last clear.
  bool WaitForLog(const QString& text) {
    return QTest::qWaitFor([&] { return g_log.join('\n').contains(text); }, kWaitMs);
  }

  QTemporaryDir dir_;
  QWidget screen_;
  VirtualScheduler scheduler_;
  SchedulerLocalClock clock_{scheduler_, 38718.5};
  ScriptedPrompts prompts_;
  ControlHost host_{&screen_, ControlServices{&scheduler_, &clock_, &prompts_}};
  std::unique_ptr<HostedControl> control_;
};

TEST_F(FlashPlayerTest, PlaysTheMovieFillingTheControl) {
  EXPECT_NE(Centre(), kRed);
  Put(FlashMembers::kMovie, Variant::FromString(Movie("one.swf", {kRed})));
  ASSERT_TRUE(WaitForCentre(kRed)) << std::hex << Centre();
  // The stage's background reaches the control's corners: the movie fills the control.
  EXPECT_EQ(Pixel(1, 1), kStage);
  EXPECT_EQ(Pixel(198, 98), kStage);
  // Outside the control the host shows through.
  EXPECT_EQ(screen_.grab().toImage().pixel(10, 10) & 0xFFFFFF, 0x808080u);
}

TEST_F(FlashPlayerTest, LoopOffStopsOnTheLastFrameAndPlayStartsAgain) {
  // The page reports the end of a movie that plays once on the player's debug log.
  QLoggingCategory::setFilterRules(QStringLiteral("zyntra.flash.debug=true"));
  g_log.clear();
  QtMessageHandler old = qInstallMessageHandler(Capture);
  Put(FlashMembers::kLoop, Variant::FromBool(false));
  Put(FlashMembers::kMovie, Variant::FromString(Movie("two.swf", {kRed, kGreen})));
  const bool ended = WaitForCentre(kGreen) && WaitForLog(QStringLiteral("zyntra-flash: ended"));
  qInstallMessageHandler(old);
  QLoggingCategory::setFilterRules(QString());
  ASSERT_TRUE(ended) << g_log.join('\n').toStdString();
  // A looping movie would show red again within a frame of the movie; this one stays on green
  // for five.
  ASSERT_TRUE(HoldsCentre(kGreen, 30)) << std::hex << Centre();
  Call(FlashMembers::kStop);
  Call(FlashMembers::kPlay);
  EXPECT_TRUE(WaitForCentre(kRed));
  EXPECT_TRUE(WaitForCentre(kGreen));
}

TEST_F(FlashPlayerTest, LoopsAndStops) {
  Put(FlashMembers::kMovie, Variant::FromString(Movie("two.swf", {kRed, kGreen})));
  ASSERT_TRUE(WaitForCentre(kGreen));
  ASSERT_TRUE(WaitForCentre(kRed)); // looped
  Put(FlashMembers::kPlaying, Variant::FromBool(false));
  // Once the page has the stop, and has drawn a frame of the movie's after it, the picture
  // holds for five frames of the movie.
  const int reached = PageFrames();
  ASSERT_GE(reached, 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return PageFrames() >= reached + 6; }, kWaitMs));
  QRgb stopped = Centre();
  ASSERT_TRUE(HoldsCentre(stopped, 30)) << std::hex << Centre();
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
    Put(FlashMembers::kMovie, Variant::FromString(good));
    ASSERT_TRUE(WaitForCentre(kRed)) << c.logged;
    g_log.clear();
    QtMessageHandler old = qInstallMessageHandler(Capture);
    Put(FlashMembers::kMovie, Variant::FromString(c.file.toStdString()));
    bool empty = WaitFor(1, 1, kBlack) && Centre() == kBlack;
    qInstallMessageHandler(old);
    EXPECT_TRUE(empty) << c.logged;
    EXPECT_TRUE(g_log.join('\n').contains(c.logged)) << c.logged << "\n"
                                                     << g_log.join('\n').toStdString();
  }
}

} // namespace
