#include <QMouseEvent>

#include <cstdlib>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "playlist/DPlayList.h"
#include "playlist/RepeatingTimer.h"

namespace {

// Status timer periods: a move or resize refreshes every 10 ms; drawing as often as a timer
// can (a period of 0 would never let virtual time move on).
constexpr int64_t kDragStatusMs = 10;
constexpr int64_t kShortestStatusMs = 1;

Point ToPoint(const QPointF& p) { return Point{p.toPoint().x(), p.toPoint().y()}; }

Qt::CursorShape CursorOf(int hit) {
  switch (hit) {
  case RectTracker::TopLeft:
  case RectTracker::BottomRight: return Qt::SizeFDiagCursor;
  case RectTracker::TopRight:
  case RectTracker::BottomLeft: return Qt::SizeBDiagCursor;
  case RectTracker::Top:
  case RectTracker::Bottom: return Qt::SizeVerCursor;
  case RectTracker::Right:
  case RectTracker::Left: return Qt::SizeHorCursor;
  case RectTracker::Middle: return Qt::SizeAllCursor;
  default: return Qt::ArrowCursor;
  }
}

} // namespace

void CZyntraScr::OnLButtonDown(Point p, const QPoint& globalPos) {
  if (playing || !pageList) return;
  CZyntraDoc& doc = pageList->Document();
  ShowNode* current = doc.Current();

  // Drawing a new object: the creation tracker follows the mouse until the release; the
  // object is made at the movement after it.
  if (insertMode && current && current->IsPage()) {
    drawing = true;
    if (tracker) ClearSelection();
    tracker = std::make_unique<RectTracker>(RectTracker::ForCreation(p));
    StartStatusTimer(StatusTimer::Size, kShortestStatusMs);
    SetSurfaceCursor(Qt::CrossCursor, QPoint(p.x, p.y));
    tracker->BeginDrag(RectTracker::BottomRight, p);
    creationDrag_ = true;
    UpdateDragFrame();
    grabMouse();
    return;
  }

  // The tracker follows the window, which keys and commands may have moved since the last paint.
  if (tracker && selectedWnd) tracker->rect = selectedWnd->GetWindowRect();

  // Selection.
  const int hitBefore = tracker ? tracker->HitTest(p) : RectTracker::Nothing;
  if ((!tracker || hitBefore == RectTracker::Middle || hitBefore == RectTracker::Nothing) &&
      currentNode && currentNode != doc.Root()) {
    if (ShowNode* node = doc.HitTestNode(p.x, p.y)) {
      ClearSelection();
      SelectObject(node->control.get());
      currentNode = node;
      pageList->SelectItemByText(node->name);
    } else if (tracker && hitBefore == RectTracker::Nothing) {
      currentNode = doc.Current();
      ClearSelection();
      pageList->SelectCurrentPageItem();
    }
  }

  // Moving and resizing; a frozen object stays where it is.
  if (tracker && currentNode && currentNode->unlocked) {
    const int hit = tracker->HitTest(p);
    if (hit != RectTracker::Nothing) {
      showTracker = false;
      StartStatusTimer(hit == RectTracker::Middle ? StatusTimer::Position : StatusTimer::Size,
                       kDragStatusMs);
      tracker->BeginDrag(hit, p);
      UpdateDragFrame();
      update();
    }
  }

  mouseDown = true;
  downPoint = p;
  windowAtDown_ = pos();
  globalAtDown_ = globalPos;
  grabMouse();
}

void CZyntraScr::OnMouseMove(Point p, const QPoint& globalPos) {
  if (playing || !pageList) return;

  // A running drag sees every movement and nothing else does.
  if (tracker && tracker->Dragging()) {
    tracker->DragTo(p);
    if (!statusTimer_) ShowTrackerStatus();
    UpdateDragFrame();
    return;
  }

  // A creation drag has ended: the object is made now.
  if (insertMode && drawing) {
    const bool created =
        tracker && pageList->CreateObject(static_cast<int32_t>(insertKind), tracker->rect);
    if (!created) tracker.reset();
    insertMode = false;
    drawing = false;
    if (toolBar) toolBar->ResetToSelect();
    update();
    return;
  }

  const QPoint client(p.x, p.y);
  if (tracker) SetSurfaceCursor(CursorOf(tracker->HitTest(p)), client);
  if (insertMode) SetSurfaceCursor(Qt::CrossCursor, client);
  if (!tracker && !insertMode) SetSurfaceCursor(Qt::ArrowCursor, client);

  // A press that started no drag (a frozen object): the movement ends it.
  if (mouseDown && tracker) {
    if (selectedWnd)
      Edit({SelectedNode()}, {}, false, [this] { selectedWnd->MoveWindow(tracker->rect); });
    mouseDown = false;
    releaseMouse();
    showTracker = true;
    update();
  }
  // A press on the empty surface moves the whole window with the mouse.
  if (mouseDown && settings.EnableMove) move(windowAtDown_ + (globalPos - globalAtDown_));

  pageList->SetStatusText(QStringLiteral("横坐标:%1  纵坐标:%2").arg(p.x).arg(p.y));
}

