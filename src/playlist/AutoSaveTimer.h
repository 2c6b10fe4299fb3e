#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "settings/Settings.h"
#include "playlist/RepeatingTimer.h"

/// Name under which an untitled project is auto-saved, in the current directory.
inline constexpr const char* kAutoSaveFileName = "tempsave.xml";

/// The page list's timer 1: every minute a minute counter goes up, and when the setting
/// "AutoSave" is on and the counter has reached "SaveDelay", the project is saved and the
/// counter starts again from 0. An untitled project is saved as "tempsave.xml" and stays
/// untitled; so does a project whose path is "tempsave.xml". It also runs while a show plays
/// and never touches the modified flag. The path comes from the document, which takes a file's
/// path only once the file has been read as a project, so a file that failed to open is never
/// overwritten by an auto-save.
class AutoSaveTimer {
public:
  /// How the timer reaches the project.
  struct Project {
    /// The project's path; "" = untitled.
    std::function<std::string()> path;
    /// Changes the project's path ("" makes it untitled).
    std::function<void(const std::string&)> setPath;
    /// Writes the project to a file, leaving the modified flag as it is; false when the file
    /// could not be written.
    std::function<bool(const std::string&)> saveTo;
  };

  /// Period of the timer, milliseconds.
  static constexpr int64_t kPeriodMs = 60000;

  /// A stopped timer reading the live `settings` (AutoSave, SaveDelay).
  AutoSaveTimer(Scheduler& scheduler, const Settings& settings, Project project);

  /// Starts the timer (the page list does so when it is created).
  void Start() { timer_.Start(); }
  /// Stops the timer.
  void Stop() { timer_.Stop(); }
  /// One tick of the timer: counts a minute and saves when due.
  void Tick();
  /// The minute counter (0 at start and after each auto-save).
  int32_t MinuteCounter() const { return minutes_; }

private:
  const Settings& settings_;
  Project project_;
  int32_t minutes_ = 0;
  RepeatingTimer timer_;
};
