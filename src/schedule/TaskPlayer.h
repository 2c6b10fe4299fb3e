#pragma once

#include <cstdint>
#include <string>

/// What the schedule asks of the page list that plays the projects. The page list (or an
/// adapter in front of it) implements it; tests record the calls.
class TaskPlayer {
public:
  virtual ~TaskPlayer() = default;
  /// Loads a project file into the page list's document, without asking about the project
  /// loaded now. A file that cannot be opened is reported by the document; the old project stays.
  virtual void OpenProject(const std::string& path) = 0;
  /// Sets how many passes over all pages the next play makes (`playLoops`).
  virtual void SetPassCount(int32_t passes) = 0;
  /// Request 1033 (`WM_PLAY_ALL`): plays the loaded project without hiding the tool windows.
  /// From its return until the passes end or a stop, PlaybackEnded() must answer false.
  virtual void PlayAll() = 0;
  /// Request 1034 (`WM_PLAY_STOP_QUIET`): stops playing without showing the tool windows;
  /// nothing while idle.
  virtual void StopQuietly() = 0;
  /// The page list's playback-ended flag (`playFinished`): true once the last pass has ended or
  /// playing was stopped.
  virtual bool PlaybackEnded() const = 0;
  /// Puts the page list back on the project's first page (its first page item selected).
  virtual void ShowFirstPage() = 0;
};
