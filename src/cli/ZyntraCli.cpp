#include "cli/ZyntraCli.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/DesktopEnvironment.h"
#include "app/ZyntraScr.h"
#include "cli/HeadlessShow.h"
#include "cli/ProjectJson.h"
#include "cli/StderrPrompts.h"
#include "controls/WebEngineEnvironment.h"
#include "base/AtomicFile.h"
#include "base/LocalClock.h"
#include "base/TextCodec.h"
#include "model/ZyntraDoc.h"
#include "schedule/TaskListFile.h"

namespace {

constexpr const char* kDamagedFile = "文件已经损坏或非本系统文件!";
constexpr const char* kSaveFailed = "文件保存失败：";
constexpr size_t kMaxProjectFileBytes = size_t{256} << 20;

bool IsTaskList(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".tak";
}

void PrintError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

// Qt's and the controls' warnings (a platform without window hints, a media file that is
// missing) go to stderr only when ZYNTRA_CLI_VERBOSE is set; errors always do.
void FilterMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  static const bool verbose = !qEnvironmentVariableIsEmpty("ZYNTRA_CLI_VERBOSE");
  if (!verbose && type != QtCriticalMsg && type != QtFatalMsg) return;
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// The Qt application of the commands that need one, on the offscreen platform unless the
// caller asked for another.
std::unique_ptr<QApplication> MakeApplication(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(&FilterMessages);
  PrepareDesktopEnvironment();   // the program's font configuration, so renders draw as it does
  PrepareWebEngineEnvironment(); // as the program does, for the Flash player library
  auto app = std::make_unique<QApplication>(argc, argv);
  app->setApplicationName(QStringLiteral("zyntra-cli"));
  app->setApplicationVersion(QStringLiteral(ZYNTRA_VERSION));
  return app;
}

double StartTime(const CliArguments& args) {
  return args.time ? *args.time : SystemLocalClock().now();
}

// A screen that can be drawn: at least one pixel, at most 16384 a side.
bool DrawableScreen(HeadlessShow& show, const std::string& file) {
  const QSize size = show.Screen().size();
  if (size.width() >= 1 && size.height() >= 1 && size.width() <= 16384 && size.height() <= 16384)
    return true;
  std::fprintf(stderr, "zyntra-cli: the screen of %s is %d × %d pixels; nothing to draw\n",
               file.c_str(), size.width(), size.height());
  return false;
}

bool SavePng(const QImage& image, const QString& path) {
  if (image.save(path, "PNG")) return true;
  PrintError(kSaveFailed + path.toStdString());
  return false;
}

} // namespace

CZyntraCli::CZyntraCli(int& argc, char** argv) : argc_(argc), argv_(argv) {}

std::string CZyntraCli::Help() {
  return CliUsage() +
         "\n"
         "  dump     prints the project as JSON: the screen's attributes, its pages under\n"
         "           \"Frames\", each page's objects under \"Objects\", each object's own\n"
         "           properties under \"Props\"; every value is the file's text.\n"
         "  resave   opens IN with the program's own controls and saves it as OUT, as the\n"
         "           program would save it; a \".tak\" file is resaved as a task list.\n"
         "  render   draws the screen with page N shown (1 = first page in play order) at the\n"
         "           screen's size, without grid or selection, into a PNG file.\n"
         "  frames   plays the show in virtual time from the start of play and writes\n"
         "           DIR/frame-00000.png, frame-00001.png, ...: frame i shows the screen i/F\n"
         "           seconds after play started (S × F frames). Motion effects, picture\n"
         "           transitions, GIF and RTF animations and clocks follow the virtual time.\n"
         "           Movies are not drawn: a movie's area shows the background (its\n"
         "           sound may still play meanwhile). Flash animations do not follow the\n"
         "           virtual time: where the Flash player library is missing, their area\n"
         "           shows the stand-in panel. Program objects start their programs as the\n"
         "           player does.\n"
         "\n"
         "  --time   the local time the clocks show (render) or start at (frames); default now.\n"
         "\n"
         "Exit status: 0 done, 1 damaged input or unwritable output, 2 bad arguments.\n"
         "Set ZYNTRA_CLI_VERBOSE=1 to see the warnings of Qt and of the controls (a media file\n"
         "that cannot be read, a control library that was refused).\n";
}

