#pragma once

#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>

#include "schedule/TaskPlayer.h"

class CZyntraScr;

/// The schedule's player on the real page list: projects are opened through the page list's
/// document and the first page is selected in its tree. Playing itself is the playback
/// engine's: until `engine` is connected, nothing plays and playback counts as ended.
/// The screen window may go first; every call then does nothing.
class PageListTaskPlayer : public TaskPlayer {
public:
  /// The playback engine's side of the schedule.
  struct Engine {
    /// Sets the page list's `playLoops`.
    std::function<void(int32_t passes)> setPlayLoops;
    /// Request 1033, `WM_PLAY_ALL`; must clear `playFinished` before it returns.
    std::function<void()> playAll;
    /// Request 1034, `WM_PLAY_STOP_QUIET`.
    std::function<void()> playStopQuiet;
    /// The page list's `playFinished`.
    std::function<bool()> playFinished;
  };

  /// A player on the page list of `screen`.
  explicit PageListTaskPlayer(CZyntraScr& screen);

  void OpenProject(const std::string& path) override;
  void SetPassCount(int32_t passes) override;
  void PlayAll() override;
  void StopQuietly() override;
  bool PlaybackEnded() const override;
  void ShowFirstPage() override;

  /// The connected playback engine; empty functions are skipped.
  Engine engine;

private:
  QPointer<CZyntraScr> screen_;
};
