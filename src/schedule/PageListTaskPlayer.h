#pragma once

#include <QPointer>

#include <cstdint>
#include <string>

#include "schedule/TaskPlayer.h"

class CZyntraScr;
class Playback;

/// The schedule's player on the real page list: projects are opened through the page list's
/// document and the first page is selected in its tree; playing goes through the page list's
/// requests 1033 and 1034 to its playback engine. Without an engine playback counts as ended.
/// The screen window may go first; every call then does nothing.
class PageListTaskPlayer : public TaskPlayer {
public:
  /// A player on the page list of `screen`.
  explicit PageListTaskPlayer(CZyntraScr& screen);

  void OpenProject(const std::string& path) override;
  void SetPassCount(int32_t passes) override;
  void PlayAll() override;
  void StopQuietly() override;
  bool PlaybackEnded() const override;
  void ShowFirstPage() override;

private:
  /// The page list's playback engine; null when there is none (no scheduler) or no screen.
  Playback* Engine() const;

  QPointer<CZyntraScr> screen_;
};
