#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "dialogs/PropertyWindow.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "playlist/PlayRequest.h"
#include "playlist/DPlayList.h"

namespace {

bool IsObject(const ShowNode* node) { return node && !node->IsContainer(); }

} // namespace

void CZyntraScr::SelectObject(CControlWrapper* window) {
  if (window == selectedWnd) return;
  selectedWnd = window;
  tracker = window
                ? std::make_unique<RectTracker>(RectTracker::ForSelection(window->GetWindowRect()))
                : nullptr;
  UpdateDragFrame();
  update();
}

ShowNode* CZyntraScr::SelectedNode() const {
  return IsObject(currentNode) && selectedWnd && currentNode->control.get() == selectedWnd
             ? currentNode
             : nullptr;
}

void CZyntraScr::Edit(const std::vector<ShowNode*>& nodes, const std::string& key, bool merge,
                      const std::function<void()>& change) {
  if (pageList)
    pageList->Session().Change(nodes, key, merge, change);
  else
    change();
}

bool CZyntraScr::Modified() const { return pageList && pageList->Session().Modified(); }

void CZyntraScr::UpdateEditCommands() {
  if (toolBar && pageList)
    toolBar->SetEditCommands(pageList->Session().CanUndo(), pageList->Session().CanRedo());
}

void CZyntraScr::ReloadPropertyWindow() {
  if (propertyWnd) LoadPropertyWindow(propertyKind);
}

void CZyntraScr::ClearSelection() {
  if (propertyWnd) {
    propertyWnd->deleteLater();
    propertyWnd->hide();
    propertyWnd = nullptr;
  }
  if (selectedWnd) {
    tracker.reset();
    StopStatusTimer();
    UpdateDragFrame();
    selectedWnd = nullptr;
    update();
  }
}

void CZyntraScr::SetSurfaceColour(int32_t colour) {
  settings.BgColor = colour;
  if (pageList) {
    ShowNode* current = pageList->Document().Current();
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
    if (pageList) pageList->DeleteSelected();
    break;
  case cmd::SurfaceHideShow:
    if (IsObject(currentNode)) {
      Edit({currentNode}, {}, false, [this] {
        currentNode->visible = !currentNode->visible;
        if (selectedWnd) selectedWnd->ShowWindow(currentNode->visible);
      });
    }
    break;
  case cmd::SurfaceFreeze:
    if (IsObject(currentNode)) {
      Edit({currentNode}, {}, false, [this] { currentNode->unlocked = !currentNode->unlocked; });
      update();
    }
    break;
  case cmd::SurfaceProperties:
    if (!currentNode) break;
    if (currentNode->IsPage()) {
      ShowPropertyWindow(cmd::ScreenPropertyKind);
      LoadPropertyWindow(cmd::ScreenPropertyKind);
    } else if (IsObject(currentNode)) {
      ShowPropertyWindow(static_cast<int>(currentNode->type));
      LoadPropertyWindow(static_cast<int>(currentNode->type));
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
  if (!selectedWnd || !pageList) return;
  // The full-screen toggle's state is part of the change, so that undo gives it back too.
  Edit({SelectedNode()}, {}, false, [&] {
    const std::optional<Rect> r = pageList->Session().Arrange(code, selectedWnd->GetWindowRect(),
                                                              Rect{0, 0, width(), height()});
    if (r) selectedWnd->MoveWindow(*r);
  });
  update();
}

void CZyntraScr::ShowPropertyWindow(int code) {
  if (!menuEnabled) return;
  if (propertyWnd && propertyKind == code) {
    if (propertyWnd->isHidden()) propertyWnd->show();
    LoadPropertyWindow(code);
    return;
  }
  QPoint position;
  if (selectedWnd) {
    const Rect r = selectedWnd->GetWindowRect();
    const QPoint topLeft = mapToGlobal(QPoint(r.left, r.top));
    position = QPoint(topLeft.x() - 80, topLeft.y() + r.Height() - r.Height() / 2);
  } else {
    position = QPoint(geometry().x() + 40, geometry().y() + height() / 2);
  }
  QWidget* window = propertyWindowFactory ? propertyWindowFactory(code, *this) : nullptr;
  if (!window) return;
  // One property window is tracked: the previous one of another kind goes.
  if (propertyWnd) {
    propertyWnd->hide();
    propertyWnd->deleteLater();
  }
  propertyWnd = window;
  propertyKind = code;
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
  if (!currentNode || !currentNode->parent) return; // the root has no property window
  auto* window = dynamic_cast<PropertyWindow*>(propertyWnd.data());
  if (!window) return;
  if (selectedWnd && code != cmd::ScreenPropertyKind) {
    if (static_cast<int>(currentNode->type) == code) window->SetObject(currentNode);
  } else if (!selectedWnd && code == cmd::ScreenPropertyKind) {
    window->SetObject(currentNode);
  }
}
