// Makes examples/demo.vrx and its pictures with the program's own code: the page list creates
// every object as the tool bar would, the control wrappers set their properties as the
// property windows would, and the document saves the project. Run from the repository root:
//
//   build/bin/zyntra-make-demo examples
//
// The pictures are written into the folder and named in the project by the path as given
// ("examples/slide-1.png"), so the show plays from the repository root.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ZyntraScr.h"
#include "cli/HeadlessShow.h"
#include "cli/StderrPrompts.h"
#include "controls/Clock.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "base/DateTime.h"
#include "model/ObjectKind.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"

namespace {

// Colours are 0x00BBGGRR.
constexpr int32_t kNavy = 0x402000;
constexpr int32_t kDeepGreen = 0x183000;
constexpr int32_t kYellow = 0x00FFFF;
constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kCyan = 0xFFFF00;
constexpr int32_t kOrange = 0x0080FF;

struct Slide {
  const char* name;
  QColor top;
  QColor bottom;
  const char* caption;
};

// A 240 × 180 picture: a sky gradient, hills, a sun and a caption.
bool WriteSlide(const QString& path, const Slide& s, int index) {
  QImage image(240, 180, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 180);
  sky.setColorAt(0, s.top);
  sky.setColorAt(1, s.bottom);
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 220, 80));
  p.drawEllipse(QPointF(60 + 60 * index, 50), 22, 22);
  QPainterPath hills;
  hills.moveTo(0, 180);
  hills.lineTo(0, 130);
  hills.quadTo(60, 90 + 10 * index, 120, 125);
  hills.quadTo(180, 150, 240, 110);
  hills.lineTo(240, 180);
  p.setBrush(s.bottom.darker(160));
  p.drawPath(hills);
  QFont font = p.font();
  font.setPixelSize(30);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 118, 240, 56), Qt::AlignCenter, QString::fromUtf8(s.caption));
  p.end();
  return image.save(path, "PNG");
}

class DemoBuilder {
public:
  explicit DemoBuilder(HeadlessShow& show)
      : screen_(show.Screen()), list_(*show.Screen().PageList()), doc_(show.Document()) {}

  // Makes an object of a kind on the current page and gives back its node.
  ShowNode& Add(ObjectKind kind, Rect rect) {
    list_.CreateObject(static_cast<int32_t>(kind), rect);
    return *doc_.Current()->children.back();
  }

  ShowNode& Label(Rect rect, const char* caption, int32_t colour, int32_t bg, int points,
                  int16_t align) {
    ShowNode& node = Add(ObjectKind::Label, rect);
    C_Glasso& label = *node.ControlAs<C_Glasso>();
    label.SetCaption(std::string(caption));
    label.SetColor(colour);
    label.SetBgColor(bg);
    label.SetTransparent(1);
    label.SetAlign(align);
    label.SetFontName("黑体");
    label.SetFontSize(points * 10000);
    label.SetFontBold(true);
    return node;
  }

  ShowNode& Clock(Rect rect, int16_t style, int32_t fg, int32_t bg, int16_t points) {
    ShowNode& node = Add(ObjectKind::Clock, rect);
    C_Clock& clock = *node.ControlAs<C_Clock>();
    clock.SetStyle(style);
    clock.SetFgColor(fg);
    clock.SetBgColor(bg);
    clock.SetFontName("黑体");
    clock.SetFontSize(points);
    clock.SetFontBold(true);
    return node;
  }

  void Page(int32_t bg, int seconds) {
    screen_.SetSurfaceColour(bg);
    doc_.Current()->frame->TTL_Kind = 1;
    doc_.Current()->frame->seconds = seconds;
  }

  void NewPage() { list_.NewPage(); }

private:
  CZyntraScr& screen_;
  CDPlayList& list_;
  CZyntraDoc& doc_;
};

