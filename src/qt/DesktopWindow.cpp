#include "qt/DesktopWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>
#include <cstring>

#include <xcb/xcb.h>

namespace {

constexpr const char* kPlacerProperty = "zyntraFramePlacer";

// Where a window's outer rectangle goes, given the frame the window manager put around it.
using OuterRect = std::function<QRect(const QMargins& frame)>;

class FramePlacer : public QObject {
public:
  explicit FramePlacer(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
    window->winId(); // the native window, so that its frame can be watched from now on
    if (QWindow* handle = window->windowHandle()) handle->installEventFilter(this);
  }

  void Place(OuterRect outer) {
    outer_ = std::move(outer);
    settled_ = false;
    Apply();
    LookAgainSoon();
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // Placed while it is first shown: a window hidden and shown again (while a show plays)
    // stays where it was.
    if (settled_) return false;
    switch (event->type()) {
    case QEvent::Hide: settled_ = !applied_.isNull(); break;
    case QEvent::Show:
      LookAgainSoon();
      if (Margins() != applied_) Apply();
      break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Expose:
      if (Margins() != applied_) Apply();
      break;
    default: break;
    }
    return false;
  }

private:
  // The frame may become known without any event reaching the window, and Qt may place a
  // window by its inner corner while it still believes it has no frame (a busy desktop
  // decorates late): the first seconds are checked against where the frame really is. Later
  // moves are the user's.
  void LookAgainSoon() {
    for (int ms : {50, 250, 1000, 2000}) {
      QTimer::singleShot(ms, this, [this] {
        if (settled_ || !window_ || !outer_) return;
        if (Margins() != applied_ ||
            window_->frameGeometry().topLeft() != outer_(applied_).topLeft())
          Apply();
      });
    }
  }

  QMargins Margins() const {
    QWindow* handle = window_ ? window_->windowHandle() : nullptr;
    return handle ? handle->frameMargins() : QMargins();
  }

  void Apply() {
    if (!window_ || !outer_) return;
    applied_ = Margins();
    const QRect outer = outer_(applied_);
    const QSize inner(std::max(1, outer.width() - applied_.left() - applied_.right()),
                      std::max(1, outer.height() - applied_.top() - applied_.bottom()));
    if (inner != window_->size()) window_->resize(inner);
    // move() places the frame's corner (setGeometry would place the inner area).
    window_->move(outer.topLeft());
  }

  QPointer<QWidget> window_;
  OuterRect outer_;
  QMargins applied_;
  bool settled_ = false;
};

FramePlacer& PlacerOf(QWidget* window) {
  // One placer per window, found again through a property (it has no meta-object of its own).
  auto* placer = static_cast<FramePlacer*>(window->property(kPlacerProperty).value<QObject*>());
  if (!placer) {
    placer = new FramePlacer(window);
    window->setProperty(kPlacerProperty, QVariant::fromValue(static_cast<QObject*>(placer)));
  }
  return *placer;
}

class RoleNamer : public QObject {
protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* w = qobject_cast<QWidget*>(watched);
      if (w && w->isWindow() && w->windowRole().isEmpty() && !w->objectName().isEmpty())
        w->setWindowRole(w->objectName());
    }
    return false;
  }
};

} // namespace

void PlaceByFrame(QWidget* window, const QRect& outer) {
  PlacerOf(window).Place([outer](const QMargins&) { return outer; });
}

void MoveByFrame(QWidget* window, const QPoint& topLeft) {
  QPointer<QWidget> self = window;
  PlacerOf(window).Place([self, topLeft](const QMargins& frame) {
    return QRect(topLeft, self->size().grownBy(frame));
  });
}

void CentreOnOwner(QWidget* window) {
  QPointer<QWidget> owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  QPointer<QWidget> self = window;
  PlacerOf(window).Place([owner, self](const QMargins& frame) {
    const QSize size = self->size().grownBy(frame);
    QRect area = owner ? owner->frameGeometry() : QRect();
    if (area.isEmpty()) {
      QScreen* screen = self->screen();
      area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    return QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size);
  });
}

void NameWindowRoles() {
  static RoleNamer* namer = nullptr;
  if (namer || !qApp) return;
  namer = new RoleNamer;
  namer->setParent(qApp);
  qApp->installEventFilter(namer);
}

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
      nullptr);
  const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

} // namespace

void SetWindowCaption(QWidget* window, const QString& caption) {
  window->setWindowTitle(caption);
  if (!caption.isEmpty()) return;
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return; // offscreen, Wayland: the platform keeps what it was given
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t netName = Atom(connection, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
  if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, nullptr);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      0, nullptr);
  xcb_flush(connection);
}

double DesktopScaleAt(double logicalDpi) { return std::max(1.0, logicalDpi / 96.0); }

double DesktopScale() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? DesktopScaleAt(screen->logicalDotsPerInchY()) : 1.0;
}

int DesktopScaled(int pixels) { return static_cast<int>(std::lround(pixels * DesktopScale())); }
