#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "playlist/PlayRequest.h"

class CControlWrapper;
struct ShowNode;

/// The requests of playback: one method per request (PlayRequest), each handled on the UI thread
/// while the task that sent it waits for the answer. The play, test and motion tasks send 1025
/// to 1031; 1032 to 1034 come from the screen window, the tool bar and the schedule. `Playback`
/// implements every request and answers its own tasks; a test can put a recorder in front of it
/// (Playback::SetRequestTarget).
class PlayHost {
public:
  virtual ~PlayHost() = default;
  /// WM_PLAY_START_OBJECT (1025): z-order, motion task or plain show, the kind's start call.
  virtual void PlayStartObject(ShowNode& object) = 0;
  /// WM_PLAY_END_PAGE (1026): stops every object of the page whose reserve is false, in order.
  virtual void PlayEndPage(ShowNode& page) = 0;
  /// WM_PLAY_SET_BG (1027): the screen window's background colour (0x00BBGGRR); repaint.
  virtual void PlaySetBg(int32_t colour) = 0;
  /// WM_PLAY_PAGE_DONE (1028): sets pageDone for the page.
  virtual void PlayPageDone(ShowNode& page) = 0;
  /// WM_PLAY_OBJECT_DONE (1029): sets objectDone for the object.
  virtual void PlayObjectDone(ShowNode& object) = 0;
  /// WM_PLAY_CLEANUP_PAGE (1030): stops the page's reserved objects, hides every object of the
  /// page and puts each one a motion task has moved back at its design rectangle; repaint.
  virtual void PlayCleanupPage(ShowNode& page) = 0;
  /// WM_PLAY_MOVE_OBJECT (1031): moves the control's window (screen-window client
  /// coordinates); repaint.
  virtual void PlayMoveObject(CControlWrapper& control, const Rect& rect) = 0;
  /// WM_PLAY_TEST (1032): tests the current page, as the test command.
  virtual void PlayTest() = 0;
  /// WM_PLAY_ALL (1033): plays without hiding the tool windows and without a current page.
  virtual void PlayAll() = 0;
  /// WM_PLAY_STOP_QUIET (1034): stops without showing the tool windows.
  virtual void PlayStopQuiet() = 0;
};
