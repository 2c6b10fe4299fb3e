#pragma once

#include <memory>

class CZyntraScr;
class PageListTaskPlayer;

/// Connects the task list dialog to the screen window and its page list (after the page list
/// is made, before auto-play): the page list's play-control command opens it modally, and
/// start-up with a ".tak" file opens it modeless at the bottom left of the screen, playing.
/// While it is open the tool bar, page list and property windows are hidden and the surface's
/// menu is off. Needs the screen window's prompts, scheduler and clock; without them nothing is
/// connected and null is returned. The returned player is shared by every dialog opened.
std::shared_ptr<PageListTaskPlayer> InstallTaskList(CZyntraScr& screen);
