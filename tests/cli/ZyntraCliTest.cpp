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
  CliRun Run(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
