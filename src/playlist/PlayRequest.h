#pragma once

#include <cstdint>

/// First number of the page list's own requests (the first user message number).
inline constexpr int32_t kFirstUserRequest = 1024;

/// Requests of playback to the page list, by the numbers the page list answers. The play and
/// motion tasks send 1025 to 1031; the screen window and the tool bar send 1032, the schedule
/// 1033 and 1034.
enum class PlayRequest : int32_t {
  WM_PLAY_START_OBJECT = 1025, ///< start an object
  WM_PLAY_END_PAGE = 1026,     ///< stop every object of a page whose reserve is false
  WM_PLAY_SET_BG = 1027,       ///< set the screen window's background colour
  WM_PLAY_PAGE_DONE = 1028,    ///< answer pageDone for a page
  WM_PLAY_OBJECT_DONE = 1029,  ///< answer objectDone for an object
  WM_PLAY_CLEANUP_PAGE = 1030, ///< stop reserved objects, hide all, put moved ones back
  WM_PLAY_MOVE_OBJECT = 1031,  ///< move a control's window to a rectangle
  WM_PLAY_TEST = 1032,         ///< test the current page
  WM_PLAY_ALL = 1033,          ///< play without hiding the tool windows
  WM_PLAY_STOP_QUIET = 1034,   ///< stop without showing the tool windows
};

/// Command identifiers of playback in menus and the tool bar.
enum class PlayCommand : int32_t {
  TestPage = 158, ///< test the current page
  Play = 4106,    ///< play the project
  Stop = 4107,    ///< stop playing
};

/// The request's name as written above ("WM_PLAY_START_OBJECT"); "" for another number.
constexpr const char* PlayRequestName(PlayRequest request) {
  switch (request) {
  case PlayRequest::WM_PLAY_START_OBJECT: return "WM_PLAY_START_OBJECT";
  case PlayRequest::WM_PLAY_END_PAGE: return "WM_PLAY_END_PAGE";
  case PlayRequest::WM_PLAY_SET_BG: return "WM_PLAY_SET_BG";
  case PlayRequest::WM_PLAY_PAGE_DONE: return "WM_PLAY_PAGE_DONE";
  case PlayRequest::WM_PLAY_OBJECT_DONE: return "WM_PLAY_OBJECT_DONE";
  case PlayRequest::WM_PLAY_CLEANUP_PAGE: return "WM_PLAY_CLEANUP_PAGE";
  case PlayRequest::WM_PLAY_MOVE_OBJECT: return "WM_PLAY_MOVE_OBJECT";
  case PlayRequest::WM_PLAY_TEST: return "WM_PLAY_TEST";
  case PlayRequest::WM_PLAY_ALL: return "WM_PLAY_ALL";
  case PlayRequest::WM_PLAY_STOP_QUIET: return "WM_PLAY_STOP_QUIET";
  }
  return "";
}
