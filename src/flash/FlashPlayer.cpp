#include "flash/FlashPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "flash/FlashWebContext.h"
#include "flash/SwfFile.h"

namespace {

// Passes what the player page says on its console to our log.
class PlayerPage : public QWebEnginePage {
public:
  using QWebEnginePage::QWebEnginePage;

protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override {
    if (message.startsWith(QLatin1String("zyntra-flash: failed")))
      qCWarning(lcFlash).noquote() << message.mid(14);
    else if (level == ErrorMessageLevel)
      qCWarning(lcFlash).noquote() << message << source << line;
    else
      qCDebug(lcFlash).noquote() << message;
  }
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
    // The page never leaves the player: links and scripts in a movie cannot navigate it away.
    return !isMainFrame || url.scheme() == QLatin1String(FlashWebContext::kScheme);
  }
};

// Why `path` cannot be played, or "" when it looks like a movie.
QString Unplayable(const QString& path) {
  QFileInfo info(path);
  if (!info.exists()) return QStringLiteral("does not exist");
  if (!info.isFile()) return QStringLiteral("is not a file");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return file.errorString();
  QString why;
  return SwfFile::CheckHeader(file.read(8), &why) ? QString() : why;
}

} // namespace

FlashPlayer::FlashPlayer(FlashWebContext* context, QWidget* parent)
    : ControlWidget(FlashMembers::kClassId, parent), context_(context), slot_(context->NewSlot()) {
  // The web view is made when the control is first shown: a show of many Flash objects opens
  // without a web page for each, and only the objects on view cost one.
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
}

void FlashPlayer::showEvent(QShowEvent* event) {
  ControlWidget::showEvent(event);
  if (view_) return;
  view_ = new QWebEngineView(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  view_->setPage(new PlayerPage(context_->profile(), view_));
  view_->page()->setBackgroundColor(Qt::black);
  // The page starts in the state its URL gave; a play or stop that came while it loaded is
  // applied once it has.
  connect(view_->page(), &QWebEnginePage::loadFinished, this, [this] { ApplyPlaying(); });
  view_->setUrl(context_->PageUrl(movie_, members_.playing()));
  view_->show();
}

FlashPlayer::~FlashPlayer() { context_->ReleaseSlot(slot_); }

InvokeStatus FlashPlayer::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                 Variant* result) {
  FlashMembers::Change change = FlashMembers::Change::None;
  InvokeStatus status = members_.Invoke(dispid, kind, args, result, &change);
  if (change == FlashMembers::Change::Movie)
    ScheduleLoad();
  else if (change == FlashMembers::Change::Playing && !loadPending_)
    ApplyPlaying();
  return status;
}

// FileName and Loop usually arrive one after the other; the movie loads once for both.
void FlashPlayer::ScheduleLoad() {
  if (loadPending_) return;
  loadPending_ = true;
  QTimer::singleShot(0, this, [this] {
    loadPending_ = false;
    Load();
  });
}

void FlashPlayer::Load() {
  const QString path = QString::fromStdString(members_.fileName());
  QUrl movie;
  if (!path.isEmpty()) {
    QString why = Unplayable(path);
    if (why.isEmpty())
      movie = context_->Publish(slot_, path, !members_.loop());
    else
      qCWarning(lcFlash).noquote() << "cannot play" << path + ":" << why;
  }
  if (movie.isEmpty()) context_->ReleaseSlot(slot_);
  movie_ = movie;
  if (view_) view_->setUrl(context_->PageUrl(movie, members_.playing()));
}

void FlashPlayer::ApplyPlaying() {
  if (!view_) return; // the page is made with the state of the moment
  view_->page()->runJavaScript(
      QStringLiteral("window.zyntraFlash && zyntraFlash.setPlaying(%1)")
          .arg(members_.playing() ? QStringLiteral("true") : QStringLiteral("false")));
}
