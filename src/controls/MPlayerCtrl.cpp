#include "controls/MPlayerCtrl.h"

#include <QDebug>
#include <QFileInfo>
#include <QPalette>
#include <QUrl>
#include <QVBoxLayout>

#ifdef ZYNTRA_HAVE_MULTIMEDIA
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QVideoWidget>
#endif

#include "controls/BuiltinArgs.h"

namespace {

// How long a start waits for the control to be shown before it plays anyway. GStreamer's video
// sink sometimes fails to link when playing starts before its window exists, so a start on a
// hidden control waits for the show that page start brings right after.
constexpr int64_t kShowWaitMs = 1000;

QUrl SourceUrl(const std::string& fileName) {
  QString name = QString::fromStdString(fileName);
  if (name.contains(QLatin1String("://"))) return QUrl(name);
  return QUrl::fromLocalFile(name);
}

} // namespace

MPlayerCtrl::MPlayerCtrl(QWidget* parent, Scheduler& scheduler)
    : ControlWidget(MPlayerIds::kClassId, parent), scheduler_(scheduler) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  // The media player and its video widget are made when a movie first plays or seeks: a show
  // of many movie objects opens without a media pipeline for each.
}

#ifdef ZYNTRA_HAVE_MULTIMEDIA
QMediaPlayer* MPlayerCtrl::Player() {
  if (player_) return player_;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  video_ = new QVideoWidget(this);
  video_->setAspectRatioMode(Qt::IgnoreAspectRatio); // the video fills the control
  layout->addWidget(video_);
  video_->setVisible(true);
  audio_ = new QAudioOutput(this);
  player_ = new QMediaPlayer(this);
  player_->setAudioOutput(audio_);
  player_->setVideoOutput(video_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::EndOfMedia) OnEndOfMedia();
    if (s == QMediaPlayer::InvalidMedia && state_ != kStopped) Fail(player_->errorString());
  });
  connect(player_, &QMediaPlayer::errorOccurred, this,
          [this](QMediaPlayer::Error, const QString& text) {
            if (state_ != kStopped) Fail(text);
          });
  connect(player_, &QMediaPlayer::playbackStateChanged, this,
          [this](QMediaPlayer::PlaybackState s) {
            // The player's own stopped state is not ours: between two plays of a loop the player
            // stops for a moment, and the page logic must not take that for the end.
            if (s == QMediaPlayer::PausedState && state_ == kPlaying) state_ = kPaused;
            if (s == QMediaPlayer::PlayingState && state_ == kPaused) state_ = kPlaying;
          });
  if (!fileName_.empty()) player_->setSource(SourceUrl(fileName_));
  return player_;
}
#endif

MPlayerCtrl::~MPlayerCtrl() {
  if (pendingTimer_) scheduler_.cancel(pendingTimer_);
}

InvokeStatus MPlayerCtrl::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                 Variant* result) {
  const bool get = kind == InvokeKind::PropertyGet;
  const bool put = IsPutKind(kind);
  auto boolFlag = [&](bool& flag) {
    if (get) return Reply(result, Variant::FromBool(flag));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = NumberArg(args);
    if (!v) return InvokeStatus::BadArgs;
    flag = v->toBool();
    return InvokeStatus::Ok;
  };
  switch (dispid) {
  case kFileName: {
    if (get) return Reply(result, Variant::FromString(fileName_));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = StringArg(args);
    if (!v) return InvokeStatus::BadArgs;
    SetFileName(v->toString());
    return InvokeStatus::Ok;
  }
  case kCurrentPosition: {
#ifdef ZYNTRA_HAVE_MULTIMEDIA
    if (get) return Reply(result, Variant::FromR8(player_ ? player_->position() / 1000.0 : 0.0));
#else
    if (get) return Reply(result, Variant::FromR8(0.0));
#endif
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = NumberArg(args);
    if (!v) return InvokeStatus::BadArgs;
    double seconds = v->toR8();
    if (!(seconds >= 0.0)) seconds = 0.0; // negative and NaN seek to the start
#ifdef ZYNTRA_HAVE_MULTIMEDIA
    Player()->setPosition(static_cast<qint64>(std::min(seconds, 1e9) * 1000.0));
#endif
    return InvokeStatus::Ok;
  }
  case kPlayCount: {
    if (get) return Reply(result, Variant::FromI4(loops_));
    if (!put) return InvokeStatus::BadKind;
    const Variant* v = NumberArg(args);
    if (!v) return InvokeStatus::BadArgs;
    loops_ = v->toI4();
    return InvokeStatus::Ok;
  }
  case kPlayState:
    if (get) return Reply(result, Variant::FromI4(state_));
    return InvokeStatus::BadKind;
  case kShowControls: return boolFlag(flag17_);
  case kAutoStart: return boolFlag(flag3F9_);
  case kEnabled: return boolFlag(enabled_);
  case kPlay:
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    Play();
    return InvokeStatus::Ok;
  case kStop:
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    Stop();
    return InvokeStatus::Ok;
  default: return InvokeStatus::UnknownMember;
  }
}

