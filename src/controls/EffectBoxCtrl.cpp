#include "qt/ColorRef.h"
#include "controls/EffectBoxCtrl.h"

#include <QPainter>
#include <QRegion>

#include "controls/BuiltinArgs.h"

namespace {

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

} // namespace

EffectBoxCtrl::EffectBoxCtrl(QWidget* parent, Scheduler& scheduler)
    : ControlWidget(EffectBoxIds::kClassId, parent), show_(scheduler) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  show_.onEnter = [this](size_t index) { return EnterItem(index); };
  show_.onUpdate = [this] { update(); };
}

// The show's pending timers are cancelled while the scheduler still holds them.
EffectBoxCtrl::~EffectBoxCtrl() { show_.Stop(); }

InvokeStatus EffectBoxCtrl::Invoke(int32_t dispid, InvokeKind kind,
                                   const std::vector<Variant>& args, Variant* result) {
  // No property of this control is indexed.
  if (kind == InvokeKind::PropertyGet && !args.empty()) return InvokeStatus::BadArgs;
  const bool get = kind == InvokeKind::PropertyGet;
  const bool put = IsPutKind(kind);
  const bool method = kind == InvokeKind::Method;
  switch (dispid) {
  case kBgPicture:
    if (get) return Reply(result, Variant::FromString(bgPath_));
    if (!put) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "S")) return InvokeStatus::BadArgs;
    bgPath_ = args[0].toString();
    bgImage_ = bgPath_.empty() ? QImage() : QImage(QString::fromStdString(bgPath_));
    InvalidateFrames();
    return InvokeStatus::Ok;
  case kItemCount:
    if (!get) return InvokeStatus::BadKind;
    return Reply(result, Variant::FromI2(static_cast<int16_t>(show_.Items().size())));
  case kLoopPlay:
  case kStretch:
  case kLoops:
  case kColor: {
    if (get) {
      if (dispid == kLoopPlay) return Reply(result, Variant::FromBool(show_.LoopPlay()));
      if (dispid == kStretch) return Reply(result, Variant::FromBool(stretch_));
      if (dispid == kLoops) return Reply(result, Variant::FromI2(show_.Loops()));
      return Reply(result, Variant::FromI4(color_));
    }
    if (!put) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "N")) return InvokeStatus::BadArgs;
    if (dispid == kLoopPlay) show_.SetLoopPlay(args[0].toBool());
    if (dispid == kLoops) show_.SetLoops(args[0].toI2());
    if (dispid == kStretch) stretch_ = args[0].toBool();
    if (dispid == kColor) color_ = args[0].toI4();
    if (dispid == kStretch || dispid == kColor) InvalidateFrames();
    return InvokeStatus::Ok;
  }
  case kFinished:
    if (!get) return InvokeStatus::BadKind;
    return Reply(result, Variant::FromBool(show_.Finished()));
  case kAutoPlay:
    if (!put) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "N")) return InvokeStatus::BadArgs;
    inputEnabled_ = args[0].toBool();
    setAttribute(Qt::WA_TransparentForMouseEvents, !inputEnabled_);
    return InvokeStatus::Ok;
  case kRemoveAll:
  case kStart:
  case kStop:
    if (!method) return InvokeStatus::BadKind;
    if (!args.empty()) return InvokeStatus::BadArgs;
    if (dispid == kRemoveAll) show_.ClearItems();
    if (dispid == kStart) Restart();
    if (dispid == kStop) Clear();
    return InvokeStatus::Ok;
  case kAddItem:
    if (!method) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "SSNN")) return InvokeStatus::BadArgs;
    show_.AddItem({args[0].toString(), args[1].toString(), args[2].toI2(), args[3].toI2()});
    return InvokeStatus::Ok;
  case kGetItemSource:
  case kGetItemEffect:
  case kGetItemSpeed:
  case kGetItemDelay:
    if (!method) return InvokeStatus::BadKind;
    return InvokeItem(dispid, args, result);
  default: return InvokeStatus::UnknownMember;
  }
}

InvokeStatus EffectBoxCtrl::InvokeItem(int32_t dispid, const std::vector<Variant>& args,
                                       Variant* result) {
  if (!ArgsMatch(args, "N")) return InvokeStatus::BadArgs;
  int index = args[0].toI2();
  const auto& items = show_.Items();
  if (index < 1 || static_cast<size_t>(index) > items.size()) return InvokeStatus::Failed;
  const SlideItem& item = items[index - 1];
  switch (dispid) {
  case kGetItemSource: return Reply(result, Variant::FromString(item.path));
  case kGetItemEffect: return Reply(result, Variant::FromString(item.effect));
  case kGetItemSpeed: return Reply(result, Variant::FromI2(item.speed));
  default: return Reply(result, Variant::FromI2(item.stay));
  }
}

bool EffectBoxCtrl::EnterItem(size_t index) {
  oldPicture_ = newPicture_;
  oldFrame_ = newFrame_;
  const std::string& path = show_.Items()[index].path;
  newPicture_ = path.empty() ? QImage() : QImage(QString::fromStdString(path));
  newFrame_ = QImage();
  return !newPicture_.isNull();
}

void EffectBoxCtrl::Restart() {
  Clear();
  show_.Start();
}

void EffectBoxCtrl::Clear() {
  show_.Stop();
  oldPicture_ = newPicture_ = QImage();
  InvalidateFrames();
}

void EffectBoxCtrl::InvalidateFrames() {
  oldFrame_ = newFrame_ = QImage();
  update();
}

QImage EffectBoxCtrl::ComposeFrame(const QImage& picture) const {
  QImage frame(size(), QImage::Format_ARGB32_Premultiplied);
  QPainter p(&frame);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.fillRect(frame.rect(), ColorFromRef(color_));
  if (!bgImage_.isNull()) p.drawImage(frame.rect(), bgImage_);
  if (!picture.isNull()) {
    if (stretch_) {
      p.drawImage(frame.rect(), picture);
    } else {
      p.drawImage((width() - picture.width()) / 2, (height() - picture.height()) / 2, picture);
    }
  }
  return frame;
}

void EffectBoxCtrl::paintEvent(QPaintEvent*) {
  if (width() <= 0 || height() <= 0) return;
  if (oldFrame_.isNull() || oldFrame_.size() != size()) oldFrame_ = ComposeFrame(oldPicture_);
  QPainter p(this);
  p.drawImage(0, 0, oldFrame_);
  if (show_.Current() < 0) return; // stopped: the background alone
  if (newFrame_.isNull() || newFrame_.size() != size()) newFrame_ = ComposeFrame(newPicture_);
  TransitionFrame f = TransitionGeometry(show_.Effect(), width(), height(), show_.Progress());
  QRegion visible;
  for (const Rect& r : f.visible)
    visible += ToQRect(r);
  if (visible.isEmpty()) return;
  p.setClipRegion(visible);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(ToQRect(f.target), newFrame_);
}

void EffectBoxCtrl::resizeEvent(QResizeEvent* event) {
  InvalidateFrames();
  ControlWidget::resizeEvent(event);
}
