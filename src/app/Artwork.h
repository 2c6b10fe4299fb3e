#pragma once

#include <QIcon>

/// The program's own icons, drawn in code so that no image files need shipping.
namespace Artwork {

/// The program icon: a small LED wall.
QIcon ProgramIcon();
/// The 16 × 16 image of a tool bar strip position (0 … 17; separators get a placeholder).
QIcon ToolBarImage(int position);
/// The 16 × 16 tree image by index: 0 screen, 1 page, 2 text, 3 picture, 4 clock, 5 movie,
/// 6 Flash, 7 GIF and RTF text, 8 program, 9 unused.
QIcon TreeImage(int index);
/// The 16 × 16 images of the page list's seven buttons (new page, delete, freeze, properties,
/// full screen, up, down).
QIcon PageListImage(int button);

} // namespace Artwork
