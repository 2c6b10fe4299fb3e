#include "app/ZyntraScr.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "app/Artwork.h"
#include "app/CommandIds.h"
#include "controls/ControlFactory.h"
#include "dialogs/PropertyWindows.h"
#include "model/Prompts.h"
#include "model/ZyntraDoc.h"
#include "playlist/DPlayList.h"
#include "schedule/TaskListHooks.h"

namespace {

Rect FromQRect(const QRect& r) { return Rect{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

} // namespace

CZyntraScr::CZyntraScr(AppServices services)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), services_(std::move(services)) {
  setObjectName("screenWindow");
  setWindowIcon(Artwork::ProgramIcon());
  // Layout 102: 404 × 190 dialog units at the desktop origin; about 606 × 309 pixels at the
  // usual dialog font.
  setGeometry(0, 0, 606, 309);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  factory_ = services_.makeControlFactory(this);
  propertyWindowFactory = &CreatePropertyWindow;
}

CZyntraScr::~CZyntraScr() { Shutdown(); }

Rect CZyntraScr::DesktopRect() const { return FromQRect(geometry()); }

void CZyntraScr::MoveToDesktopRect(const Rect& r) {
  setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void CZyntraScr::ApplyTopmost(bool on) {
  topmost = on;
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (wasVisible) show();
}

void CZyntraScr::Initialise() {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  // A maximised window covers the available area; the tool windows take its size less 8.
  const int W = avail.width() - 8;
  const int H = avail.height() - 8;

  toolBar = new CDToolBar(this);
  toolBar->show();
  toolBar->setGeometry(avail.x(), avail.y(), W, 70);

  pageList = new CDPlayList(this);
  pageList->show();
  pageList->setGeometry(avail.x(), avail.y() + 70, 170, H - 70);
  InstallTaskList(*this);

  SettingsLoadResult loaded = LoadSettings(services_.settingsPath, settings);
  setWindowTitle(QString::fromStdString(loaded.screenCaption));
  if (loaded.toolBarCaption)
    toolBar->setWindowTitle(QString::fromStdString(*loaded.toolBarCaption));
  if (loaded.screenRect) MoveToDesktopRect(*loaded.screenRect);
  update();

  pageList->ClearProject();
  pageList->NewPage();

  if (settings.AutoPlay && !settings.LFile.empty() && settings.LFile.size() >= 3) {
    const std::string tail = settings.LFile.substr(settings.LFile.size() - 3);
    if (tail == "vrx") {
      pageList->Document().OpenDocument(settings.LFile);
      pageList->OnCommand(cmd::Play);
    } else if (tail == "tak" && openTaskListFile) {
      openTaskListFile(settings.LFile);
    }
  }
}

bool CZyntraScr::ExitSystem() {
  if (modified) {
    CZyntraDoc& doc = pageList->Document();
    const std::string question = "文件已经修改，是否保存文件" + doc.Path() + "?";
    switch (services_.prompts->MessageBox(question, settings.WndTitle, PromptButtons::YesNoCancel,
                                          PromptIcon::Question)) {
    case PromptAnswer::Yes:
      // A save that was cancelled or failed keeps the program running with the work.
      if (!pageList->SaveProject()) return false;
      break;
    case PromptAnswer::No: break;
    default: return false;
    }
  }
  if (playing && pageList) pageList->OnCommand(cmd::Stop);
  leaving_ = true;
  emit exitRequested();
  return true;
}

void CZyntraScr::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (pageList && toolBar) {
    WindowPlacement windows;
    windows.screen = DesktopRect();
    windows.toolBar = FromQRect(toolBar->frameGeometry());
    windows.playList = FromQRect(pageList->frameGeometry());
    if (propertyWnd) {
      windows.propertyWindow =
          Point{propertyWnd->frameGeometry().x(), propertyWnd->frameGeometry().y()};
    }
    SaveSettings(services_.settingsPath, settings, windows, pageList->Document().Path());
  }
  delete propertyWnd.data();
  delete pageList; // the tree and every control go with it
  pageList = nullptr;
  delete toolBar;
  toolBar = nullptr;
  selectedWnd = nullptr;
  currentNode = nullptr;
}

void CZyntraScr::closeEvent(QCloseEvent* event) {
  // Only ExitSystem ends the program; a close request sent to the screen is ignored.
  if (!leaving_) event->ignore();
}

void CZyntraScr::keyPressEvent(QKeyEvent* event) {
  // Enter and Esc (OK and Cancel) do not end the run.
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
      event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CZyntraScr::SetInsertMode(bool on, int32_t kind) {
  insertMode = on;
  if (on) insertKind = static_cast<ObjectKind>(kind);
}

void CZyntraScr::PageListCommand(int id) {
  if (pageList) pageList->OnCommand(id);
}

void CZyntraScr::PageListCreateObject(int32_t kind, const Rect& rect) {
  if (pageList) pageList->CreateObject(kind, rect);
}
