#pragma once

#include <QTextDocument>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/RtfTextIds.h"
#include "controls/ControlWidget.h"
#include "controls/RtfDocument.h"
#include "controls/RtfLayout.h"
#include "base/Scheduler.h"

/// The RTF text control: shows an RTF or text file laid out at the control's width, screenful
/// after screenful, each entering, staying and leaving by the chosen styles, run after run.
/// Time comes from a Scheduler, so a show can run in virtual time.
class RtfTextCtrl : public ControlWidget {
public:
  /// Dispatch identifiers of the members the program calls.
  using Dispid = RtfTextIds::Dispid;
  using enum RtfTextIds::Dispid;

  /// Creates the control; `scheduler` (kept, not owned; it must outlive the control) drives the
  /// show.
  RtfTextCtrl(QWidget* parent, Scheduler& scheduler);
  ~RtfTextCtrl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// Loads an RTF or text file and lays it out; a missing file shows nothing.
  void SetFileName(const std::string& fileName);
  /// Lays the text out again at the control's current size.
  void Prepare();
  /// Starts the show from its first screenful with the current settings.
  void Start();
  /// Stops the show and clears the control.
  void Stop();
  /// True once the last run has ended.
  bool Finished() const { return finished_; }
  /// The lines of the current layout, in document pixels.
  const std::vector<RtfLineBox>& Lines() const { return lines_; }
  /// The screenfuls of the current layout.
  std::vector<RtfScreenful> Screenfuls() const;
  /// What is shown now: the screenful (-1 for none) and its offset from its place.
  RtfFrame CurrentFrame() const;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  enum class Mode { Preview, Playing, Cleared };

  void LayOut();
  void Tick();
  void CancelTimer();
  RtfShowSettings Settings() const;

  Scheduler& scheduler_;
  QTextDocument text_;
  RtfDocument content_;
  std::vector<RtfLineBox> lines_;
  RtfLayout show_;

  int16_t playSpeed_ = 50;
  std::string inStyle_ = "无";
  std::string outStyle_ = "无";
  int16_t delayTime_ = 3;
  std::string fileName_;
  bool loopPlay_ = false;
  int16_t loops_ = 1;
  int32_t color_ = 0xFFFFFF;
  bool creationFlag_ = true;

  Mode mode_ = Mode::Preview;
  bool finished_ = false;
  int64_t startMs_ = 0;
  Scheduler::TimerId timer_ = 0;
  RtfFrame frame_;
};
