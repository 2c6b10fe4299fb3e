#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <string>
#include <utility>
#include <vector>

#include "app/AppTestSupport.h"
#include "cli/DumpFixture.h"
#include "base/AtomicFile.h"
#include "base/TextCodec.h"

namespace {

constexpr const char* kDamaged = "文件已经损坏或非本系统文件!\n";

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

QString TestData(const std::string& path) {
  return QString::fromStdString(std::string(ZYNTRA_TEST_DATA) + "/" + path);
}

QRgb Rgb(int r, int g, int b) { return qRgb(r, g, b); }

// Runs the built zyntra-cli as a user would: offscreen, in its own working folder, with an
// empty configuration folder so that no registered control library of this machine is used.
class ZyntraCliTest : public ::testing::Test {
protected:
  CliRun Run(const QStringList& args, const QString& platform = QStringLiteral("offscreen")) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    // As on a desktop where the user set no Qt scaling of their own.
    for (const char* name :
         {"QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"})
      env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("config"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(dir_.path()));
    process.start(QStringLiteral(ZYNTRA_BIN_DIR "/zyntra-cli"), args);
    CliRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
      return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
  }
  QString Path(const std::string& name) const { return QString::fromStdString(dir_.File(name)); }

  TempDir dir_;
};

// The columns of row `y` that have colour `c`, as [first, last + 1); nullopt when none has.
std::optional<std::pair<int, int>> Span(const QImage& image, int y, QRgb c) {
  int first = -1, last = -1;
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixel(x, y) != c) continue;
    if (first < 0) first = x;
    last = x;
  }
  if (first < 0) return std::nullopt;
  return std::make_pair(first, last + 1);
}

// True when every pixel of the rectangle has colour `c`.
bool AllOf(const QImage& image, QRect r, QRgb c) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.pixel(x, y) != c) return false;
  return true;
}

QImage Crop(const QImage& image, QRect r) { return image.copy(r); }

TEST_F(ZyntraCliTest, DumpPrintsTheProjectAsJson) {
  CliRun run = Run({"dump", TestData("cli/data/dump.vrx")});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, std::string(kDumpJson) + "\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(ZyntraCliTest, ResaveGivesBackEveryProgramWrittenFileByteForByte) {
  // Projects through the real controls, task lists through the task list file.
  std::vector<QString> files;
  for (const char* folder : {"model", "schedule"}) {
    const QDir dir(TestData(folder));
    for (const QString& name : dir.entryList({"*.expected.vrx", "*.expected.tak"}, QDir::Files))
      files.push_back(dir.filePath(name));
  }
  ASSERT_GE(files.size(), 16u);
  for (const QString& file : files) {
    const QString out = Path("resaved-" + QFileInfo(file).fileName().toStdString());
    CliRun run = Run({"resave", file, out});
    EXPECT_EQ(run.exitCode, 0) << file.toStdString() << ": " << run.err;
    EXPECT_EQ(FileBytes(out.toStdString()), FileBytes(file.toStdString())) << file.toStdString();
  }
}

TEST_F(ZyntraCliTest, ResaveWritesHandWrittenProjectsInTheProgramsLayout) {
  // The real controls read and write every property as the model's tests expect of them.
  // (all_kinds.vrx is left out: the program renames its screen after its own title.)
  for (const char* name : {"clock", "empty_page", "exe", "flash", "gif", "label", "label_special",
                           "movie", "no_pages", "picture", "rtftext"}) {
    const std::string in = std::string("model/") + name + ".vrx";
    const QString out = Path(std::string(name) + ".vrx");
    CliRun run = Run({"resave", TestData(in), out});
    EXPECT_EQ(run.exitCode, 0) << name << ": " << run.err;
    EXPECT_EQ(FileBytes(out.toStdString()),
              FileBytes(std::string(ZYNTRA_TEST_DATA) + "/model/" + name + ".expected.vrx"))
        << name;
  }
}

