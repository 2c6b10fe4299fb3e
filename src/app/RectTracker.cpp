#include "app/RectTracker.h"

#include <QPainter>

#include "app/SurfacePaint.h"

namespace {

constexpr int kCreationMinimum = -1024;

Rect Normalized(Rect r) {
  r.NormalizeRect();
  return r;
}

} // namespace

RectTracker::RectTracker(const Rect& r, unsigned s, int h)
    : rect(r), style(s), handleSize(h), minWidth(2 * h), minHeight(2 * h) {}

RectTracker RectTracker::ForSelection(const Rect& windowRect) {
  return RectTracker(windowRect, DottedLine | ResizeOutside, 6);
}

RectTracker RectTracker::ForCreation(Point anchor) {
  RectTracker t(Rect{anchor.x, anchor.y, anchor.x, anchor.y}, ResizeOutside);
  t.minWidth = t.minHeight = kCreationMinimum;
  t.allowInvert = true;
  return t;
}

Rect RectTracker::HandleRect(int code) const {
  const Rect r = Normalized(rect);
  const int h = handleSize;
  // Side handles sit centred on their side; corner handles touch the rectangle's corners.
  const int cx = r.left + r.Width() / 2 - h / 2, cy = r.top + r.Height() / 2 - h / 2;
  switch (code) {
  case TopLeft: return Rect{r.left - h, r.top - h, r.left, r.top};
  case TopRight: return Rect{r.right, r.top - h, r.right + h, r.top};
  case BottomRight: return Rect{r.right, r.bottom, r.right + h, r.bottom + h};
  case BottomLeft: return Rect{r.left - h, r.bottom, r.left, r.bottom + h};
  case Top: return Rect{cx, r.top - h, cx + h, r.top};
  case Right: return Rect{r.right, cy, r.right + h, cy + h};
  case Bottom: return Rect{cx, r.bottom, cx + h, r.bottom + h};
  case Left: return Rect{r.left - h, cy, r.left, cy + h};
  default: return Rect{};
  }
}

int RectTracker::HitTest(Point p) const {
  if (style & ResizeOutside) {
    for (int code = TopLeft; code <= Left; ++code) {
      if (HandleRect(code).PtInRect(p)) return code;
    }
  }
  return Normalized(rect).PtInRect(p) ? Middle : Nothing;
}

void RectTracker::BeginDrag(int hit, Point from) {
  if (hit < TopLeft || hit > Middle) return;
  dragHit_ = hit;
  dragFrom_ = from;
  dragStart_ = rect;
}

void RectTracker::DragTo(Point p) {
  if (!Dragging()) return;
  const int dx = p.x - dragFrom_.x, dy = p.y - dragFrom_.y;
  Rect r = dragStart_;
  if (dragHit_ == Middle) {
    r.OffsetRect(dx, dy);
    rect = r;
    return;
  }
  const bool left = dragHit_ == TopLeft || dragHit_ == BottomLeft || dragHit_ == Left;
  const bool right = dragHit_ == TopRight || dragHit_ == BottomRight || dragHit_ == Right;
  const bool top = dragHit_ == TopLeft || dragHit_ == TopRight || dragHit_ == Top;
  const bool bottom = dragHit_ == BottomLeft || dragHit_ == BottomRight || dragHit_ == Bottom;
  if (left) r.left += dx;
  if (right) r.right += dx;
  if (top) r.top += dy;
  if (bottom) r.bottom += dy;

  // The minimum holds the moving edge away from the fixed one. An invertible tracker only
  // limits the size, keeping the side the mouse is on.
  auto limit = [this](int32_t& moving, int32_t fixed, int minimum, int sign) {
    const int size = (moving - fixed) * sign;
    const int measured = allowInvert && size < 0 ? -size : size;
    if (measured >= minimum) return;
    const int side = allowInvert && size < 0 ? -1 : 1;
    moving = fixed + side * sign * minimum;
  };
  if (right) limit(r.right, r.left, minWidth, 1);
  if (left) limit(r.left, r.right, minWidth, -1);
  if (bottom) limit(r.bottom, r.top, minHeight, 1);
  if (top) limit(r.top, r.bottom, minHeight, -1);
  rect = r;
}

bool RectTracker::EndDrag() {
  if (!Dragging()) return false;
  dragHit_ = Nothing;
  return !(rect == dragStart_);
}

void RectTracker::CancelDrag() {
  if (!Dragging()) return;
  dragHit_ = Nothing;
  rect = dragStart_;
}

void RectTracker::Draw(QPainter& p) const {
  const Rect r = Normalized(rect);
  if (style & DottedLine) {
    SurfacePaint::TrackerOutline(p, r);
  } else if (style & SolidLine) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.left, r.top, r.Width(), r.Height()).adjusted(0, 0, -1, -1));
  }
  if (style & ResizeOutside) {
    for (int code = TopLeft; code <= Left; ++code) {
      const Rect h = HandleRect(code);
      p.fillRect(QRect(h.left, h.top, h.Width(), h.Height()), Qt::black);
    }
  }
}

void RectTracker::DrawDragRect(QPainter& p) const {
  const Rect r = Normalized(rect);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  // White under black dots: visible on any background and over any object.
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(r.left, r.top, r.Width(), r.Height()).adjusted(0, 0, -1, -1));
  SurfacePaint::TrackerOutline(p, r);
}
