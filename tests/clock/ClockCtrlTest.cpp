#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <memory>
#include <string>

#include "qt/QtPrompts.h"
#include "controls/ControlHost.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/Prompts.h"
#include "base/VirtualScheduler.h"

namespace {

constexpr const char* kClock = "{15AC02EE-C7A7-11D9-B2D4-00D009C22011}";

// DISPIDs, spelled out here so that the test does not share the control's own table.
enum : int32_t {
  kRetouchHour = 0x40030007,
  kRetouchMinute = 0x40030008,
  kRetouchSecond = 0x40030009,
  kStyle = 0x4003000A,
  kTotalTime = 0x4003000B,
  kTargetDate = 0x4003000C,
  kPreText = 0x4003000D,
  kLasText = 0x4003000E,
  kFinished = 0x4003000F,
  kShowTimer = 0x6003000E,
  kDrawTimer = 0x60030014,
  kEnabled = 0x6803000C,
  kSetFont = 0x6003001D,
  kFontName = 0x6803000B,
  kFontSize = 0x6803000A,
  kFontBold = 0x68030009,
  kFontItalic = 0x68030008,
  kFontUnderline = 0x68030007,
  kFontStrikethrough = 0x68030006,
  kBgColor = 0x68030005,
  kFgColor = 0x68030004,
  kTransparent = 0x68030003,
  kBorder = 0x68030002,
  kBorderColor = 0x68030001,
  kPlay = 0x68030000,
  kReset = 0x6003001E,
};

double At(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
  DateTimeParts p;
  p.year = y;
  p.month = mo;
  p.day = d;
  p.hour = h;
  p.minute = mi;
  p.second = s;
  p.millisecond = ms;
  return ToDateTimeNumber(p);
}

class ScriptedPrompts : public Prompts {
public:
  PromptAnswer MessageBox(const std::string&, const std::string&, PromptButtons,
                          PromptIcon) override {
    return PromptAnswer::Ok;
  }
  std::optional<std::string> GetOpenFileName(const std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> GetSaveFileName(const std::string&, const std::string&,
                                             const std::string&) override {
    return std::nullopt;
  }
  std::optional<int32_t> ChooseColor(int32_t) override { return std::nullopt; }
  std::optional<FontDesc> ChooseFont(const FontDesc& initial) override {
    offered.push_back(initial);
    return answer;
  }
  std::vector<FontDesc> offered;
  std::optional<FontDesc> answer;
};

// True when a pixel is a (possibly faint, antialiased) shade of a pure colour given as
// 0x00BBGGRR: its full channels are lit, its empty channels stay dark.
bool Like(QRgb c, int32_t bgr) {
  const int v[] = {qRed(c), qGreen(c), qBlue(c)};
  int lit = 255;
  for (int i = 0; i < 3; ++i) {
    if ((bgr >> (8 * i)) & 0xFF) lit = std::min(lit, v[i]);
  }
  if (lit < 60) return false;
  for (int i = 0; i < 3; ++i) {
    if (!((bgr >> (8 * i)) & 0xFF) && v[i] > lit / 2) return false;
  }
  return true;
}

constexpr int32_t kR = 0x0000FF;
constexpr int32_t kG = 0x00FF00;
constexpr int32_t kY = 0x00FFFF;

// A control host that finds the clock library in build/bin and nowhere else.
void FindClockInBin(ControlHost& host) {
  host.SetSearchDirectories({ZYNTRA_BIN_DIR});
  host.SetRegistryPath(QDir::tempPath().toStdString() + "/zyntra-no-registry.ini");
}

class ClockTest : public ::testing::Test {
protected:
  void SetUp() override {
    FindClockInBin(host_);
    library_ = host_.LoadLibrary(std::string(ZYNTRA_BIN_DIR) + "/libzyntra-clock.so");
    ASSERT_TRUE(library_) << host_.LastError();
    screen_.resize(800, 600);
    Create(Rect{0, 0, 200, 200});
  }
  void TearDown() override { clock_.reset(); }

