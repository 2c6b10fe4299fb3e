#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "app/PropertyWindow.h"
#include "model/EditingSession.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "playlist/PlayRequest.h"
#include "app/DPlayList.h"

namespace {

bool IsObject(const ShowNode* node) { return node && !node->IsContainer(); }

} // namespace

EditingSession* CZyntraScr::Session() const { return pageList_ ? &pageList_->Session() : nullptr; }

ShowNode* CZyntraScr::CurrentNode() const { return Session() ? Session()->Current() : nullptr; }

ShowNode* CZyntraScr::SelectedNode() const { return Session() ? Session()->Selected() : nullptr; }

CControlWrapper* CZyntraScr::SelectedWindow() const {
  ShowNode* node = SelectedNode();
  return node ? node->control.get() : nullptr;
}

void CZyntraScr::SelectObject(ShowNode* object) {
  if (!Session() || (object && object == SelectedNode() && tracker_)) return;
  if (object && !object->control) object = nullptr;
  Session()->Select(object);
  RefreshSelection();
}

void CZyntraScr::RefreshSelection() {
  CControlWrapper* window = SelectedWindow();
  tracker_ = window
                 ? std::make_unique<RectTracker>(RectTracker::ForSelection(window->GetWindowRect()))
                 : nullptr;
  UpdateDragFrame();
  update();
}

bool CZyntraScr::OpenTaskListFile(const std::string& path) {
  if (!openTaskListFile_) return false;
  openTaskListFile_(path);
  return true;
}

void CZyntraScr::Edit(const std::vector<ShowNode*>& nodes, const std::string& key, bool merge,
                      const std::function<void()>& change) {
  if (Session())
    Session()->Change(nodes, key, merge, change);
  else
    change();
}

bool CZyntraScr::Modified() const { return Session() && Session()->Modified(); }

void CZyntraScr::UpdateEditCommands() {
  if (toolBar_ && Session()) toolBar_->SetEditCommands(Session()->CanUndo(), Session()->CanRedo());
}

void CZyntraScr::ReloadPropertyWindow() {
  if (propertyWnd_) LoadPropertyWindow(propertyKind_);
}

void CZyntraScr::ClearSelection() {
  if (propertyWnd_) {
    propertyWnd_->deleteLater();
    propertyWnd_->hide();
    propertyWnd_ = nullptr;
  }
  if (SelectedNode()) {
    tracker_.reset();
    StopStatusTimer();
    UpdateDragFrame();
    Session()->Select(nullptr);
    update();
  }
}

void CZyntraScr::SetSurfaceColour(int32_t colour) {
  settings_.BgColor = colour;
  if (pageList_) {
    ShowNode* current = pageList_->Document().Current();
    if (current && current->IsPage() && current->frame) current->frame->bg = colour;
  }
  update();
}

void CZyntraScr::SurfaceCommand(int id) {
  switch (id) {
  case cmd::SurfaceTest:
    PageListCommand(static_cast<int>(PlayRequest::WM_PLAY_TEST));
    update();
    break;
  case cmd::SurfaceExit: ExitSystem(); break;
  case cmd::SurfaceDelete:
    if (pageList_) pageList_->DeleteSelected();
    break;
  case cmd::SurfaceHideShow:
    if (ShowNode* node = CurrentNode(); IsObject(node)) Session()->ToggleHidden(*node);
    break;
  case cmd::SurfaceFreeze:
    if (ShowNode* node = CurrentNode(); IsObject(node)) {
      Session()->ToggleFrozen(*node);
      update();
    }
    break;
  case cmd::SurfaceProperties:
    if (ShowNode* node = CurrentNode(); node && node->IsPage()) {
      ShowPropertyWindow(cmd::ScreenPropertyKind);
      LoadPropertyWindow(cmd::ScreenPropertyKind);
    } else if (IsObject(node)) {
      ShowPropertyWindow(static_cast<int>(node->type));
      LoadPropertyWindow(static_cast<int>(node->type));
    }
    break;
  case cmd::SurfacePlay:
    PageListCommand(cmd::Play);
    update();
    break;
  case cmd::SurfaceStop: PageListCommand(cmd::Stop); break;
  case cmd::SurfaceFullScreen: ArrangeObject(cmd::ArrangeFullScreen); break;
  default: break;
  }
}

void CZyntraScr::ArrangeObject(int code) {
  ShowNode* node = SelectedNode();
  if (!node) return;
  Session()->ArrangeObject(*node, code, Rect{0, 0, width(), height()});
  update();
}

void CZyntraScr::ShowPropertyWindow(int code) {
  if (!menuEnabled_) return;
  if (propertyWnd_ && propertyKind_ == code) {
    if (propertyWnd_->isHidden()) propertyWnd_->show();
    LoadPropertyWindow(code);
    return;
  }
  QPoint position;
  if (SelectedWindow()) {
    const Rect r = SelectedWindow()->GetWindowRect();
    const QPoint topLeft = mapToGlobal(QPoint(r.left, r.top));
    position = QPoint(topLeft.x() - 80, topLeft.y() + r.Height() - r.Height() / 2);
  } else {
    position = QPoint(geometry().x() + 40, geometry().y() + height() / 2);
  }
  QWidget* window = propertyWindowFactory_ ? propertyWindowFactory_(code, *this) : nullptr;
  if (!window) return;
  // One property window is tracked: the previous one of another kind goes.
  if (propertyWnd_) {
    propertyWnd_->hide();
    propertyWnd_->deleteLater();
  }
  propertyWnd_ = window;
  propertyKind_ = code;
  // Beside an object near the desktop's edge the window would open partly out of reach; it is
  // kept on the screen that holds the position.
  QScreen* screen = QGuiApplication::screenAt(position);
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect avail = screen->availableGeometry();
    const QSize size = window->sizeHint().expandedTo(window->size());
    position.setX(std::clamp(position.x(), avail.left(),
                             std::max(avail.left(), avail.right() - size.width())));
    position.setY(std::clamp(position.y(), avail.top(),
                             std::max(avail.top(), avail.bottom() - size.height())));
  }
  window->move(position);
  window->show();
}

void CZyntraScr::LoadPropertyWindow(int code) {
  ShowNode* node = CurrentNode();
  if (!node || !node->parent) return; // the root has no property window
  auto* window = dynamic_cast<PropertyWindow*>(propertyWnd_.data());
  if (!window) return;
  if (SelectedNode() && code != cmd::ScreenPropertyKind) {
    if (static_cast<int>(node->type) == code) window->SetObject(node);
  } else if (!SelectedNode() && code == cmd::ScreenPropertyKind) {
    window->SetObject(node);
  }
}
