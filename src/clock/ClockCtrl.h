#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>
#include <string>

#include "clock/ClockText.h"
#include "clock/DialGeometry.h"
#include "controls/ClockIds.h"
#include "controls/ControlWidget.h"
#include "base/Scheduler.h"

class LocalClock;
class Prompts;
class QLabel;

/// The `clock` control: a dial clock, a countdown (dial or digits), date/time/weekday texts, a
/// day counter or the lunar date, driven only through Invoke. Its drawing surface is a pixel
/// image in a 200 × 200 drawing scale (the dial stretched to the control's proportions) under
/// the text label and the border. It ticks on the scheduler it was created with and shows the
/// time of the local clock it was created with.
class ClockCtrl : public ControlWidget {
public:
  /// A new clock (creation and new-instance values) as a child of `parent`: ticking on
  /// `scheduler`, showing the time of `clock`, choosing fonts with `prompts` (all kept, not
  /// owned; they must outlive the clock).
  ClockCtrl(QWidget* parent, Scheduler& scheduler, LocalClock& clock, Prompts& prompts);
  ~ClockCtrl() override;

  /// Calls a member of the clock's interface by DISPID.
  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// Number of clocks alive in the process (DllCanUnloadNow).
  static int LiveCount();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  InvokeStatus InvokeField(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                           Variant* result);
  InvokeStatus InvokeProperty(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                              Variant* result);

  // Ticking.
  void SetPlay(bool play);
  void ScheduleTick(bool fromPlay);
  void Tick();
  void Reset();
  void SetFont();

  // Display passes.
  void ShowTimer(int style);
  void DrawTimer();
  void DrawFace();
  void ClearSurface();
  void ShowText(const QString& caption);
  void ShowCountdownText();
  void ShowDialDate();
  void ShowDateTimeText(const TextSelectors& selectors);
  void ShowDayCounter();
  void ShowLunarDate();

  // Drawing in the 200 × 200 scale.
  QPointF ToPixels(const DialPointF& p) const;
  void DrawScaledEllipse(QPainter& painter, double r, const QColor& color, double width);
  void DrawHand(QPainter& painter, const HandShape& hand, const QColor& color);

  ClockTime Sample() const { return ClockTime{sampleHour_, sampleMinute_, sampleSecond_}; }
  ClockRetouch Retouch() const {
    return ClockRetouch{retouchHour_, retouchMinute_, retouchSecond_};
  }
  bool IsDialStyle() const { return style_ == 0 || style_ == 2 || style_ == 3; }

  // Public fields.
  int16_t retouchHour_ = 0;
  int16_t retouchMinute_ = 0;
  int16_t retouchSecond_ = 0;
  int16_t style_ = kStyleDial;
  int16_t totalTime_ = 2;
  double targetDate_ = 0;
  std::string preText_ = "还有";
  std::string lasText_ = "天";
  bool finished_ = false;

  // Private state: the time sample of the last tick (or the elapsed countdown) and the dial.
  int sampleHour_ = 0;
  int sampleMinute_ = 0;
  int sampleSecond_ = 0;
  DialFrame frame_;

  // The seams.
  Scheduler& scheduler_;
  LocalClock& clock_;
  Prompts& prompts_;

  // Timer1.
  bool playing_ = false;
  Scheduler::TimerId tickId_ = 0;
  int64_t nextDue_ = 0;

  // The surface, Shape1 (the border) and Label1 (the text).
  QImage surface_;
  int32_t bgColor_ = 0x000000;
  int32_t fillColor_ = 0x000000;
  bool transparent_ = false;
  bool border_ = true;
  int32_t borderColor_ = 0xFFFFFF;
  int32_t fgColor_ = 0x00FF00;
  QLabel* label_ = nullptr;
};
