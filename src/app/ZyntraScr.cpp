#include "app/ZyntraScr.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include "app/Artwork.h"
#include "app/CommandIds.h"
#include "qt/DesktopWindow.h"
#include "controls/ControlFactory.h"
#include "base/Prompts.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "playlist/RepeatingTimer.h"

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
  // Keys for this window, its objects and its tool windows, and the mouse on the objects,
  // pass the surface first.
  qApp->installEventFilter(this);
}

CZyntraScr::~CZyntraScr() {
  qApp->removeEventFilter(this);
  Shutdown();
}

Rect CZyntraScr::DesktopRect() const { return FromQRect(geometry()); }

void CZyntraScr::MoveToDesktopRect(const Rect& r) {
  setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
}

void CZyntraScr::ApplyTopmost(bool on) {
  topmost_ = on;
  // Changing the flags through the widget would make a new native window, behind which the
  // windows this one owns (tool windows, an open property window) would be lost. The native
  // window takes the new band in place; the widget only records it.
  const Qt::WindowFlags flags =
      on ? windowFlags() | Qt::WindowStaysOnTopHint : windowFlags() & ~Qt::WindowStaysOnTopHint;
  overrideWindowFlags(flags);
  if (QWindow* handle = windowHandle()) handle->setFlags(flags);
}

void CZyntraScr::Initialise() {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  // A maximised window covers the available area; the tool windows take its size less 8.
  const int W = avail.width() - 8;
  const int H = avail.height() - 8;

  // Both belong to the screen window: they stay above it, whatever is clicked. Their
  // rectangles are their outer ones, title bar and frame included. On a scaled desktop their
  // text is larger, and so are they (70 and 170 pixels at 96 dpi).
  const int toolBarHeight = DesktopScaled(70);
  toolBar_ = new CDToolBar(this, this);
  PlaceByFrame(toolBar_, QRect(avail.x(), avail.y(), W, toolBarHeight));
  toolBar_->show();

  pageList_ = new CDPlayList(this);
  PlaceByFrame(pageList_,
               QRect(avail.x(), avail.y() + toolBarHeight, DesktopScaled(170), H - toolBarHeight));
  pageList_->show();
  if (services_.addTaskList) services_.addTaskList(*this);

  SettingsLoadResult loaded = LoadSettings(services_.settingsPath, settings_);
  SetWindowCaption(this, QString::fromStdString(loaded.screenCaption));
  if (loaded.toolBarCaption)
    SetWindowCaption(toolBar_, QString::fromStdString(*loaded.toolBarCaption));
  // A settings file without the screen's entries would leave it an empty rectangle, which no
  // one could see or click again: the window then keeps its place.
  if (loaded.screenRect && loaded.screenRect->Width() > 0 && loaded.screenRect->Height() > 0)
    MoveToDesktopRect(*loaded.screenRect);
  update();

  pageList_->ClearProject();
  pageList_->NewPage();

  if (settings_.AutoPlay && !settings_.LFile.empty() && settings_.LFile.size() >= 3) {
    const std::string tail = settings_.LFile.substr(settings_.LFile.size() - 3);
    if (tail == "vrx") {
      pageList_->Document().OpenDocument(settings_.LFile);
      PageListCommand(cmd::Play);
    } else if (tail == "tak" && openTaskListFile_) {
      openTaskListFile_(settings_.LFile);
    }
  }
}

bool CZyntraScr::ExitSystem() {
  // Once decided, or while the question is up (a second close request, Esc again), another
  // call neither asks again nor leaves twice.
  if (leaving_ || asking_) return leaving_;
  if (Modified()) {
    asking_ = true;
    bool goOn = false;
    switch (AskToSave()) {
    case PromptAnswer::Yes:
      // A save that was cancelled or failed keeps the program running with the work.
      goOn = pageList_->SaveProject();
      break;
    case PromptAnswer::No: goOn = true; break;
    default: break;
    }
    asking_ = false;
    if (!goOn || leaving_) return leaving_;
  }
  Leave();
  return true;
}

PromptAnswer CZyntraScr::AskToSave() {
  CZyntraDoc& doc = pageList_->Document();
  const std::string question = "文件已经修改，是否保存文件" + doc.Path() + "?";
  return services_.prompts->MessageBox(question, settings_.WndTitle, PromptButtons::YesNoCancel,
                                       PromptIcon::Question);
}

void CZyntraScr::LeaveWithoutAsking() {
  if (leaving_) return;
  Leave();
}

void CZyntraScr::Leave() {
  if (playing_) PageListCommand(cmd::Stop);
  leaving_ = true;
  emit exitRequested();
}

void CZyntraScr::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (pageList_ && toolBar_) {
    WindowPlacement windows;
    windows.screen = DesktopRect();
    windows.toolBar = FromQRect(toolBar_->frameGeometry());
    windows.playList = FromQRect(pageList_->frameGeometry());
    if (propertyWnd_) {
      windows.propertyWindow =
          Point{propertyWnd_->frameGeometry().x(), propertyWnd_->frameGeometry().y()};
    }
    SaveSettings(services_.settingsPath, settings_, windows, pageList_->Document().Path());
  }
  delete propertyWnd_.data();
  delete pageList_; // the tree and every control go with it
  pageList_ = nullptr;
  delete toolBar_;
  toolBar_ = nullptr;
  tracker_.reset();
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
  insertMode_ = on;
  if (on) insertKind_ = static_cast<ObjectKind>(kind);
}

void CZyntraScr::PageListCommand(int id) {
  if (pageList_) pageList_->OnCommand(id);
}

void CZyntraScr::PageListCreateObject(int32_t kind, const Rect& rect) {
  if (pageList_) pageList_->CreateObject(kind, rect);
}
