#pragma once

#include <QImage>

#include "controls/EffectBoxIds.h"
#include "controls/ControlWidget.h"
#include "controls/SlideShow.h"

/// The picture-effect control: a list of pictures shown one after another, each entering over
/// the previous one with a named transition, on a background colour and picture.
class EffectBoxCtrl : public ControlWidget {
public:
  /// The dispatch members.
  using Dispid = EffectBoxIds::Dispid;
  using enum EffectBoxIds::Dispid;

  /// A control timed by `scheduler` (kept, not owned; it must outlive the control).
  EffectBoxCtrl(QWidget* parent, Scheduler& scheduler);
  ~EffectBoxCtrl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  InvokeStatus InvokeItem(int32_t dispid, const std::vector<Variant>& args, Variant* result);
  bool EnterItem(size_t index);
  void Restart();
  void Clear();
  void InvalidateFrames();
  QImage ComposeFrame(const QImage& picture) const;

  SlideShow show_;
  std::string bgPath_;
  QImage bgImage_;
  bool stretch_ = false;
  int32_t color_ = 0;
  bool inputEnabled_ = true;
  QImage oldPicture_; // what the entering picture covers; null = background
  QImage newPicture_; // the current item's picture; null = background (or missing)
  QImage oldFrame_;   // the pictures composed on the background at the control's size
  QImage newFrame_;
};
