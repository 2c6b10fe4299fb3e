#pragma once

#include "base/Rect.h"

class QPainter;

/// The rectangle tracker of the design surface: a rectangle in the screen window's client
/// coordinates with eight resize handles around it. It answers which part of it a point is on,
/// follows a drag from a handle (the edges of that handle follow the mouse) or from the middle
/// (the whole rectangle follows), and draws itself. The drag is fed by the surface's own mouse
/// handlers: BeginDrag on the press, DragTo on every movement, EndDrag on the release.
class RectTracker {
public:
  /// What a point is on. The numbers are fixed: callers store and compare them.
  enum HitCode : int {
    Nothing = -1,
    TopLeft = 0,
    TopRight = 1,
    BottomRight = 2,
    BottomLeft = 3,
    Top = 4,
    Right = 5,
    Bottom = 6,
    Left = 7,
    Middle = 8,
  };
  /// Style flags.
  enum Style : unsigned {
    SolidLine = 1,      ///< solid outline
    DottedLine = 2,     ///< dotted outline
    ResizeOutside = 16, ///< handles outside the rectangle
  };
  /// Handle size of a tracker made without one.
  static constexpr int kDefaultHandleSize = 6;

  /// A tracker on `rect`; without a minimum size it is twice the handle size.
  RectTracker(const Rect& rect, unsigned style, int handleSize = kDefaultHandleSize);
  /// The tracker of a selected object: dotted outline, handles outside, handle size 6; it
  /// cannot be turned inside out or made smaller than its minimum.
  static RectTracker ForSelection(const Rect& windowRect);
  /// The tracker of an object being drawn: the empty rectangle at the press point, handles
  /// outside, minimum size −1024 × −1024 so that it may be dragged past its anchor in any
  /// direction.
  static RectTracker ForCreation(Point anchor);

  /// The rectangle (while dragging, where the drag has taken it).
  Rect rect;
  /// Style flags (Style).
  unsigned style;
  /// Side of the square handles used for hit testing, pixels.
  int handleSize;
  /// Smallest width and height a resize leaves (negative: no limit).
  int minWidth, minHeight;
  /// A resize may move an edge past the opposite one.
  bool allowInvert = false;

  /// The part of the tracker under a point: a handle (0 … 7) first, then Middle inside the
  /// rectangle (right and bottom edges excluded), else Nothing.
  int HitTest(Point p) const;
  /// The hit-test square of a handle (TopLeft … Left) outside the rectangle; empty for other
  /// codes.
  Rect HandleRect(int code) const;

  /// Starts a drag of the part `hit` (a handle or Middle) from the point `from`; Nothing does
  /// not start one.
  void BeginDrag(int hit, Point from);
  /// Follows the mouse to `p`: the dragged handle's edges, or the whole rectangle from Middle,
  /// move by the distance from the start point; the minimum size is kept.
  void DragTo(Point p);
  /// Ends the drag where it is; true when the rectangle differs from where it started.
  bool EndDrag();
  /// Ends the drag and puts the rectangle back where it started.
  void CancelDrag();
  /// True between BeginDrag and EndDrag or CancelDrag.
  bool Dragging() const { return dragHit_ != Nothing; }

  /// Draws the tracker at rest: the outline of its style and its handles.
  void Draw(QPainter& p) const;
  /// Draws the rectangle of a drag in progress: black dots on white.
  void DrawDragRect(QPainter& p) const;

private:
  int dragHit_ = Nothing;
  Point dragFrom_;
  Rect dragStart_;
};