  // A clock of `host` (default: the fixture's, on its virtual time and scripted prompts).
  void Create(const Rect& rect, ControlHost* host = nullptr) {
    if (!host) host = &host_;
    clock_.reset();
    clock_ = host->CreateControl(kClock, rect, true);
    ASSERT_TRUE(clock_) << host->LastError();
  }
  Variant Get(int32_t dispid) {
    Variant v;
    EXPECT_EQ(clock_->Invoke(dispid, InvokeKind::PropertyGet, {}, &v), InvokeStatus::Ok)
        << std::hex << dispid;
    return v;
  }
  InvokeStatus Put(int32_t dispid, Variant value) {
    return clock_->Invoke(dispid, InvokeKind::PropertyPut, {std::move(value)}, nullptr);
  }
  InvokeStatus Call(int32_t dispid, std::vector<Variant> args = {}) {
    return clock_->Invoke(dispid, InvokeKind::Method, args, nullptr);
  }
  QWidget* Widget() { return dynamic_cast<QWidget*>(clock_.get()); }
  QLabel* Label() { return Widget()->findChild<QLabel*>("Label1"); }
  std::string Caption() { return Label()->text().toStdString(); }
  bool LabelShown() { return !Label()->isHidden(); }
  QImage Shot() { return Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // True when some pixel within `radius` of (x, y) is a shade of the colour.
  bool Near(const QImage& image, int x, int y, int32_t colour, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy) {
      for (int dx = -radius; dx <= radius; ++dx) {
        const QPoint p(x + dx, y + dy);
        if (image.rect().contains(p) && Like(image.pixel(p), colour)) return true;
      }
    }
    return false;
  }
  // Starts playing a style with the local clock at `start`.
  void PlayAt(int style, double start) {
    local_.set(start);
    ASSERT_EQ(Put(kStyle, Variant::FromI2(static_cast<int16_t>(style))), InvokeStatus::Ok);
    ASSERT_EQ(Put(kPlay, Variant::FromBool(true)), InvokeStatus::Ok);
  }