int CZyntraCli::Run() {
  std::vector<std::string> words(argv_ + 1, argv_ + argc_);
  CliArguments args;
  std::string error;
  if (!ParseCliArguments(words, args, error)) {
    std::fprintf(stderr, "zyntra-cli: %s\n%s", error.c_str(), CliUsage().c_str());
    return 2;
  }
  switch (args.command) {
  case CliCommand::Help: std::fputs(Help().c_str(), stdout); return 0;
  case CliCommand::Dump: return Dump(args);
  case CliCommand::Resave: return Resave(args);
  case CliCommand::Render: return Render(args);
  case CliCommand::Frames: return Frames(args);
  }
  return 2;
}

int CZyntraCli::Dump(const CliArguments& args) {
  // Read as the program reads a project: a regular file of at most 256 MiB.
  std::string text;
  {
    std::string bytes;
    if (ReadFileBytes(args.input, bytes, nullptr, kMaxProjectFileBytes))
      text = DecodeFileText(bytes);
  }
  std::string json;
  if (text.empty() || !ProjectToJson(std::move(text), json)) {
    PrintError(kDamagedFile);
    return 1;
  }
  std::printf("%s\n", json.c_str());
  return 0;
}

int CZyntraCli::Resave(const CliArguments& args) {
  if (IsTaskList(args.input)) {
    std::vector<TaskItem> tasks;
    if (!LoadTaskList(args.input, tasks)) {
      PrintError(kDamagedFile);
      return 1;
    }
    std::string reason;
    if (!SaveTaskList(args.output, tasks, &reason)) {
      PrintError(kSaveFailed + args.output + " (" + reason + ")");
      return 1;
    }
    return 0;
  }

  auto app = MakeApplication(argc_, argv_);
  StderrPrompts prompts;
  HeadlessShow show(prompts, StartTime(args));
  if (!show.Open(args.input)) return 1; // the document reported the damaged file
  CZyntraDoc& doc = show.Document();
  doc.SetPath(args.output);
  return doc.SaveDocument() ? 0 : 1; // a failure is reported as the program reports it
}

int CZyntraCli::Render(const CliArguments& args) {
  auto app = MakeApplication(argc_, argv_);
  StderrPrompts prompts;
  // A clock shows the time from its first tick on, when a second of its local time begins: the
  // stage starts one second early and the page's clocks run into the second asked for.
  HeadlessShow show(prompts, StartTime(args) - 1.0 / 86400.0);
  if (!show.Open(args.input)) return 1;
  if (!DrawableScreen(show, args.input)) return 1;
  if (!show.ShowPage(args.page - 1)) {
    std::fprintf(stderr, "zyntra-cli: the project has %d page(s), there is no page %d\n%s",
                 show.PageCount(), args.page, CliUsage().c_str());
    return 2;
  }
  show.StartClocks(args.page - 1);
  show.AdvanceTo(1000);
  return SavePng(show.Render(), QString::fromStdString(args.output)) ? 0 : 1;
}

int CZyntraCli::Frames(const CliArguments& args) {
  auto app = MakeApplication(argc_, argv_);
  StderrPrompts prompts;
  HeadlessShow show(prompts, StartTime(args));
  if (!show.Open(args.input)) return 1;
  if (!DrawableScreen(show, args.input)) return 1;
  const QDir dir(QString::fromStdString(args.output));
  if (!dir.mkpath(QStringLiteral("."))) {
    PrintError(kSaveFailed + args.output);
    return 1;
  }
  const int64_t start = show.Now();
  show.Play();
  const int count = args.FrameCount();
  for (int i = 0; i < count; ++i) {
    show.AdvanceTo(start + args.FrameTimeMs(i));
    const QString name = QStringLiteral("frame-%1.png").arg(i, 5, 10, QLatin1Char('0'));
    if (!SavePng(show.Render(), dir.filePath(name))) return 1;
  }
  std::printf("%d frames in %s\n", count, args.output.c_str());
  return 0;
}
