#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>

#include "controls/Variant.h"

class QPainter;

/// `Label1`, the windowless text display of the label control: caption, font, text and
/// background colours, background style and alignment. The control paints it onto its surface.
class GlassoLabel {
public:
  /// Text alignment; the numbers are the control's `Align` values.
  enum Alignment : int16_t { Left = 0, Right = 1, Center = 2 };

  QString caption;
  FontDesc font{"宋体", 9.0, false, false, false, false, 400, 134};
  int32_t foreColor = 0x000000;
  int32_t backColor = 0xFFFFFF;
  bool transparent = false; ///< background style: true paints only the text
  Alignment alignment = Left;
  QRect geometry; ///< in the surface's coordinates

  /// Paints the background (when opaque) and the caption, vertically centred and word-wrapped.
  void Paint(QPainter& painter) const;
};
