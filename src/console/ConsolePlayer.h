#pragma once

#include <cstdint>
#include <string>

/// What the wall shows, as the console reports it.
struct ConsoleStatus {
  std::string file;          ///< the project's file ("" for an untitled one)
  std::string title;         ///< the project's screen name
  bool playing = false;      ///< a play or test runs
  std::string mode = "idle"; ///< "idle", "play" or "test"
  std::string page;          ///< the playing page, else the current one ("" for none)
  int32_t pageIndex = -1;    ///< its place among the pages, from 0 (-1 for none)
  int32_t pass = 0;          ///< the pass being played, from 1 (0 while idle)
  std::string taskList;      ///< the task list file whose schedule runs ("" for none)
  int32_t task = -1;         ///< the row of its task started last, from 0 (-1 for none)
  std::string taskFile;      ///< that task's project file
};

/// The outcome of a command: done, or why not (the message the program would have shown).
struct ConsoleOutcome {
  bool done = true;
  std::string message;
};

/// The program as the console drives it. The program's side runs every command through the
/// same entry points as its own menu and tool bar, and never shows a dialog for the console:
/// a message the command would have shown comes back in the outcome instead.
class ConsolePlayer {
public:
  virtual ~ConsolePlayer() = default;
  /// The state now.
  virtual ConsoleStatus Status() = 0;
  /// Plays the project from its first page (the 播放 command).
  virtual ConsoleOutcome Play() = 0;
  /// Stops playing (the 停止 command); done also when nothing played.
  virtual ConsoleOutcome Stop() = 0;
  /// Plays the current page without end (the 测试 command).
  virtual ConsoleOutcome Test() = 0;
  /// Opens a project (or starts a task list) from a file of the shows folder. A project with
  /// unsaved changes is kept (not done) unless `discardChanges`.
  virtual ConsoleOutcome Open(const std::string& path, bool discardChanges) = 0;
  /// The screen window as the wall shows it, as PNG bytes at its size; empty when none.
  virtual std::string ScreenPng() = 0;
};
