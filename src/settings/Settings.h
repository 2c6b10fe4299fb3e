#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/Rect.h"

// The program's options, kept in "setup.ini" in the working directory at start-up. The file is
// read once while the screen window initialises and written once when it is destroyed; in
// between the options live in a Settings value held by the screen window.

/// Title of the program when no settings file exists.
inline constexpr const char* kDefaultWndTitle = "同步播放系统(Orlume)";
/// Version appended to the title when no settings file exists.
inline constexpr const char* kDefaultVersion = "1.0";

/// Every entry of "setup.ini", named after its entry, with the value used when the file is
/// missing. Flags are stored as 0/1 and read as integer != 0.
struct Settings {
  // [App]
  std::string WndTitle = kDefaultWndTitle; ///< program title; caption is WndTitle + Version
  std::string Version = kDefaultVersion;   ///< appended to WndTitle in the window captions
  std::string CompanyName;                 ///< carried from file to file
  std::string CompanyAddress;              ///< carried from file to file
  std::string CompanyOtherInfo;            ///< carried from file to file
  // [Para]
  bool DelPrompt = false;     ///< ask before deleting an object
  bool TbarReSize = false;    ///< carried; nothing reads it
  bool Magnetism = false;     ///< carried; no other effect
  bool EnableMove = false;    ///< a drag on the empty surface moves the screen window
  int32_t MinWH = 50;         ///< smallest width and height of a new object, pixels
  bool AutoSave = false;      ///< periodic saving of the project
  int32_t SaveDelay = 10;     ///< auto-save interval, minutes
  bool MoveOnPlay = false;    ///< while playing, arrow keys move the screen window
  bool AutoPlay = false;      ///< at start-up, open and play the file named by LFile
  bool SetCfAutoPlay = false; ///< at exit, store the current project's path as LFile
  bool ShowGrid = true;       ///< draw the grid on the design surface
  int32_t GridWidth = 10;     ///< grid spacing, pixels (drawn as at least 2)
  std::string LFile;          ///< file played at start-up (".vrx" project or ".tak" task list)
  bool EnableFlash = false;   ///< carried; nothing reads it
  bool EnableGIF = false;     ///< carried; nothing reads it
  bool AutoClose = false;     ///< timed power-off of the computer
  double CloseTime = 0.0;     ///< power-off time as a date-time number (time of day counts)
  // [Screen]
  int32_t BgColor = 0; ///< background of the design surface, 0x00BBGGRR
  // [Console] (written only when set)
  std::string ConsoleListen; ///< "[ADDR:]PORT" the web console listens on; empty = off
  std::string ConsoleShows;  ///< the console's shows folder; empty = "shows" in the working one

  /// Member-wise comparison.
  friend bool operator==(const Settings&, const Settings&) = default;
};

/// What the screen window does with the loaded settings.
struct SettingsLoadResult {
  /// The file existed (and so the captions and rectangle below come from it).
  bool fileFound = false;
  /// Caption of the screen window: WndTitle followed directly by Version.
  std::string screenCaption;
  /// Caption of the tool bar window; empty when it keeps the caption of its layout.
  std::optional<std::string> toolBarCaption;
  /// Desktop rectangle to move the screen window to; empty when it keeps its place and size.
  std::optional<Rect> screenRect;
};

/// Desktop placement of the program's windows at exit, as the settings file records it.
struct WindowPlacement {
  Rect screen;                         ///< screen window
  Rect toolBar;                        ///< tool bar window
  Rect playList;                       ///< page list window
  std::optional<Point> propertyWindow; ///< top-left of the open property window, if any
};

/// "<directory>/setup.ini": the settings path for the working directory at start-up.
std::string SettingsPathIn(const std::string& directory);

/// Reads the settings file at `path` into `settings`. When the file exists it is first made
/// writable for its owner, and every entry it lacks reads as empty or 0; when it is missing,
/// `settings` gets the defaults. Never fails: an unreadable file reads as all-empty.
SettingsLoadResult LoadSettings(const std::string& path, Settings& settings);

/// Writes `settings` and the window placement to `path`, replacing the file atomically; the
/// old contents are not read, so entries this program does not know are dropped. `LFile` is
/// written as `projectPath` when `SetCfAutoPlay` is set. False when the file cannot be written,
/// in which case the old file stays as it was.
bool SaveSettings(const std::string& path, const Settings& settings, const WindowPlacement& windows,
                  const std::string& projectPath);
