#pragma once

#include <algorithm>
#include <cstdint>

/// A point in window coordinates.
struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

/// A rectangle by its edges (right and bottom exclusive), as window rectangles are kept.
struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  /// Width, negative when the edges are swapped.
  int32_t Width() const { return right - left; }
  /// Height, negative when the edges are swapped.
  int32_t Height() const { return bottom - top; }
  /// True when the width or the height is not positive.
  bool IsEmpty() const { return right <= left || bottom <= top; }
  /// Swaps edges so that left <= right and top <= bottom.
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  /// True when the point lies inside, left/top edges included, right/bottom excluded.
  bool PtInRect(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  /// Moves the rectangle by dx, dy.
  void OffsetRect(int32_t dx, int32_t dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};
