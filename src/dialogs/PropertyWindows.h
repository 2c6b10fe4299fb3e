#pragma once

class CZyntraScr;
class QWidget;

/// Makes the modeless property window of a kind code (120 = the screen and its current page,
/// otherwise an object kind) as a window of `screen`, hidden and not yet bound; null for a code
/// without one. Every window made here implements PropertyWindow.
QWidget* CreatePropertyWindow(int code, CZyntraScr& screen);