  VirtualScheduler scheduler_{1000000};
  SchedulerLocalClock local_{scheduler_, At(2006, 1, 29, 9, 5, 7)};
  ScriptedPrompts prompts_;
  QWidget screen_;
  ControlHost host_{&screen_, ControlServices{&scheduler_, &local_, &prompts_}};
  const ControlLibrary* library_ = nullptr;
  std::unique_ptr<HostedControl> clock_;
};

TEST_F(ClockTest, StartsWithItsInitialValues) {
  const double created = At(2006, 1, 29, 9, 5, 7);
  const struct {
    int32_t dispid;
    Variant value;
  } cases[] = {
      {kRetouchHour, Variant::FromI2(0)},       {kRetouchMinute, Variant::FromI2(0)},
      {kRetouchSecond, Variant::FromI2(0)},     {kStyle, Variant::FromI2(2)},
      {kTotalTime, Variant::FromI2(2)},         {kTargetDate, Variant::FromDate(created + 1.0)},
      {kPreText, Variant::FromString("还有")},  {kLasText, Variant::FromString("天")},
      {kFinished, Variant::FromBool(false)},    {kFontSize, Variant::FromI2(12)},
      {kPlay, Variant::FromBool(false)},        {kEnabled, Variant::FromBool(true)},
      {kTransparent, Variant::FromBool(false)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Get(c.dispid), c.value) << std::hex << c.dispid;
  EXPECT_FALSE(LabelShown());
  EXPECT_EQ(Caption(), "09:05:07");
}

TEST_F(ClockTest, MembersKeepWhatIsPutWithTheirTypes) {
  const struct {
    int32_t dispid;
    Variant put;
    Variant get;
  } cases[] = {
      {kRetouchHour, Variant::FromI2(-3), Variant::FromI2(-3)},
      {kRetouchMinute, Variant::FromI4(15), Variant::FromI2(15)},
      {kRetouchSecond, Variant::FromR8(7.0), Variant::FromI2(7)},
      {kStyle, Variant::FromI2(25), Variant::FromI2(25)},
      {kTotalTime, Variant::FromI2(10), Variant::FromI2(10)},
      {kTargetDate, Variant::FromDate(40000.25), Variant::FromDate(40000.25)},
      {kPreText, Variant::FromString("距离"), Variant::FromString("距离")},
      {kLasText, Variant::FromString("日"), Variant::FromString("日")},
      {kFinished, Variant::FromBool(true), Variant::FromBool(true)},
      {kEnabled, Variant::FromBool(false), Variant::FromBool(false)},
      {kFontName, Variant::FromString("WenQuanYi Micro Hei"),
       Variant::FromString("WenQuanYi Micro Hei")},
      {kFontSize, Variant::FromI2(36), Variant::FromI2(36)},
      {kFontBold, Variant::FromBool(true), Variant::FromBool(true)},
      {kFontItalic, Variant::FromBool(true), Variant::FromBool(true)},
      {kFontUnderline, Variant::FromBool(true), Variant::FromBool(true)},
      {kFontStrikethrough, Variant::FromBool(true), Variant::FromBool(true)},
      {kBgColor, Variant::FromI4(0x960000), Variant::FromI4(0x960000)},
      {kFgColor, Variant::FromI4(0x00FFFF), Variant::FromI4(0x00FFFF)},
      {kBorderColor, Variant::FromI4(0x123456), Variant::FromI4(0x123456)},
      {kBorder, Variant::FromBool(false), Variant::FromBool(false)},
      {kTransparent, Variant::FromBool(true), Variant::FromBool(true)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Put(c.dispid, c.put), InvokeStatus::Ok) << std::hex << c.dispid;
    EXPECT_EQ(Get(c.dispid), c.get) << std::hex << c.dispid;
  }
  // Setting the style does not redraw: the label stays hidden until the next pass.
  EXPECT_FALSE(LabelShown());
}

TEST_F(ClockTest, RefusesWhatItCannotTake) {
  Variant result = Variant::FromI2(99);
  const struct {
    int32_t dispid;
    InvokeKind kind;
    std::vector<Variant> args;
    InvokeStatus status;
  } cases[] = {
      {0x12345, InvokeKind::PropertyGet, {}, InvokeStatus::UnknownMember},
      {0x12345, InvokeKind::PropertyPut, {Variant::FromI2(1)}, InvokeStatus::UnknownMember},
      {kStyle, InvokeKind::PropertyPut, {Variant::FromI4(70000)}, InvokeStatus::BadArgs},
      {kStyle, InvokeKind::PropertyPut, {Variant::FromString("2")}, InvokeStatus::BadArgs},
      {kStyle, InvokeKind::PropertyPut, {}, InvokeStatus::BadArgs},
      {kStyle, InvokeKind::Method, {}, InvokeStatus::BadKind},
      {kPreText, InvokeKind::PropertyPut, {Variant::FromI2(1)}, InvokeStatus::BadArgs},
      {kReset, InvokeKind::PropertyGet, {}, InvokeStatus::BadKind},
      {kReset, InvokeKind::Method, {Variant::FromI2(1)}, InvokeStatus::BadArgs},
      {kShowTimer, InvokeKind::Method, {}, InvokeStatus::BadArgs},
      {kFontSize, InvokeKind::PropertyPut, {Variant::FromI2(0)}, InvokeStatus::Failed},
      {kPlay, InvokeKind::Method, {}, InvokeStatus::BadKind},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(clock_->Invoke(c.dispid, c.kind, c.args, &result), c.status) << std::hex << c.dispid;
  }
  EXPECT_EQ(result, Variant::FromI2(99)); // a failed call leaves the caller's value alone
  EXPECT_EQ(Get(kStyle), Variant::FromI2(2));
  EXPECT_EQ(Get(kFontSize), Variant::FromI2(12));
}

TEST_F(ClockTest, CountdownTextCountsDownAndFinishes) {
  ASSERT_EQ(Put(kStyle, Variant::FromI2(1)), InvokeStatus::Ok);
  ASSERT_EQ(Call(kReset), InvokeStatus::Ok);
  ASSERT_EQ(Put(kPlay, Variant::FromBool(true)), InvokeStatus::Ok);
  scheduler_.advance(999);
  EXPECT_FALSE(LabelShown());
  scheduler_.advance(1);
  EXPECT_TRUE(LabelShown());
  EXPECT_EQ(Caption(), "01:59");
  EXPECT_EQ(Get(kFinished), Variant::FromBool(false));
  scheduler_.advance(59000);
  EXPECT_EQ(Caption(), "00:60");
  scheduler_.advance(59000);
  EXPECT_EQ(Caption(), "00:01");
  EXPECT_EQ(Get(kPlay), Variant::FromBool(true));
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "01:00");
  EXPECT_EQ(Get(kPlay), Variant::FromBool(false));
  EXPECT_EQ(Get(kFinished), Variant::FromBool(true));
  EXPECT_EQ(scheduler_.pending(), 0u);
  // Playing again goes on from the end state.
  ASSERT_EQ(Put(kPlay, Variant::FromBool(true)), InvokeStatus::Ok);
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "00:59");
  EXPECT_EQ(Get(kFinished), Variant::FromBool(false));
  // Reset stops the tick and starts over.
  ASSERT_EQ(Call(kReset), InvokeStatus::Ok);
  EXPECT_EQ(Get(kPlay), Variant::FromBool(false));
  EXPECT_EQ(Get(kFinished), Variant::FromBool(false));
  ASSERT_EQ(Put(kPlay, Variant::FromBool(true)), InvokeStatus::Ok);
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "01:59");
}

