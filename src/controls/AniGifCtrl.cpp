#include "controls/AniGifCtrl.h"

#include <QMovie>
#include <QPainter>

#include "controls/BuiltinArgs.h"

AniGifCtrl::AniGifCtrl(QWidget* parent, Scheduler& scheduler)
    : ControlWidget(AniGifIds::kClassId, parent), scheduler_(scheduler) {}

AniGifCtrl::~AniGifCtrl() {
  if (timer_ != 0) scheduler_.cancel(timer_);
}

InvokeStatus AniGifCtrl::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                Variant* result) {
  if (kind == InvokeKind::PropertyGet && !args.empty()) return InvokeStatus::BadArgs;
  switch (dispid) {
  case kFileName:
    if (kind == InvokeKind::PropertyGet) return Reply(result, Variant::FromString(fileName_));
    if (!IsPutKind(kind)) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "S")) return InvokeStatus::BadArgs;
    fileName_ = args[0].toString();
    Load();
    return InvokeStatus::Ok;
  case kAutoPlay:
    if (!IsPutKind(kind)) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "N")) return InvokeStatus::BadArgs;
    animate_ = args[0].toBool();
    Rewind();
    return InvokeStatus::Ok;
  default: return InvokeStatus::UnknownMember;
  }
}

void AniGifCtrl::Load() {
  movie_.reset();
  if (!fileName_.empty()) {
    auto movie = std::make_unique<QMovie>(QString::fromStdString(fileName_));
    // Every frame is kept, so that looping back to the first one needs no reading.
    movie->setCacheMode(QMovie::CacheAll);
    if (movie->isValid() && movie->jumpToFrame(0)) movie_ = std::move(movie);
  }
  Rewind();
}

void AniGifCtrl::Rewind() {
  if (timer_ != 0) scheduler_.cancel(timer_);
  timer_ = 0;
  if (movie_) {
    movie_->jumpToFrame(0);
    ScheduleNext();
  }
  update();
}

void AniGifCtrl::ScheduleNext() {
  if (!animate_ || !movie_ || movie_->frameCount() == 1) return;
  int delay = movie_->nextFrameDelay();
  timer_ = scheduler_.callAfter(delay < kMinFrameMs ? kDefaultFrameMs : delay, [this] {
    timer_ = 0;
    NextFrame();
  });
}

void AniGifCtrl::NextFrame() {
  int next = movie_->currentFrameNumber() + 1;
  int count = movie_->frameCount();
  // The animation loops for ever, whatever loop count the file asks for.
  if ((count > 0 && next >= count) || !movie_->jumpToNextFrame()) movie_->jumpToFrame(0);
  ScheduleNext();
  update();
}

void AniGifCtrl::paintEvent(QPaintEvent*) {
  if (!movie_) return;
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(rect(), movie_->currentImage());
}
