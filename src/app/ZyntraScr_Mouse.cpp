#include <QMouseEvent>

#include <cstdlib>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "model/EditingSession.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
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
  if (playing_ || !pageList_) return;
  CZyntraDoc& doc = pageList_->Document();
  ShowNode* current = doc.Current();

  // Drawing a new object: the creation tracker follows the mouse until the release; the
  // object is made at the movement after it.
  if (insertMode_ && current && current->IsPage()) {
    drawing_ = true;
    if (tracker_) ClearSelection();
    tracker_ = std::make_unique<RectTracker>(RectTracker::ForCreation(p));
    StartStatusTimer(StatusTimer::Size, kShortestStatusMs);
    SetSurfaceCursor(Qt::CrossCursor, QPoint(p.x, p.y));
    tracker_->BeginDrag(RectTracker::BottomRight, p);
    creationDrag_ = true;
    UpdateDragFrame();
    grabMouse();
    return;
  }

  // The tracker follows the window, which keys and commands may have moved since the last paint.
  if (CControlWrapper* window = SelectedWindow(); tracker_ && window)
    tracker_->rect = window->GetWindowRect();

  // Selection.
  const int hitBefore = tracker_ ? tracker_->HitTest(p) : RectTracker::Nothing;
  if ((!tracker_ || hitBefore == RectTracker::Middle || hitBefore == RectTracker::Nothing) &&
      CurrentNode() && CurrentNode() != doc.Root()) {
    if (ShowNode* node = doc.HitTestNode(p.x, p.y)) {
      ClearSelection();
      SelectObject(node);
      pageList_->SelectItemByText(node->name);
    } else if (tracker_ && hitBefore == RectTracker::Nothing) {
      ClearSelection();
      Session()->SetCurrent(doc.Current());
      pageList_->SelectCurrentPageItem();
    }
  }

  // Moving and resizing; a frozen object stays where it is.
  if (tracker_ && CurrentNode() && CurrentNode()->unlocked) {
    const int hit = tracker_->HitTest(p);
    if (hit != RectTracker::Nothing) {
      showTracker_ = false;
      StartStatusTimer(hit == RectTracker::Middle ? StatusTimer::Position : StatusTimer::Size,
                       kDragStatusMs);
      tracker_->BeginDrag(hit, p);
      UpdateDragFrame();
      update();
    }
  }

  mouseDown_ = true;
  downPoint_ = p;
  windowAtDown_ = pos();
  globalAtDown_ = globalPos;
  grabMouse();
}

void CZyntraScr::OnMouseMove(Point p, const QPoint& globalPos) {
  if (playing_ || !pageList_) return;

  // A running drag sees every movement and nothing else does.
  if (tracker_ && tracker_->Dragging()) {
    tracker_->DragTo(p);
    if (!statusTimer_) ShowTrackerStatus();
    UpdateDragFrame();
    return;
  }

  // A creation drag has ended: the object is made now.
  if (insertMode_ && drawing_) {
    const bool created =
        tracker_ && pageList_->CreateObject(static_cast<int32_t>(insertKind_), tracker_->rect);
    if (!created) tracker_.reset();
    insertMode_ = false;
    drawing_ = false;
    if (toolBar_) toolBar_->ResetToSelect();
    update();
    return;
  }

  const QPoint client(p.x, p.y);
  if (tracker_) SetSurfaceCursor(CursorOf(tracker_->HitTest(p)), client);
  if (insertMode_) SetSurfaceCursor(Qt::CrossCursor, client);
  if (!tracker_ && !insertMode_) SetSurfaceCursor(Qt::ArrowCursor, client);

  // A press that started no drag (a frozen object): the movement ends it.
  if (mouseDown_ && tracker_) {
    if (ShowNode* node = SelectedNode()) Session()->MoveObject(*node, tracker_->rect);
    mouseDown_ = false;
    releaseMouse();
    showTracker_ = true;
    update();
  }
  // A press on the empty surface moves the whole window with the mouse.
  if (mouseDown_ && settings_.EnableMove) move(windowAtDown_ + (globalPos - globalAtDown_));

  pageList_->SetStatusText(QStringLiteral("横坐标:%1  纵坐标:%2").arg(p.x).arg(p.y));
}

void CZyntraScr::OnLButtonUp(Point p) {
  if (tracker_ && tracker_->Dragging()) {
    tracker_->DragTo(p);
    EndTrackerDrag(false);
  }
  mouseDown_ = false;
  releaseMouse();
}

void CZyntraScr::EndTrackerDrag(bool cancelled) {
  if (!tracker_) return;
  if (cancelled) {
    tracker_->CancelDrag();
  } else {
    tracker_->EndDrag();
  }
  StopStatusTimer();
  if (creationDrag_) {
    creationDrag_ = false;
    if (cancelled) {
      drawing_ = false;
      tracker_.reset();
    }
  } else {
    if (ShowNode* node = SelectedNode()) Session()->MoveObject(*node, tracker_->rect);
    showTracker_ = true;
  }
  UpdateDragFrame();
  update();
}

void CZyntraScr::OnLButtonDblClk() {
  if (playing_) return;
  if (ShowNode* node = SelectedNode()) {
    const int kind = static_cast<int>(node->type);
    ShowPropertyWindow(kind);
    LoadPropertyWindow(kind);
  } else if (CurrentNode() && CurrentNode()->parent) {
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
  if (!tracker_ || !pageList_) return;
  const Rect& r = tracker_->rect;
  if (statusKind_ == StatusTimer::Position) {
    pageList_->SetStatusText(QStringLiteral("横坐标:%1 纵坐标:%2").arg(r.left).arg(r.top));
  } else {
    pageList_->SetStatusText(
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
  if (playing_ || receiver == this || !isAncestorOf(receiver)) return false;
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