TEST_F(ClockTest, CountdownOfLengthZeroCountsOn) {
  ASSERT_EQ(Put(kStyle, Variant::FromI2(1)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kTotalTime, Variant::FromI2(0)), InvokeStatus::Ok);
  ASSERT_EQ(Call(kReset), InvokeStatus::Ok);
  ASSERT_EQ(Put(kPlay, Variant::FromBool(true)), InvokeStatus::Ok);
  scheduler_.advance(61000);
  EXPECT_EQ(Get(kPlay), Variant::FromBool(true));
  EXPECT_EQ(Caption(), "-2:59");
}

TEST_F(ClockTest, ClockStylesTickRightAfterEachSecond) {
  PlayAt(4, At(2006, 1, 29, 9, 5, 7, 300));
  scheduler_.advance(699);
  EXPECT_FALSE(LabelShown());
  scheduler_.advance(1);
  EXPECT_EQ(Caption(), "  09:05:08");
  EXPECT_EQ(Get(kFinished), Variant::FromBool(true));
  EXPECT_EQ(Get(kTotalTime), Variant::FromI2(60));
  for (int second = 9; second < 15; ++second) {
    scheduler_.advance(999);
    EXPECT_EQ(Caption(), QString::asprintf("  09:05:%02d", second - 1).toStdString());
    scheduler_.advance(1);
    EXPECT_EQ(Caption(), QString::asprintf("  09:05:%02d", second).toStdString());
  }
  // A jump of the local clock (time set by the user) realigns at the next tick.
  local_.set(At(2006, 1, 29, 22, 0, 0, 600));
  scheduler_.advance(1000);
  scheduler_.advance(400);
  EXPECT_EQ(Caption(), "  22:00:02");
  ASSERT_EQ(Put(kRetouchHour, Variant::FromI2(3)), InvokeStatus::Ok);
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "  25:00:03");
  ASSERT_EQ(Put(kPlay, Variant::FromBool(false)), InvokeStatus::Ok);
  EXPECT_EQ(scheduler_.pending(), 0u);
}

