#include "program/ZyntraApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

#include "app/CommandIds.h"
#include "program/ConsoleLink.h"
#include "program/ControlSetup.h"
#include "app/DesktopEnvironment.h"
#include "qt/DesktopWindow.h"
#include "qt/QtPrompts.h"
#include "qt/QtScheduler.h"
#include "qt/QtTranslations.h"
#include "app/SignalExit.h"
#include "app/SystemPowerControl.h"
#include "app/ZyntraScr.h"
#include "console/CapturingPrompts.h"
#include "console/ListenAddress.h"
#include "controls/ControlHost.h"
#include "controls/WebEngineEnvironment.h"
#include "dialogs/PropertyWindows.h"
#include "schedule/TaskListHooks.h"
#include "base/LocalClock.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"

namespace {

struct Options {
  bool play = false;
  std::string file;
  std::string console; ///< "[ADDR:]PORT" of --console
};

bool EndsWith(const std::string& s, const char* tail) {
  size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

} // namespace

CZyntraApp::CZyntraApp(int& argc, char** argv) : argc_(argc), argv_(argv) {}

std::string CZyntraApp::Usage() {
  return "usage: zyntra [--play] [--console [ADDR:]PORT] [FILE.vrx | FILE.tak]\n"
         "  FILE.vrx         open the project\n"
         "  --play FILE.vrx  open the project and play it\n"
         "  FILE.tak         open the task list and play it by its schedule\n"
         "  --console [ADDR:]PORT  serve the web console there (127.0.0.1 without ADDR)\n"
         "  --help           this text\n"
         "  --version        the program's version\n";
}

int CZyntraApp::Run() {
  Options options;
  for (int i = 1; i < argc_; ++i) {
    const std::string arg = argv_[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(Usage().c_str(), stdout);
      return 0;
    }
    if (arg == "--version") {
      std::printf("zyntra %s\n", ZYNTRA_VERSION);
      return 0;
    }
    if (arg == "--play") {
      options.play = true;
    } else if (arg == "--console" || arg.rfind("--console=", 0) == 0) {
      if (arg == "--console" && i + 1 < argc_)
        options.console = argv_[++i];
      else if (arg != "--console")
        options.console = arg.substr(10);
      if (!ListenAddress::Parse(options.console)) {
        std::fprintf(stderr, "zyntra: --console needs [ADDR:]PORT\n%s", Usage().c_str());
        return 2;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      std::fprintf(stderr, "zyntra: unknown option %s\n%s", arg.c_str(), Usage().c_str());
      return 2;
    } else {
      options.file = arg;
    }
  }

  PrepareDesktopEnvironment();
  PrepareWebEngineEnvironment();
  QApplication app(argc_, argv_);
  InstallQtChineseTranslations(&app);
  app.setApplicationName(QStringLiteral("zyntra"));
  app.setApplicationVersion(QStringLiteral(ZYNTRA_VERSION));
  app.setQuitOnLastWindowClosed(false);
  NameWindowRoles();

  QtPrompts prompts;
  QtScheduler scheduler;
  SystemLocalClock clock;
  SystemPowerControl power;
  // The console's commands run with the prompts quiet; everything else shows them.
  CapturingPrompts consolePrompts(prompts);
  AppServices services;
  services.prompts = &consolePrompts;
  services.scheduler = &scheduler;
  services.clock = &clock;
  services.power = &power;
  services.makeControlFactory = [controls = services.ForControls()](QWidget* screen) {
    return MakeControlHost(screen, controls);
  };
  // The settings live in the working directory the program was started in.
  services.addTaskList = [](CZyntraScr& screen) { InstallTaskList(screen); };
  services.settingsPath = SettingsPathIn(QDir::currentPath().toStdString());

  CZyntraScr screen(services);
  screen.SetPropertyWindowFactory(&CreatePropertyWindow);
  prompts.setParent(&screen);
  // exit(), not quit(): quit() first asks every window to close, and the tool windows answer
  // a close with ExitSystem, which would ask the save question a second time.
  QObject::connect(&screen, &CZyntraScr::exitRequested, &app, [] { QCoreApplication::exit(0); });
  SignalExit signalExit;
  QObject::connect(&signalExit, &SignalExit::requested, &screen,
                   [&screen](int) { screen.LeaveWithoutAsking(); });
  screen.show();
  screen.Initialise();

  if (!options.file.empty()) {
    const std::string path =
        QFileInfo(QString::fromStdString(options.file)).absoluteFilePath().toStdString();
    if (EndsWith(path, ".tak")) {
      screen.OpenTaskListFile(path);
    } else if (screen.PageList()->Document().OpenDocument(path) && options.play) {
      screen.PageList()->OnCommand(cmd::Play);
    }
  }

  std::unique_ptr<ConsoleLink> console;
  const std::string listen =
      options.console.empty() ? screen.Config().ConsoleListen : options.console;
  if (!listen.empty()) console = ConsoleLink::Start(screen, consolePrompts, listen);

  const int status = app.exec();
  console.reset();
  screen.Shutdown();
  return status;
}