void CZyntraScr::OnLButtonUp(Point p) {
  if (tracker && tracker->Dragging()) {
    tracker->DragTo(p);
    EndTrackerDrag(false);
  }
  mouseDown = false;
  releaseMouse();
}

void CZyntraScr::EndTrackerDrag(bool cancelled) {
  if (!tracker) return;
  if (cancelled) {
    tracker->CancelDrag();
  } else {
    tracker->EndDrag();
  }
  StopStatusTimer();
  if (creationDrag_) {
    creationDrag_ = false;
    if (cancelled) {
      drawing = false;
      tracker.reset();
    }
  } else {
    if (selectedWnd)
      Edit({SelectedNode()}, {}, false, [this] { selectedWnd->MoveWindow(tracker->rect); });
    showTracker = true;
  }
  UpdateDragFrame();
  update();
}

void CZyntraScr::OnLButtonDblClk() {
  if (playing) return;
  if (selectedWnd && currentNode) {
    const int kind = static_cast<int>(currentNode->type);
    ShowPropertyWindow(kind);
    LoadPropertyWindow(kind);
  } else if (currentNode && currentNode->parent) {
    ShowPropertyWindow(cmd::ScreenPropertyKind);
    LoadPropertyWindow(cmd::ScreenPropertyKind);
  }
}

// --- Status timers --------------------------------------------------------------------------

void CZyntraScr::StartStatusTimer(StatusTimer which, int64_t periodMs) {
  StopStatusTimer();
  statusKind_ = which;
  if (!services_.scheduler) return; // without timers a drag shows its status as it moves
  statusTimer_ = std::make_unique<RepeatingTimer>(*services_.scheduler, periodMs,
                                                  [this] { ShowTrackerStatus(); });
  statusTimer_->Start();
}

void CZyntraScr::StopStatusTimer() { statusTimer_.reset(); }

void CZyntraScr::ShowTrackerStatus() {
  if (!tracker || !pageList) return;
  const Rect& r = tracker->rect;
  if (statusKind_ == StatusTimer::Position) {
    pageList->SetStatusText(QStringLiteral("横坐标:%1 纵坐标:%2").arg(r.left).arg(r.top));
  } else {
    pageList->SetStatusText(
        QStringLiteral("宽度:%1 高度:%2").arg(std::abs(r.Width())).arg(std::abs(r.Height())));
  }
}

// --- Cursor -----------------------------------------------------------------------------------

void CZyntraScr::SetSurfaceCursor(Qt::CursorShape shape, const QPoint& clientPos) {
  setCursor(shape);
  // An object window under the mouse shows its own cursor, so it is given the same one.
  QWidget* child = childAt(clientPos);
  while (child && child->parentWidget() != this)
    child = child->parentWidget();
  if (child) child->setCursor(shape);
}

// --- Qt events --------------------------------------------------------------------------------

void CZyntraScr::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    OnLButtonDown(ToPoint(event->position()), event->globalPosition().toPoint());
  } else if (event->button() == Qt::RightButton) {
    ShowContextMenu(event->globalPosition().toPoint());
  }
}

void CZyntraScr::mouseMoveEvent(QMouseEvent* event) {
  OnMouseMove(ToPoint(event->position()), event->globalPosition().toPoint());
}

void CZyntraScr::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonUp(ToPoint(event->position()));
}

void CZyntraScr::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk();
}

bool CZyntraScr::FilterMouse(QWidget* receiver, QEvent* event) {
  // At design time the objects are parts of the surface: the surface takes their mouse. While
  // playing they get it themselves.
  if (playing || receiver == this || !isAncestorOf(receiver)) return false;
  auto* me = static_cast<QMouseEvent*>(event);
  const QPoint client = receiver->mapTo(this, me->position().toPoint());
  const Point p{client.x(), client.y()};
  const QPoint global = me->globalPosition().toPoint();
  switch (event->type()) {
  case QEvent::MouseButtonPress:
    if (me->button() == Qt::LeftButton) OnLButtonDown(p, global);
    if (me->button() == Qt::RightButton) ShowContextMenu(global);
    break;
  case QEvent::MouseMove: OnMouseMove(p, global); break;
  case QEvent::MouseButtonRelease:
    if (me->button() == Qt::LeftButton) OnLButtonUp(p);
    break;
  case QEvent::MouseButtonDblClick:
    if (me->button() == Qt::LeftButton) OnLButtonDblClk();
    break;
  default: return false;
  }
  event->accept();
  return true;
}
