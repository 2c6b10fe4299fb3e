#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "model/EditingSession.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"

namespace {

// Objects whose controls take the keyboard for themselves; their keys go to OnObjectKey.
bool TakesKeys(const ShowNode* node) {
  return node && (node->type == ObjectKind::Exe || node->type == ObjectKind::Flash ||
                  node->type == ObjectKind::Gif);
}

bool IsTextEntry(QWidget* w) {
  for (int level = 0; w && level < 2; ++level, w = w->parentWidget()) {
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
        qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
      return true;
  }
  return false;
}

bool Within(const QWidget* window, QWidget* w) {
  return window && (window == w || window->isAncestorOf(w));
}

} // namespace

bool CZyntraScr::IsOwnKeyTarget(QWidget* receiver) const {
  if (Within(this, receiver)) return true;
  // Keys meant for a property or effect window (a check box, a list, a button) are that
  // window's: only the two tool windows share the surface's keys.
  if (!Within(toolBar_, receiver) && !Within(pageList_, receiver)) return false;
  // Typing into a field of a tool window is not a command to the surface.
  return !IsTextEntry(receiver);
}

bool CZyntraScr::FilterKeyDown(int key, Qt::KeyboardModifiers modifiers, bool repeat) {
  // Undo and redo, for every window that shares the surface's keys.
  const Qt::KeyboardModifiers chord =
      modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
  if (pageList_ && (key == Qt::Key_Z || key == Qt::Key_Y) && (chord & Qt::ControlModifier)) {
    if (key == Qt::Key_Z && chord == Qt::ControlModifier) {
      pageList_->Undo();
      return true;
    }
    if ((key == Qt::Key_Y && chord == Qt::ControlModifier) ||
        (key == Qt::Key_Z && chord == (Qt::ControlModifier | Qt::ShiftModifier))) {
      pageList_->Redo();
      return true;
    }
  }
  // Esc puts a dragged tracker back where it started.
  if (key == Qt::Key_Escape && tracker_ && tracker_->Dragging()) {
    EndTrackerDrag(true);
    mouseDown_ = false;
    releaseMouse();
    return true;
  }
  // Playing objects are never current for this (the show must stay stoppable with Pause).
  if (!playing_ && !insertMode_ && TakesKeys(CurrentNode())) {
    OnObjectKey(key);
    return true;
  }
  if (playing_ && !settings_.MoveOnPlay && key != Qt::Key_Pause) return true;

  int dx = 0, dy = 0;
  switch (key) {
  case Qt::Key_Pause: PageListCommand(cmd::Stop); return false;
  case Qt::Key_Left: dx = -1; break;
  case Qt::Key_Up: dy = -1; break;
  case Qt::Key_Right: dx = 1; break;
  case Qt::Key_Down: dy = 1; break;
  default: return false;
  }
  // A key held down moves by many steps; they are one change.
  if (ShowNode* node = SelectedNode()) {
    Rect r = node->control->GetWindowRect();
    r.OffsetRect(dx, dy);
    Session()->MoveObject(*node, r, "nudge", repeat);
  } else {
    ShowNode* root = pageList_ ? pageList_->Document().Root() : nullptr;
    Edit({root}, "nudge screen", repeat, [&] {
      Rect r = DesktopRect();
      r.OffsetRect(dx, dy);
      MoveToDesktopRect(r);
    });
  }
  update();
  return false;
}

void CZyntraScr::OnObjectKey(int key) {
  if (playing_ || !SelectedWindow() || !pageList_) return;
  switch (key) {
  case Qt::Key_PageUp: pageList_->MoveItem(true); break;
  case Qt::Key_PageDown: pageList_->MoveItem(false); break;
  case Qt::Key_Delete: pageList_->DeleteSelected(); break;
  default: break;
  }
  update();
}

bool CZyntraScr::eventFilter(QObject* watched, QEvent* event) {
  auto* receiver = qobject_cast<QWidget*>(watched);
  if (!receiver) return false;
  switch (event->type()) {
  case QEvent::ShortcutOverride:
  case QEvent::KeyRelease:
    // Never between the steps of one key-down's way up: the next key-down is a new one, even
    // at the same address.
    lastKey_ = nullptr;
    return false;
  case QEvent::KeyPress: {
    // A key no widget took travels up to the parents and passes here again; it counts once.
    if (event == lastKey_ && lastKeyReceiver_ && receiver != lastKeyReceiver_ &&
        receiver->isAncestorOf(lastKeyReceiver_))
      return false;
    lastKey_ = event;
    lastKeyReceiver_ = receiver;
    if (!IsOwnKeyTarget(receiver)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    return FilterKeyDown(key->key(), key->modifiers(), key->isAutoRepeat());
  }
  case QEvent::Paint:
    if (receiver != dragFrame_) return false;
    PaintDragFrame();
    return true;
  case QEvent::MouseButtonPress:
  case QEvent::MouseMove:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick: return FilterMouse(receiver, event);
  default: return false;
  }
}