void Effect(ShowNode& node, int inStyle, int inSpeed, int delaySeconds, int outStyle, int outSpeed,
            int preInDelay = 0) {
  node.actionStyle = 1;
  node.preInDelay = preInDelay;
  node.inStyle = inStyle;
  node.inSpeed = inSpeed;
  node.delayTime = delaySeconds;
  node.outStyle = outStyle;
  node.outSpeed = outSpeed;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zyntra-make-demo FOLDER   (run from the repository root)\n");
    return 2;
  }
  const std::string folder = argv[1];
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  const Slide slides[] = {
      {"slide-1.png", QColor(120, 190, 255), QColor(90, 170, 90), "春"},
      {"slide-2.png", QColor(255, 170, 90), QColor(200, 120, 60), "夏"},
      {"slide-3.png", QColor(60, 60, 140), QColor(120, 80, 160), "秋"},
  };
  std::vector<std::string> pictures;
  for (int i = 0; i < 3; ++i) {
    const QString path = QDir(QString::fromStdString(folder)).filePath(slides[i].name);
    if (!WriteSlide(path, slides[i], i)) {
      std::fprintf(stderr, "cannot write %s\n", path.toStdString().c_str());
      return 1;
    }
    pictures.push_back(path.toStdString());
  }

  StderrPrompts prompts;
  HeadlessShow show(prompts, ToDateTimeNumber(2006, 1, 29));
  show.Screen().Config().WndTitle = "同步屏播放系统";
  show.Screen().PageList()->ClearProject(); // the root takes the title
  show.Screen().PageList()->NewPage();
  show.Screen().PageList()->MoveScreen(Rect{0, 0, 640, 360});
  DemoBuilder demo(show);

  // Page 1: welcome, a picture slideshow and three clocks.
  demo.Page(kNavy, 15);
  Effect(demo.Label(Rect{20, 12, 620, 72}, "欢迎光临　同步屏演示", kYellow, kNavy, 30, 2), 3, 2, 12,
         0, 0);
  ShowNode& slideshow = demo.Add(ObjectKind::Picture, Rect{20, 88, 260, 268});
  C_EffectBox& box = *slideshow.ControlAs<C_EffectBox>();
  const char* transitions[] = {"水平百叶窗", "中间向四周", "左移"};
  for (int i = 0; i < 3; ++i)
    box.AddItem(pictures[i], transitions[i], 5, 2);
  box.SetBgPicture(pictures[2]); // seen while designing, and under the first transition
  box.SetLoopPlay(true);
  box.SetStretch(true);
  box.SetColor(kNavy);
  demo.Clock(Rect{290, 88, 460, 258}, 2, kWhite, kNavy, 12);    // dial
  demo.Clock(Rect{470, 88, 630, 258}, 11, kCyan, kNavy, 16);    // time, date, weekday
  demo.Clock(Rect{290, 266, 630, 300}, 25, kOrange, kNavy, 18); // lunar date
  Effect(demo.Label(Rect{20, 308, 620, 348}, "同步屏播放系统 · 演示节目", kCyan, kNavy, 18, 2), 9,
         4, 10, 0, 0, 500);

  // Page 2: a notice sliding in and out and a day counter.
  demo.NewPage();
  demo.Page(kDeepGreen, 10);
  Effect(demo.Label(Rect{20, 20, 620, 90}, "今日通知", kYellow, kDeepGreen, 36, 2), 2, 3, 8, 0, 0);
  Effect(demo.Label(Rect{40, 120, 600, 180}, "请注意安全　文明观展", kWhite, kDeepGreen, 24, 2), 4,
         2, 3, 3, 2, 500);
  ShowNode& counter = demo.Clock(Rect{40, 200, 600, 250}, 24, kOrange, kDeepGreen, 20);
  C_Clock& days = *counter.ControlAs<C_Clock>();
  days.SetPreText("距离2027年元旦还有");
  days.SetLasText("天");
  days.SetTargetDate(ToDateTimeNumber(2027, 1, 1));
  Effect(counter, 10, 6, 7, 12, 6, 1000);
  Effect(demo.Clock(Rect{200, 262, 440, 352}, 4, kCyan, kDeepGreen, 20), 13, 8, 6, 0, 0, 1500);

  CZyntraDoc& doc = show.Document();
  doc.SetPath(QDir(QString::fromStdString(folder)).filePath("demo.vrx").toStdString());
  if (!doc.SaveDocument()) return 1;
  std::printf("%s\n", doc.Path().c_str());
  return 0;
}