TEST_F(ClockTest, DayCounterAndLunarDate) {
  PlayAt(24, At(2006, 1, 29, 9, 5, 7));
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "还有1天"); // the initial target is a day after creation
  ASSERT_EQ(Put(kTargetDate, Variant::FromDate(At(2006, 1, 26, 0, 0, 0))), InvokeStatus::Ok);
  ASSERT_EQ(Put(kPreText, Variant::FromString("已过")), InvokeStatus::Ok);
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "已过3天");

  ASSERT_EQ(Put(kStyle, Variant::FromI2(25)), InvokeStatus::Ok);
  local_.set(At(2001, 5, 23, 12, 0, 0));
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "辛巳年闰四月初一");
  local_.set(At(2006, 1, 29, 23, 59, 58));
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "丙戌年正月初一");
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "丙戌年正月初二"); // changes at local midnight
  // Outside the calendar the label keeps what it showed.
  local_.set(At(1899, 6, 1, 12, 0, 0));
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "丙戌年正月初二");
  EXPECT_TRUE(LabelShown());
}

TEST_F(ClockTest, ShowTimerAndDrawTimerByDispatch) {
  local_.set(At(2026, 3, 19, 8, 0, 0));
  ASSERT_EQ(Call(kShowTimer, {Variant::FromI2(25)}), InvokeStatus::Ok);
  EXPECT_EQ(Caption(), "丙午年二月初一");
  EXPECT_TRUE(LabelShown());
  EXPECT_EQ(Get(kFinished), Variant::FromBool(true)); // a clock style ends any countdown
  ASSERT_EQ(Call(kDrawTimer), InvokeStatus::Ok);
  EXPECT_FALSE(LabelShown());
  ASSERT_EQ(Call(kShowTimer, {Variant::FromI2(26)}), InvokeStatus::Ok); // no such style
  EXPECT_FALSE(LabelShown());
}

TEST_F(ClockTest, DialDateSitsCentredUnderTheCentre) {
  Create(Rect{0, 0, 300, 240});
  PlayAt(3, At(2006, 1, 9, 10, 0, 0));
  scheduler_.advance(1000);
  EXPECT_EQ(Caption(), "01-09-2006");
  EXPECT_TRUE(LabelShown());
  const QRect g = Label()->geometry();
  EXPECT_NEAR(g.x() + g.width() / 2.0, 150.0, 1.0);
  EXPECT_EQ(g.y(), 168); // 140 of 200 units
}

TEST_F(ClockTest, DialFillsTheControlsProportions) {
  Create(Rect{0, 0, 300, 150});
  ASSERT_EQ(Put(kBorder, Variant::FromBool(false)), InvokeStatus::Ok);
  PlayAt(2, At(2006, 1, 29, 3, 0, 0));
  scheduler_.advance(1000); // 03:00:01
  const QImage shot = Shot();
  // The red rim touches all four sides: an ellipse, not a circle.
  EXPECT_TRUE(Near(shot, 150, 1, kR));
  EXPECT_TRUE(Near(shot, 150, 148, kR));
  EXPECT_TRUE(Near(shot, 1, 75, kR));
  EXPECT_TRUE(Near(shot, 298, 75, kR));
  EXPECT_FALSE(Near(shot, 75, 20, kR, 1)); // inside the corner region: background
  // Hour hand to the right (red), minute hand straight up (green), the 12 o'clock dot yellow.
  EXPECT_TRUE(Near(shot, 150 + 60, 75, kR));
  EXPECT_TRUE(Near(shot, 150, 75 - 40, kG, 1));
  EXPECT_TRUE(Near(shot, 150, 3, kY, 1));
  // Retouch turns the hour hand: 03:00 + 3 h → 6 o'clock.
  ASSERT_EQ(Put(kRetouchHour, Variant::FromI2(3)), InvokeStatus::Ok);
  scheduler_.advance(1000);
  const QImage turned = Shot();
  EXPECT_TRUE(Near(turned, 150, 75 + 30, kR));
  EXPECT_FALSE(Near(turned, 150 + 60, 75, kR));

  // A tall control gets a tall dial.
  Create(Rect{0, 0, 120, 240});
  ASSERT_EQ(Put(kBorder, Variant::FromBool(false)), InvokeStatus::Ok);
  PlayAt(2, At(2006, 1, 29, 3, 0, 0));
  scheduler_.advance(1000);
  const QImage tall = Shot();
  EXPECT_TRUE(Near(tall, 60, 1, kR));
  EXPECT_TRUE(Near(tall, 60, 238, kR));
  EXPECT_TRUE(Near(tall, 1, 120, kR));
  EXPECT_TRUE(Near(tall, 118, 120, kR));
}