TEST_F(ZyntraCliTest, ResaveToAFolderThatIsNotThereFailsAsTheProgramReportsIt) {
  const QString out = Path("no-such-folder/out.vrx");
  CliRun run = Run({"resave", TestData("model/label.expected.vrx"), out});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("文件保存失败：" + out.toStdString()), std::string::npos) << run.err;
  EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(ZyntraCliTest, RenderDrawsThePageWithItsClockAtTheGivenTime) {
  const QString project = TestData("cli/data/render.vrx");
  auto render = [&](const char* page, const char* time, const std::string& name) {
    CliRun run = Run({"render", project, "--page", page, "--time", time, "--out", Path(name)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QImage(Path(name)).convertToFormat(QImage::Format_RGB32);
  };
  const QRgb blue = Rgb(0, 0, 128);  // page 1: bg 8388608
  const QRgb green = Rgb(0, 128, 0); // page 2: bg 32768
  const QRect clockArea(20, 60, 280, 80);
  const QRect labelArea(20, 10, 280, 40);

  const QImage ten = render("1", "2024-01-01 10:00:00", "ten.png");
  ASSERT_EQ(ten.size(), QSize(320, 200)); // the screen's size
  for (QPoint p : {QPoint(0, 0), QPoint(319, 199), QPoint(10, 100), QPoint(160, 30)})
    EXPECT_EQ(ten.pixel(p), blue) << p.x() << "," << p.y();
  EXPECT_FALSE(AllOf(ten, clockArea, blue)); // the time is drawn, in yellow
  EXPECT_TRUE(Span(ten, 100, Rgb(255, 255, 0)) || Span(ten, 95, Rgb(255, 255, 0)) ||
              Span(ten, 105, Rgb(255, 255, 0)));

  // The same moment draws the same picture; another moment changes only the clock.
  const QImage again = render("1", "2024-01-01 10:00:00", "again.png");
  EXPECT_EQ(again, ten);
  const QImage later = render("1", "2024-01-01 11:23:45", "later.png");
  EXPECT_NE(Crop(later, clockArea), Crop(ten, clockArea));
  EXPECT_TRUE(AllOf(later, QRect(0, 0, 320, 60), blue));

  // Page 2 in play order: its own background and label, page 1's clock hidden.
  const QImage second = render("2", "2024-01-01 10:00:00", "second.png");
  ASSERT_EQ(second.size(), QSize(320, 200));
  EXPECT_TRUE(AllOf(second, QRect(0, 60, 320, 140), green));
  EXPECT_FALSE(AllOf(second, labelArea, green));
}

// One page with every control that draws text: a transparent caption of 20 points, an opaque
// one of 12 points wrapped over three lines with a border, a date-and-time clock and RTF text
// of 10 and 20 points.
std::string TextPageProject() {
  const std::string rtf = std::string(ZYNTRA_TEST_DATA) + "/controls/rtf/bold.rtf";
  auto common = [](int x, int y, int w, int h) {
    return "<reserve>False</reserve>\r\n<topmost>False</topmost>\r\n<actionStyle>0</actionStyle>"
           "\r\n<X>" +
           std::to_string(x) + "</X>\r\n<Y>" + std::to_string(y) + "</Y>\r\n<W>" +
           std::to_string(w) + "</W>\r\n<H>" + std::to_string(h) +
           "</H>\r\n<preInDelay>0</preInDelay>\r\n<preOutDelay>0</preOutDelay>\r\n<inStyle>0"
           "</inStyle>\r\n<inSpeed>0</inSpeed>\r\n<delayTime>0</delayTime>\r\n<outStyle>0</"
           "outStyle>\r\n<outSpeed>0</outSpeed>\r\n";
  };
  auto label = [&](const char* name, const char* caption, const char* font, int size10000,
                   int transparent, int border, int y, int h) {
    return std::string("<Label Name=\"") + name + "\" Type=\"131\">\r\n<Caption>" + caption +
           "</Caption>\r\n<Color>65535</Color>\r\n<BgColor>4210752</BgColor>\r\n<BorderColor>"
           "255</BorderColor>\r\n<Align>2</Align>\r\n<Transparent>" +
           std::to_string(transparent) + "</Transparent>\r\n<Border>" + std::to_string(border) +
           "</Border>\r\n<Font>\r\n<Name>" + font + "</Name>\r\n<Size>" +
           std::to_string(size10000) +
           "</Size>\r\n<Charset>134</Charset>\r\n<Italic>False</Italic>\r\n<Strikethrough>False"
           "</Strikethrough>\r\n<Underline>False</Underline>\r\n<Bold>True</Bold>\r\n<Weight >700"
           "</Weight >\r\n</Font>\r\n" +
           common(10, y, 380, h) + "</Label>\r\n";
  };
  const std::string text =
      "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n<VRX>\r\n<Screen "
      "frameCount=\"1\" proTextCount=\"1\" effectBoxCount=\"0\" clockCount=\"1\" "
      "mPlayerCount=\"0\" flashCount=\"0\" gifCount=\"0\" labelCount=\"2\" exeCount=\"0\" "
      "X=\"0\" Y=\"0\" W=\"400\" H=\"300\" Name=\"同步屏\" Type=\"-1\">\r\n<Frame TTL_Kind=\"0\" "
      "seconds=\"5\" ybPlay=\"False\" bg=\"8388608\" BgPicture=\"\" Name=\"Page1\" "
      "Type=\"-2\">\r\n" +
      label("Text1", "欢迎光临 Zyntra", "黑体", 200000, 1, 0, 10, 50) +
      label("Text2", "宋体十二点的文字在三行里，一行一行地排下来，每一行都一样高。", "宋体", 120000,
            0, 1, 70, 60) +
      "<Clock Name=\"Timer1\" Type=\"123\">\r\n<Style>6</Style>\r\n<targetDate>0</"
      "targetDate>\r\n<preText></preText>\r\n<lasText></lasText>\r\n<m_rh>0</m_rh>\r\n<m_rm>"
      "0</m_rm>\r\n<m_rs>0</m_rs>\r\n<totalTime>60</totalTime>\r\n<BgColor>8388608</BgColor>"
      "\r\n<FgColor>65535</FgColor>\r\n<BorderColor>255</BorderColor>\r\n<Font>\r\n<Name>宋体"
      "</Name>\r\n<Size>14</Size>\r\n<Italic>False</Italic>\r\n<Strikethrough>False</"
      "Strikethrough>\r\n<Underline>False</Underline>\r\n<Bold>False</Bold>\r\n</Font>\r\n" +
      common(10, 140, 380, 50) + "</Clock>\r\n<RtfText Name=\"RTF1\" Type=\"138\">\r\n<FileName>" +
      rtf +
      "</FileName>\r\n<InStyle>无</InStyle>\r\n<DelayTime>600</DelayTime>\r\n<OutStyle>无"
      "</OutStyle>\r\n<PlaySpeed>3</PlaySpeed>\r\n<LoopPlay>False</LoopPlay>\r\n<Loops>1</"
      "Loops>\r\n<Color>16777215</Color>\r\n" +
      common(10, 200, 380, 90) + "</RtfText>\r\n</Frame>\r\n</Screen>\r\n</VRX>\r\n";
  return Utf8ToGb18030(text);
}

TEST_F(ZyntraCliTest, RenderAndFramesDrawTheSamePixelsOnScaledDesktops) {
  // A desktop scaled to 125, 150 and 200 % tells Qt 120, 144 and 192 dpi; the offscreen
  // platform can say the same of its screen. Text on the wall converts points at 96 dpi on
  // every one of them, and nothing else is scaled.
  ASSERT_TRUE(WriteFileAtomic(dir_.File("text.vrx"), TextPageProject()));
  auto render = [&](const QString& platform, const std::string& name) {
    CliRun run = Run({"render", Path("text.vrx"), "--page", "1", "--time", "2024-03-05 09:08:07",
                      "--out", Path(name)},
                     platform);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QImage(Path(name)).convertToFormat(QImage::Format_RGB32);
  };
  const QImage plain = render(QStringLiteral("offscreen"), "96.png");
  ASSERT_EQ(plain.size(), QSize(400, 300));
  const QRgb navy = Rgb(0, 0, 128);
  // Every object drew something of its own.
  EXPECT_FALSE(AllOf(plain, QRect(10, 10, 380, 50), navy));
  EXPECT_EQ(plain.pixel(12, 72), Rgb(64, 64, 64)); // the opaque caption's background
  EXPECT_FALSE(AllOf(plain, QRect(10, 140, 380, 50), navy));
  EXPECT_EQ(plain.pixel(388, 288), Rgb(255, 255, 255)); // the RTF text's background
  EXPECT_TRUE(AllOf(plain, QRect(0, 291, 400, 9), navy));

  for (int dpi : {120, 144, 192}) {
    const std::string config = dir_.File("screen" + std::to_string(dpi) + ".json");
    ASSERT_TRUE(WriteFileAtomic(
        config, "{\"screens\": [{\"name\": \"wall\", \"x\": 0, \"y\": 0, \"width\": 1280, "
                "\"height\": 800, \"logicalDpi\": " +
                    std::to_string(dpi) + ", \"logicalBaseDpi\": 96, \"dpr\": 1}]}"));
    const QImage scaled =
        render(QStringLiteral("offscreen:configfile=") + QString::fromStdString(config),
               std::to_string(dpi) + ".png");
    EXPECT_EQ(scaled, plain) << "at " << dpi << " dpi";
  }
  // The frames of a show are drawn the same way (the clock first draws at its first tick).
  auto frames = [&](const QString& platform, const std::string& folder) {
    CliRun run = Run({"frames", Path("text.vrx"), "--seconds", "2", "--fps", "1", "--time",
                      "2024-03-05 09:08:07", "--out", Path(folder)},
                     platform);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<QImage> images;
    for (const char* name : {"frame-00000.png", "frame-00001.png"})
      images.push_back(QImage(Path(folder + "/" + name)).convertToFormat(QImage::Format_RGB32));
    return images;
  };
  const std::vector<QImage> plainFrames = frames(QStringLiteral("offscreen"), "frames96");
  ASSERT_EQ(plainFrames[1].size(), QSize(400, 300));
  EXPECT_FALSE(AllOf(plainFrames[1], QRect(10, 140, 380, 50), navy));
  EXPECT_EQ(frames(QStringLiteral("offscreen:configfile=") +
                       QString::fromStdString(dir_.File("screen192.json")),
                   "frames192"),
            plainFrames);
}

TEST_F(ZyntraCliTest, FramesFollowTheMotionEffectInVirtualTime) {
  // Image1 (green, 100 × 40 at 100,80) slides in from the left (style 4, one pixel per 10 ms),
  // holds 1 s, slides out to the left (style 3, one pixel per 10 ms) and is hidden.
  CliRun run = Run({"frames", TestData("cli/data/motion.vrx"), "--seconds", "6", "--fps", "10",
                    "--out", Path("frames")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "60 frames in " + Path("frames").toStdString() + "\n");
  const QDir dir(Path("frames"));
  EXPECT_EQ(dir.entryList({"*.png"}, QDir::Files).size(), 60);
  EXPECT_TRUE(dir.exists("frame-00059.png"));
  EXPECT_FALSE(dir.exists("frame-00060.png"));

  auto frame = [&](int i) {
    return QImage(dir.filePath(QStringLiteral("frame-%1.png").arg(i, 5, 10, QLatin1Char('0'))))
        .convertToFormat(QImage::Format_RGB32);
  };
  const QRgb green = Rgb(0, 255, 0);
  // Step k of the in effect is made at (k - 1) × 10 ms: the right edge is k pixels in.
  const struct {
    int frame;
    std::optional<std::pair<int, int>> span; // green columns of row 100
  } expected[] = {
      {0, std::make_pair(0, 1)},      // t = 0: step 1
      {5, std::make_pair(0, 51)},     // t = 500: step 51
      {10, std::make_pair(1, 101)},   // t = 1000: step 101, the left edge is on the screen
      {25, std::make_pair(100, 200)}, // t = 2500: holding at the design rectangle
      {30, std::make_pair(99, 199)},  // t = 3000: first step of the out effect
      {40, std::make_pair(0, 99)},    // t = 4000: step 101 of the out effect
      {55, std::nullopt},             // t = 5500: gone and hidden
  };
  for (const auto& e : expected) {
    const QImage image = frame(e.frame);
    ASSERT_EQ(image.size(), QSize(320, 200)) << e.frame;
    EXPECT_EQ(Span(image, 100, green), e.span) << "frame " << e.frame;
    EXPECT_EQ(image.pixel(319, 0), Rgb(0, 0, 0)) << "frame " << e.frame;
    // Only rows 80 … 119 are ever green.
    EXPECT_FALSE(Span(image, 79, green).has_value()) << e.frame;
    EXPECT_FALSE(Span(image, 120, green).has_value()) << e.frame;
  }
}

TEST_F(ZyntraCliTest, ADamagedOrMissingFileExitsOneWithTheProgramsMessage) {
  const QString png = Path("out.png");
  // A task list is no project, whatever its name.
  const QString taskList = Path("tasks.vrx");
  ASSERT_TRUE(QFile::copy(TestData("schedule/tasks.tak"), taskList));
  // Nothing that is no regular file is read: a device has no end, a FIFO nobody writes to
  // would wait forever.
  const QString fifo = Path("pipe.vrx");
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  ASSERT_TRUE(QDir(Path("")).mkdir(QStringLiteral("folder.vrx")));
  for (const QString& file : {TestData("cli/data/damaged.vrx"), taskList, Path("missing.vrx"),
                              QStringLiteral("/dev/zero"), fifo, Path("folder.vrx")}) {
    const std::vector<QStringList> commands = {
        {"dump", file},
        {"resave", file, Path("out.vrx")},
        {"render", file, "--page", "1", "--out", png},
        {"frames", file, "--seconds", "1", "--fps", "5", "--out", Path("frames")},
    };
    for (const QStringList& args : commands) {
      CliRun run = Run(args);
      EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
      EXPECT_EQ(run.err, kDamaged) << args.join(' ').toStdString();
    }
  }
  EXPECT_FALSE(QFileInfo::exists(png));
  EXPECT_FALSE(QFileInfo::exists(Path("out.vrx")));
  // A task list is resaved as a task list; a damaged one is refused the same way.
  CliRun run = Run({"resave", TestData("schedule/not-vorn.tak"), Path("out.tak")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, kDamaged);
}

// Elements nested 50,000 deep in an object and pages nested 100,000 deep are dumped whole.
TEST_F(ZyntraCliTest, DumpFollowsDeepNesting) {
  constexpr int kInObject = 50000;
  constexpr int kPages = 100000;
  auto repeat = [](const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
      out += text;
    return out;
  };
  const std::string head = "<VRX><Screen W=\"8\" H=\"8\"><Frame Name=\"Page1\">";
  const std::string tail = "</Frame></Screen></VRX>";
  const std::string deepObject = head + "<Label Name=\"Text1\">" + repeat("<g>", kInObject) +
                                 "<v>x</v>" + repeat("</g>", kInObject) + "</Label>" + tail;
  const std::string deepPages =
      head + repeat("<Frame Name=\"P\">", kPages) + repeat("</Frame>", kPages) + tail;
  struct Case {
    const char* name;
    const std::string& text;
    std::string innermost;
    int objects;
  };
  const Case cases[] = {{"object.vrx", deepObject, R"({"v":"x"})", kInObject + 2},
                        {"pages.vrx", deepPages, R"({"Frame":""})", kPages}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile file(Path(c.name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.text.data(), static_cast<qint64>(c.text.size()));
    file.close();
    CliRun run = Run({"dump", Path(c.name)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(c.innermost), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '{'), c.objects + 2);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '{'),
              std::count(run.out.begin(), run.out.end(), '}'));
  }
}

TEST_F(ZyntraCliTest, BadArgumentsExitTwoWithAUsageLine) {
  const QString project = TestData("cli/data/render.vrx");
  const std::vector<QStringList> cases = {
      {},
      {"show", project},
      {"dump"},
      {"resave", project},
      {"render", project, "--out", Path("a.png")},
      {"render", project, "--page", "1", "--out", Path("a.png"), "--time", "tomorrow"},
      {"frames", project, "--seconds", "1", "--out", Path("f")},
      {"render", project, "--page", "3", "--out", Path("a.png")}, // the project has 2 pages
  };
  for (const QStringList& args : cases) {
    CliRun run = Run(args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.err.rfind("zyntra-cli: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\nusage: zyntra-cli dump FILE.vrx\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(QFileInfo::exists(Path("a.png")));

  CliRun help = Run({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: zyntra-cli dump FILE.vrx\n", 0), 0u);
  EXPECT_NE(help.out.find("Movies are not drawn"), std::string::npos);
}

} // namespace
