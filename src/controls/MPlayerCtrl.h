#pragma once

#include <cstdint>
#include <string>

#include "controls/MPlayerIds.h"
#include "controls/ControlWidget.h"
#include "base/Scheduler.h"

class QMediaPlayer;
class QAudioOutput;
class QVideoWidget;

/// The movie control: plays a video or audio file with Qt Multimedia, the video filling the
/// control. Answers the media player's dispatch members (file name, position, play count, play
/// state, start, stop and the creation-time flags).
class MPlayerCtrl : public ControlWidget {
public:
  /// Dispatch identifiers of the members the program calls.
  using Dispid = MPlayerIds::Dispid;
  using enum MPlayerIds::Dispid;
  /// Values of the play state member.
  enum PlayState : int32_t { kStopped = 0, kPaused = 1, kPlaying = 2 };

  /// Creates the control; `scheduler` (kept, not owned; it must outlive the control) times the
  /// deferred start.
  MPlayerCtrl(QWidget* parent, Scheduler& scheduler);
  ~MPlayerCtrl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// Loads a file (empty: no media). An unreadable file is logged when it is started.
  void SetFileName(const std::string& fileName);
  /// Starts playing from the current position; nothing happens without a file name.
  void Play();
  /// Stops playing; the play state becomes 0.
  void Stop();
  /// 0 stopped, 1 paused, 2 playing.
  PlayState State() const { return state_; }
  /// Number of complete plays since the last start.
  int PlaysDone() const { return playsDone_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  /// The media player, made on first use with the file name's source.
  QMediaPlayer* Player();
  void BeginPlayback();
  void OnEndOfMedia();
  void Fail(const QString& reason);

  Scheduler& scheduler_;
  QMediaPlayer* player_ = nullptr;
  QAudioOutput* audio_ = nullptr;
  QVideoWidget* video_ = nullptr;

  std::string fileName_;
  int32_t loops_ = 1;
  bool flag17_ = true;
  bool flag3F9_ = true;
  bool enabled_ = true;

  PlayState state_ = kStopped;
  int playsDone_ = 0;
  bool pendingPlay_ = false;
  Scheduler::TimerId pendingTimer_ = 0;
};