TEST_F(ClockTest, CountdownDialShowsTheRemainingArc) {
  ASSERT_EQ(Put(kStyle, Variant::FromI2(0)), InvokeStatus::Ok);
  ASSERT_EQ(Call(kReset), InvokeStatus::Ok);
  ASSERT_EQ(Put(kPlay, Variant::FromBool(true)), InvokeStatus::Ok);
  scheduler_.advance(30000); // a quarter of two minutes
  const QImage shot = Shot();
  const double ring = 99 * 0.84; // scale units == pixels at 200 × 200
  const double d = ring / std::sqrt(2.0);
  // Elapsed quarter (12 to 3 o'clock) shows the green track, the rest the red arc.
  EXPECT_TRUE(Near(shot, static_cast<int>(100 + d), static_cast<int>(100 - d), kG));
  EXPECT_TRUE(Near(shot, static_cast<int>(100 - d), static_cast<int>(100 + d), kR));
  EXPECT_TRUE(Near(shot, static_cast<int>(100 - d), static_cast<int>(100 - d), kR));
  EXPECT_EQ(Get(kFinished), Variant::FromBool(false));
}

TEST_F(ClockTest, BorderTransparencyAndColours) {
  ASSERT_EQ(Put(kBgColor, Variant::FromI4(0x960000)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kBorderColor, Variant::FromI4(0x0000FF)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kBorder, Variant::FromBool(true)), InvokeStatus::Ok);
  QImage shot = Shot();
  EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 0, 0));   // the border in red
  EXPECT_EQ(shot.pixel(20, 5), qRgb(0, 0, 0x96)); // the background 0x960000 is blue
  ASSERT_EQ(Put(kBorder, Variant::FromBool(false)), InvokeStatus::Ok);
  EXPECT_EQ(Shot().pixel(0, 0), qRgb(0, 0, 0x96));

  // Transparent: the background colour becomes see-through, drawing stays.
  ASSERT_EQ(Put(kTransparent, Variant::FromBool(true)), InvokeStatus::Ok);
  QImage layer(200, 200, QImage::Format_ARGB32);
  layer.fill(Qt::transparent);
  Widget()->render(&layer, QPoint(), QRegion(), QWidget::DrawChildren);
  EXPECT_EQ(qAlpha(layer.pixel(20, 5)), 0);
  EXPECT_EQ(qAlpha(layer.pixel(100, 1)), 255); // the red rim
  ASSERT_EQ(Put(kTransparent, Variant::FromBool(false)), InvokeStatus::Ok);
  layer.fill(Qt::transparent);
  Widget()->render(&layer, QPoint(), QRegion(), QWidget::DrawChildren);
  EXPECT_EQ(qAlpha(layer.pixel(20, 5)), 255);
}

