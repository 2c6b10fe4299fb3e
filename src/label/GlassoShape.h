#pragma once

#include <QRect>
#include <cstdint>

class QPainter;

/// `Shape1`, the windowless one-pixel rectangle outline that is the label control's border.
class GlassoShape {
public:
  bool visible = false;
  int32_t borderColor = 0x000000;
  QRect geometry; ///< in the surface's coordinates; the outline runs along its inner edge

  /// Paints the outline when visible.
  void Paint(QPainter& painter) const;
};
