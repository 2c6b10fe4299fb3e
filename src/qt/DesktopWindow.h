#pragma once

#include <QRect>
#include <QString>

class QWidget;

/// Places a top-level window by its outer rectangle, frame and title bar included, the way the
/// user sees it on the desktop. A window manager's frame is known only once it has decorated the
/// window, so the placement is applied again whenever the frame's size changes (and only then:
/// a window the user has moved stays where it was put).
void PlaceByFrame(QWidget* window, const QRect& outer);

/// Puts a window's outer top-left corner (frame included) at a desktop point, at its size.
void MoveByFrame(QWidget* window, const QPoint& topLeft);

/// Centres a window, frame included, on the window that owns it (or on the desktop without
/// one), at the size it has now; call before it is shown.
void CentreOnOwner(QWidget* window);

/// Gives every top-level window of the program its object name as its window role, so that
/// window managers and desktop tools can tell the windows apart. Installed once per application.
void NameWindowRoles();

/// Sets a window's caption. An empty caption stays empty on the desktop (Qt alone would show
/// the program's name in its place).
void SetWindowCaption(QWidget* window, const QString& caption);

/// How much a desktop of `logicalDpi` magnifies its text against one of 96 dpi: 2 at Xft.dpi
/// 192, 1.25 at 120; never below 1.
double DesktopScaleAt(double logicalDpi);

/// DesktopScaleAt of the primary screen: the factor by which the tool windows' sizes follow the
/// desktop. 1 when Qt scales the windows itself (the screen then reports 96 dpi) or without a
/// screen.
double DesktopScale();

/// `pixels`, a size made for a 96-dpi desktop, at the desktop's scale, rounded to the nearest.
int DesktopScaled(int pixels);
