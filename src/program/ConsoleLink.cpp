#include "program/ConsoleLink.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "console/CapturingPrompts.h"
#include "console/ConsoleServer.h"
#include "console/ConsoleService.h"
#include "console/ConsoleToken.h"
#include "console/ListenAddress.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "playlist/Playback.h"
#include "schedule/DlgPterm.h"

namespace {

constexpr const char* kUnsaved = "播放器上的节目有未保存的修改";
constexpr const char* kNoWindow = "屏幕窗口不可用";

std::string Joined(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& m : messages)
    text += (text.empty() ? "" : "\n") + m;
  return text;
}

// The task list windows that are open (the menu's and those of a .tak file).
std::vector<CDlgPterm*> TaskListWindows() {
  std::vector<CDlgPterm*> windows;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<CDlgPterm*>(w); dialog && dialog->isVisible())
      windows.push_back(dialog);
  }
  return windows;
}

std::string PageOfResource() {
  QFile page(QStringLiteral(":/zyntra-console/index.html"));
  if (!page.open(QIODevice::ReadOnly)) return {};
  return page.readAll().toStdString();
}

} // namespace

ConsoleLink::ConsoleLink(CZyntraScr& screen, CapturingPrompts& prompts)
    : screen_(&screen), prompts_(prompts) {}

std::unique_ptr<ConsoleLink> ConsoleLink::Start(CZyntraScr& screen, CapturingPrompts& prompts,
                                                const std::string& listen) {
  const auto address = ListenAddress::Parse(listen);
  if (!address) {
    std::fprintf(stderr, "zyntra: console: not [ADDR:]PORT: %s\n", listen.c_str());
    return nullptr;
  }
  const std::string tokenPath = DefaultConsoleTokenPath();
  std::string why;
  const std::string token = LoadOrMakeConsoleToken(tokenPath, &why);
  if (token.empty()) {
    std::fprintf(stderr, "zyntra: console: no token: %s\n", why.c_str());
    return nullptr;
  }
  const AppServices& services = screen.Services();
  if (!screen.PageList() || !services.scheduler || !services.clock) return nullptr;

  const QString shows = QString::fromStdString(
      screen.Config().ConsoleShows.empty() ? "shows" : screen.Config().ConsoleShows);
  ConsoleService::Config config;
  config.token = token;
  config.showsFolder = QDir::cleanPath(QDir::current().absoluteFilePath(shows)).toStdString();
  config.logFolder = QDir::currentPath().toStdString();
  config.page = PageOfResource();
  config.version = ZYNTRA_VERSION;
  const std::string showsFolder = config.showsFolder;

  std::unique_ptr<ConsoleLink> link(new ConsoleLink(screen, prompts));
  link->service_ = std::make_unique<ConsoleService>(*link, *services.scheduler, *services.clock,
                                                    std::move(config));
  link->server_ = std::make_unique<ConsoleServer>(*link->service_);
  QString error;
  if (!link->server_->Listen(*address, &error)) {
    std::fprintf(stderr, "zyntra: console: cannot listen on %s: %s\n", listen.c_str(),
                 error.toLocal8Bit().constData());
    return nullptr;
  }
  if (Playback* playback = screen.PageList()->Player()) {
    ConsoleLink* self = link.get();
    playback->pageObserver = [self](const Playback::PageEvent& e) {
      self->pass_ = e.pass;
      self->test_ = e.test;
      if (!self->screen_ || !self->screen_->PageList()) return;
      PlayRecord record;
      record.event = e.start ? "start" : "end";
      record.mode = e.test ? "test" : "play";
      record.project = self->screen_->PageList()->Document().Path();
      record.page = e.page.name;
      record.pass = e.pass;
      if (!e.start) record.ended = e.stopped ? "stopped" : "finished";
      self->service_->Record(record);
    };
  }
  const std::string host =
      address->host.find(':') != std::string::npos ? "[" + address->host + "]" : address->host;
  std::fprintf(stderr,
               "zyntra: console on http://%s:%u/ (token in %s, shows in %s, requests logged "
               "here)\n",
               host.c_str(), unsigned(link->server_->Port()), tokenPath.c_str(),
               showsFolder.c_str());
  return link;
}

ConsoleLink::~ConsoleLink() {
  if (screen_ && screen_->PageList()) {
    if (Playback* playback = screen_->PageList()->Player()) playback->pageObserver = nullptr;
  }
}

bool ConsoleLink::Playing() const {
  if (!screen_ || !screen_->PageList()) return false;
  const Playback* playback = screen_->PageList()->Player();
  return playback && playback->Playing();
}