TEST_F(ClockTest, SetFontGoesThroughTheFontChooser) {
  ASSERT_EQ(Put(kFontName, Variant::FromString("Sans")), InvokeStatus::Ok);
  ASSERT_EQ(Put(kFontBold, Variant::FromBool(true)), InvokeStatus::Ok);
  FontDesc chosen;
  chosen.name = "WenQuanYi Micro Hei";
  chosen.size = 27.6;
  chosen.italic = true;
  chosen.underline = true;
  chosen.strikethrough = true;
  prompts_.answer = chosen;
  ASSERT_EQ(Call(kSetFont), InvokeStatus::Ok);
  ASSERT_EQ(prompts_.offered.size(), 1u);
  EXPECT_EQ(prompts_.offered[0].name, "Sans");
  EXPECT_EQ(prompts_.offered[0].size, 12.0);
  EXPECT_TRUE(prompts_.offered[0].bold);
  EXPECT_FALSE(prompts_.offered[0].italic);
  EXPECT_EQ(Get(kFontName), Variant::FromString("WenQuanYi Micro Hei"));
  EXPECT_EQ(Get(kFontSize), Variant::FromI2(28)); // rounded to the nearest point
  EXPECT_EQ(Get(kFontBold), Variant::FromBool(false));
  EXPECT_EQ(Get(kFontItalic), Variant::FromBool(true));
  EXPECT_EQ(Get(kFontUnderline), Variant::FromBool(true));
  EXPECT_EQ(Get(kFontStrikethrough), Variant::FromBool(true));
  // Cancelled: nothing changes.
  prompts_.answer.reset();
  ASSERT_EQ(Call(kSetFont), InvokeStatus::Ok);
  EXPECT_EQ(Get(kFontName), Variant::FromString("WenQuanYi Micro Hei"));
  EXPECT_EQ(prompts_.offered.size(), 2u);
}

TEST_F(ClockTest, LibraryCountsItsLiveClocks) {
  EXPECT_FALSE(library_->CanUnloadNow());
  clock_.reset();
  EXPECT_TRUE(library_->CanUnloadNow());
}

// Each clock ticks on the scheduler and shows the local clock of the host that created it, even
// beside a clock of another host: nothing of the clock library is shared between them.
TEST_F(ClockTest, EachClockFollowsTheTimeOfItsOwnHost) {
  VirtualScheduler otherScheduler{5000};
  SchedulerLocalClock otherLocal{otherScheduler, At(2010, 7, 1, 18, 30, 0, 500)};
  ScriptedPrompts otherPrompts;
  ControlHost other(&screen_, ControlServices{&otherScheduler, &otherLocal, &otherPrompts});
  FindClockInBin(other);
  std::unique_ptr<HostedControl> otherClock = other.CreateControl(kClock, {0, 0, 200, 200}, true);
  ASSERT_TRUE(otherClock) << other.LastError();
  auto caption = [](HostedControl& c) {
    return dynamic_cast<QWidget&>(c).findChild<QLabel*>("Label1")->text().toStdString();
  };
  EXPECT_EQ(caption(*otherClock), "18:30:00"); // the other clock's time at creation
  ASSERT_EQ(otherClock->Invoke(kStyle, InvokeKind::PropertyPut, {Variant::FromI2(4)}, nullptr),
            InvokeStatus::Ok);
  ASSERT_EQ(otherClock->Invoke(kPlay, InvokeKind::PropertyPut, {Variant::FromBool(true)}, nullptr),
            InvokeStatus::Ok);
  PlayAt(4, At(2006, 1, 29, 9, 5, 7, 300));
  EXPECT_EQ(scheduler_.pending(), 1u);
  EXPECT_EQ(otherScheduler.pending(), 1u);

  otherScheduler.advance(500); // the other clock's next second begins
  EXPECT_EQ(caption(*otherClock), "  18:30:01");
  EXPECT_FALSE(LabelShown()); // the fixture's time stood still
  scheduler_.advance(700);
  EXPECT_EQ(Caption(), "  09:05:08");
  EXPECT_EQ(caption(*otherClock), "  18:30:01");
  otherScheduler.advance(3000);
  EXPECT_EQ(caption(*otherClock), "  18:30:04");
  EXPECT_EQ(Caption(), "  09:05:08");

  otherClock.reset(); // takes its pending tick off its own scheduler only
  EXPECT_EQ(otherScheduler.pending(), 0u);
  EXPECT_EQ(scheduler_.pending(), 1u);
}