void MPlayerCtrl::SetFileName(const std::string& fileName) {
  Stop();
  fileName_ = fileName;
#ifdef ZYNTRA_HAVE_MULTIMEDIA
  if (player_) player_->setSource(fileName.empty() ? QUrl() : SourceUrl(fileName));
#endif
}

void MPlayerCtrl::Play() {
  if (fileName_.empty()) return;
  if (pendingTimer_) scheduler_.cancel(pendingTimer_);
  pendingTimer_ = 0;
  playsDone_ = 0;
#ifdef ZYNTRA_HAVE_MULTIMEDIA
  QUrl url = SourceUrl(fileName_);
  if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isFile()) {
    state_ = kPlaying; // so that Fail() logs it
    Fail(QStringLiteral("no such file"));
    return;
  }
  if (Player()->mediaStatus() == QMediaPlayer::InvalidMedia) {
    state_ = kPlaying;
    Fail(player_->errorString());
    return;
  }
  state_ = kPlaying;
  if (isVisible()) {
    BeginPlayback();
    return;
  }
  pendingPlay_ = true;
  pendingTimer_ = scheduler_.callAfter(kShowWaitMs, [this] {
    pendingTimer_ = 0;
    if (pendingPlay_) BeginPlayback();
  });
#else
  qWarning("movie: cannot play \"%s\": this build has no media support", fileName_.c_str());
#endif
}

void MPlayerCtrl::Stop() {
  if (pendingTimer_) scheduler_.cancel(pendingTimer_);
  pendingTimer_ = 0;
  pendingPlay_ = false;
  state_ = kStopped;
#ifdef ZYNTRA_HAVE_MULTIMEDIA
  if (player_) player_->stop();
#endif
}

void MPlayerCtrl::showEvent(QShowEvent* event) {
  ControlWidget::showEvent(event);
  if (pendingPlay_) BeginPlayback();
}

void MPlayerCtrl::BeginPlayback() {
  pendingPlay_ = false;
  if (pendingTimer_) scheduler_.cancel(pendingTimer_);
  pendingTimer_ = 0;
#ifdef ZYNTRA_HAVE_MULTIMEDIA
  if (state_ != kStopped) Player()->play();
#endif
}

void MPlayerCtrl::OnEndOfMedia() {
  if (state_ == kStopped) return;
  ++playsDone_;
  if (loops_ == 0 || playsDone_ < loops_) {
#ifdef ZYNTRA_HAVE_MULTIMEDIA
    player_->setPosition(0);
    player_->play();
#endif
    return;
  }
  state_ = kStopped;
}

void MPlayerCtrl::Fail(const QString& reason) {
  if (state_ == kStopped) return;
  qWarning().noquote() << "movie: cannot play" << QString::fromStdString(fileName_) << "-"
                       << reason;
  pendingPlay_ = false;
  if (pendingTimer_) scheduler_.cancel(pendingTimer_);
  pendingTimer_ = 0;
  state_ = kStopped;
#ifdef ZYNTRA_HAVE_MULTIMEDIA
  if (player_) player_->stop();
#endif
}