ConsoleStatus ConsoleLink::Status() {
  ConsoleStatus s;
  if (!screen_ || !screen_->PageList()) return s;
  CZyntraDoc& doc = screen_->PageList()->Document();
  s.file = doc.Path();
  if (const ShowNode* root = doc.Root()) s.title = root->name;
  s.playing = Playing();
  s.mode = s.playing ? (test_ ? "test" : "play") : "idle";
  const ShowNode* page = s.playing && doc.PlayingPage() ? doc.PlayingPage() : doc.Current();
  if (page && page->IsPage() && doc.Root()) {
    s.page = page->name;
    const auto& pages = doc.Root()->children;
    for (size_t i = 0; i < pages.size(); ++i) {
      if (pages[i].get() == page) s.pageIndex = static_cast<int32_t>(i);
    }
  }
  s.pass = s.playing ? pass_ : 0;
  for (CDlgPterm* dialog : TaskListWindows()) {
    if (!dialog->GetSchedule().Started()) continue;
    s.taskList = dialog->Path();
    const int row = dialog->GetSchedule().CurrentTask();
    if (row >= 0 && row < static_cast<int>(dialog->Tasks().size())) {
      s.task = row;
      s.taskFile = dialog->Tasks()[static_cast<size_t>(row)].FileName;
    }
    break;
  }
  return s;
}

ConsoleOutcome ConsoleLink::Command(int id) {
  if (!screen_) return {false, kNoWindow};
  CapturingPrompts::Capture capture(prompts_);
  screen_->PageListCommand(id);
  if (!capture.Messages().empty()) return {false, Joined(capture.Messages())};
  return {};
}

ConsoleOutcome ConsoleLink::Play() {
  if (Playing()) return {};
  ConsoleOutcome outcome = Command(cmd::Play);
  if (outcome.done && !Playing()) return {false, "没有开始播放"};
  return outcome;
}

ConsoleOutcome ConsoleLink::Test() {
  if (Playing()) return {false, "正在播放，请先停止"};
  ConsoleOutcome outcome = Command(cmd::ObjectTestPage);
  if (outcome.done && !Playing()) return {false, "没有开始测试"};
  return outcome;
}

ConsoleOutcome ConsoleLink::Stop() {
  // A running task list would start its next task: its own Stop ends the schedule and the
  // playing together, as its 停止 button does.
  for (CDlgPterm* dialog : TaskListWindows()) {
    if (dialog->GetSchedule().Started()) {
      CapturingPrompts::Capture capture(prompts_);
      dialog->OnCommand(CDlgPterm::Stop);
    }
  }
  if (!Playing()) return {};
  return Command(cmd::Stop);
}

ConsoleOutcome ConsoleLink::Open(const std::string& path, bool discardChanges) {
  if (!screen_ || !screen_->PageList()) return {false, kNoWindow};
  if (screen_->Modified() && !discardChanges) return {false, kUnsaved};
  CapturingPrompts::Capture capture(prompts_);
  // What plays now makes way: task list windows close (which stops their schedule), and a
  // play or test stops.
  for (CDlgPterm* dialog : TaskListWindows())
    dialog->reject();
  if (Playing()) screen_->PageListCommand(cmd::Stop);
  if (ShowsFolder::IsTaskList(path)) {
    // As a .tak file on the command line: its window opens and plays it.
    screen_->OpenTaskListFile(path);
    if (!capture.Messages().empty()) {
      for (CDlgPterm* dialog : TaskListWindows())
        dialog->reject();
      return {false, Joined(capture.Messages())};
    }
    return {};
  }
  // As a .vrx file on the command line or played at start-up.
  // An opened project starts a fresh, unmodified history.
  const bool opened = screen_->PageList()->Document().OpenDocument(path);
  if (!capture.Messages().empty()) return {false, Joined(capture.Messages())};
  if (!opened) return {false, "文件打开失败"};
  return {};
}

std::string ConsoleLink::ScreenPng() {
  if (!screen_ || !screen_->isVisible()) return {};
  // The desktop's pixels where the screen window is, so every control on it (movies, web
  // views) and any window above it look as the LED wall shows them; the window's own drawing
  // where the platform cannot read the desktop.
  const QRect frame = screen_->geometry();
  QPixmap picture;
  if (QScreen* display = screen_->screen()) {
    const QPoint origin = display->geometry().topLeft();
    picture = display->grabWindow(0, frame.x() - origin.x(), frame.y() - origin.y(), frame.width(),
                                  frame.height());
  }
  if (picture.isNull() || picture.size() != frame.size()) picture = screen_->grab();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}