// Renders every style; with ZYNTRA_CLOCK_SHOTS=<folder> it also writes clock-style-NN.png there.
TEST_F(ClockTest, EveryStyleRenders) {
  const QString folder = qEnvironmentVariable("ZYNTRA_CLOCK_SHOTS");
  for (int style = 0; style <= 25; ++style) {
    Create(Rect{0, 0, 320, 200});
    ASSERT_EQ(Put(kEnabled, Variant::FromBool(false)), InvokeStatus::Ok); // as the program does
    ASSERT_EQ(Put(kBgColor, Variant::FromI4(0x960000)), InvokeStatus::Ok);
    ASSERT_EQ(Put(kBorder, Variant::FromBool(false)), InvokeStatus::Ok);
    ASSERT_EQ(Put(kFontSize, Variant::FromI2(20)), InvokeStatus::Ok);
    ASSERT_EQ(Put(kFgColor, Variant::FromI4(0x00FFFF)), InvokeStatus::Ok);
    if (style <= 1) {
      ASSERT_EQ(Call(kReset), InvokeStatus::Ok);
    }
    PlayAt(style, At(2006, 1, 29, 10, 8, 30));
    scheduler_.advance(style <= 1 ? 20000 : 1000);
    const QImage shot = Shot();
    const bool dial = style == 0 || style == 2 || style == 3;
    EXPECT_EQ(Near(shot, 160, 1, kR), dial) << "style " << style;
    EXPECT_EQ(LabelShown(), style != 0 && style != 2) << "style " << style;
    if (style >= 4) {
      EXPECT_TRUE(Near(shot, 160, 100, kY, 30)) << "yellow text, style " << style;
    }
    if (!folder.isEmpty()) {
      QDir().mkpath(folder);
      shot.save(folder + QString::asprintf("/clock-style-%02d.png", style));
    }
  }
}

} // namespace

TEST_F(ClockTest, TheRealFontDialogAcceptedUnchangedKeepsAllSixValues) {
  QtPrompts dialogs; // Qt's own font dialog
  ControlHost host(&screen_, ControlServices{&scheduler_, &local_, &dialogs});
  FindClockInBin(host);
  Create(Rect{0, 0, 200, 200}, &host);
  ASSERT_EQ(Put(kFontName, Variant::FromString("黑体")), InvokeStatus::Ok);
  ASSERT_EQ(Put(kFontSize, Variant::FromI2(14)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kFontBold, Variant::FromBool(true)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kFontItalic, Variant::FromBool(true)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kFontUnderline, Variant::FromBool(true)), InvokeStatus::Ok);
  ASSERT_EQ(Put(kFontStrikethrough, Variant::FromBool(false)), InvokeStatus::Ok);
  bool shown = false;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      shown = true;
      dialog->accept();
    }
  });
  ASSERT_EQ(Call(kSetFont), InvokeStatus::Ok);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Get(kFontName), Variant::FromString("黑体"));
  EXPECT_EQ(Get(kFontSize), Variant::FromI2(14));
  EXPECT_EQ(Get(kFontBold), Variant::FromBool(true));
  EXPECT_EQ(Get(kFontItalic), Variant::FromBool(true));
  EXPECT_EQ(Get(kFontUnderline), Variant::FromBool(true));
  EXPECT_EQ(Get(kFontStrikethrough), Variant::FromBool(false));
  clock_.reset(); // before the dialogs it was created with
}
