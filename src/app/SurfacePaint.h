#pragma once

#include <QColor>
#include <QSize>

#include <cstdint>

#include "base/Rect.h"

class QPainter;

/// Drawing of the design surface, shared by the screen window and the headless renderer.
namespace SurfacePaint {

/// Fills the client area with the background colour.
void Background(QPainter& p, QSize client, int32_t bgColor);
/// The design grid: the client rectangle filled with the background and outlined in black,
/// then light grey (226,226,226) lines every `gridWidth` pixels (below 2 counts as 2).
void Grid(QPainter& p, QSize client, int32_t bgColor, int gridWidth);
/// The red band of a frozen object: its rectangle grown by 4 on every side, filled red with a
/// black outline (the object's window covers the middle).
void FrozenFrame(QPainter& p, const Rect& object);
/// The dotted outline of the selection tracker.
void TrackerOutline(QPainter& p, const Rect& r);
/// The eight 8 × 8 white squares with black outlines outside the selected rectangle.
void SelectionSquares(QPainter& p, const Rect& r);

} // namespace SurfacePaint
