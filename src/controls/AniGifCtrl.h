#pragma once

#include <memory>

#include "controls/AniGifIds.h"
#include "controls/ControlWidget.h"
#include "base/Scheduler.h"

class QMovie;

/// The animated-GIF control: shows a GIF scaled to fill the control, animated in a loop or
/// still on its first frame. Frames advance by the scheduler, at the delays the file gives.
class AniGifCtrl : public ControlWidget {
public:
  /// The dispatch members.
  using Dispid = AniGifIds::Dispid;
  using enum AniGifIds::Dispid;
  /// Shortest frame delay honoured; shorter ones (often 0) play at kDefaultFrameMs, as viewers do.
  static constexpr int kMinFrameMs = 20;
  /// Delay of frames that give none or a too short one.
  static constexpr int kDefaultFrameMs = 100;

  /// A control timed by `scheduler` (kept, not owned; it must outlive the control).
  AniGifCtrl(QWidget* parent, Scheduler& scheduler);
  ~AniGifCtrl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void Load();
  void Rewind();
  void ScheduleNext();
  void NextFrame();

  Scheduler& scheduler_;
  std::string fileName_;
  bool animate_ = false;
  std::unique_ptr<QMovie> movie_; // null when the file is missing or unreadable
  Scheduler::TimerId timer_ = 0;
};
