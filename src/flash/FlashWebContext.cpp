#include "flash/FlashWebContext.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrlQuery>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <dlfcn.h>

#include "flash/SwfFile.h"

Q_LOGGING_CATEGORY(lcFlash, "zyntra.flash")

namespace {

constexpr const char* kHost = "player";

// Every request that leaves our own scheme is refused: a movie never reaches the network.
class LocalOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    QString scheme = info.requestUrl().scheme();
    if (scheme == QLatin1String(FlashWebContext::kScheme) || scheme == QLatin1String("data") ||
        scheme == QLatin1String("blob"))
      return;
    qCWarning(lcFlash) << "blocked a request to" << info.requestUrl().toDisplayString();
    info.block(true);
  }
};

class SchemeHandler : public QWebEngineUrlSchemeHandler {
public:
  SchemeHandler(FlashWebContext* context)
      : QWebEngineUrlSchemeHandler(context), context_(context) {}

  void requestStarted(QWebEngineUrlRequestJob* job) override {
    const QUrl url = job->requestUrl();
    const QString path = url.path();
    QByteArray body;
    QByteArray mime;
    if (url.host() != QLatin1String(kHost)) {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    if (path == QLatin1String("/index.html")) {
      QFile page(QStringLiteral(":/zyntra-flash/player.html"));
      page.open(QIODevice::ReadOnly);
      body = page.readAll();
      mime = "text/html";
    } else if (path.startsWith(QLatin1String("/ruffle/"))) {
      // Only plain file names inside Ruffle's folder: no sub-folders, no way out of it.
      QString name = path.mid(8);
      QFile file(context_->ruffleDir() + QLatin1Char('/') + name);
      if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')) ||
          !file.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
      }
      body = file.readAll();
      mime = name.endsWith(QLatin1String(".wasm")) ? "application/wasm" : "text/javascript";
    } else if (path.startsWith(QLatin1String("/movie/"))) {
      QString why;
      body = context_->MovieBytes(path.section(QLatin1Char('/'), 2, 2).toInt(), &why);
      if (body.isEmpty()) {
        qCWarning(lcFlash).noquote() << why;
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
      }
      mime = "application/x-shockwave-flash";
    } else {
      job->fail(QWebEngineUrlRequestJob::UrlNotFound);
      return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(body);
    buffer->open(QIODevice::ReadOnly);
    job->reply(mime, buffer);
  }

private:
  FlashWebContext* context_;
};

QString LibraryDir() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryDir), &info) == 0 || !info.dli_fname) return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

} // namespace

void FlashWebContext::RegisterScheme() {
  static bool done = false;
  if (done) return;
  done = true;
  QWebEngineUrlScheme scheme(kScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
  scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme |
                  QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
  QWebEngineUrlScheme::registerScheme(scheme);
}

QString FlashWebContext::FindRuffleDir(QString* searched) {
  QStringList candidates;
  QString fromEnv = qEnvironmentVariable("ZYNTRA_RUFFLE_DIR");
  if (!fromEnv.isEmpty()) candidates << fromEnv;
  QString libDir = LibraryDir();
  if (!libDir.isEmpty()) candidates << libDir + QStringLiteral("/ruffle");
  if (QCoreApplication::instance())
    candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/ruffle");
  if (!libDir.isEmpty()) candidates << libDir + QStringLiteral("/../../share/zyntra/ruffle");
  candidates << QStringLiteral(ZYNTRA_RUFFLE_INSTALL_DIR);
  for (const QString& dir : candidates)
    if (QFileInfo::exists(dir + QStringLiteral("/ruffle.js"))) return QDir::cleanPath(dir);
  if (searched) *searched = candidates.join(QStringLiteral(", "));
  return {};
}

FlashWebContext* FlashWebContext::Instance() {
  static FlashWebContext* instance = nullptr;
  if (instance) return instance;
  QString searched;
  QString dir = FindRuffleDir(&searched);
  if (dir.isEmpty()) {
    qCWarning(lcFlash).noquote() << "Ruffle's player files (ruffle.js) are in none of:" << searched;
    return nullptr;
  }
  RegisterScheme();
  instance = new FlashWebContext(dir);
  return instance;
}

FlashWebContext::FlashWebContext(const QString& ruffleDir)
    : QObject(QCoreApplication::instance()), ruffleDir_(ruffleDir) {
  profile_ = new QWebEngineProfile(this); // off the record: nothing is written to disk
  profile_->installUrlSchemeHandler(kScheme, new SchemeHandler(this));
  profile_->setUrlRequestInterceptor(new LocalOnlyInterceptor(this));
  QWebEngineSettings* s = profile_->settings();
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
  s->setAttribute(QWebEngineSettings::ShowScrollBars, false);
  s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
  s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
}

QUrl FlashWebContext::PageUrl(const QUrl& movie, bool play) const {
  QUrl url;
  url.setScheme(kScheme);
  url.setHost(kHost);
  url.setPath(QStringLiteral("/index.html"));
  if (movie.isEmpty()) return url;
  QUrlQuery query;
  query.addQueryItem(QStringLiteral("movie"), movie.toString());
  query.addQueryItem(QStringLiteral("play"), play ? QStringLiteral("1") : QStringLiteral("0"));
  // Ruffle's GPU renderers only print failures where the web engine renders in software.
  if (qEnvironmentVariable("QT_QUICK_BACKEND") == QLatin1String("software"))
    query.addQueryItem(QStringLiteral("renderer"), QStringLiteral("canvas"));
  url.setQuery(query);
  return url;
}

int FlashWebContext::NewSlot() { return nextSlot_++; }

QUrl FlashWebContext::Publish(int slot, const QString& path, bool playOnce) {
  movies_[slot] = Movie{path, playOnce};
  QUrl url;
  url.setScheme(kScheme);
  url.setHost(kHost);
  url.setPath(QStringLiteral("/movie/%1/%2.swf").arg(slot).arg(++generation_));
  return url;
}

void FlashWebContext::ReleaseSlot(int slot) { movies_.remove(slot); }

QByteArray FlashWebContext::MovieBytes(int slot, QString* why) const {
  auto it = movies_.constFind(slot);
  if (it == movies_.constEnd()) {
    *why = QStringLiteral("no movie is published in slot %1").arg(slot);
    return {};
  }
  QFile file(it->path);
  if (!file.open(QIODevice::ReadOnly)) {
    *why = QStringLiteral("cannot read %1: %2").arg(it->path, file.errorString());
    return {};
  }
  QByteArray bytes = file.readAll();
  if (!it->playOnce) return bytes;
  QByteArray once;
  QString reason;
  if (SwfFile::PlayOnce(bytes, &once, &reason)) return once;
  qCWarning(lcFlash).noquote() << it->path << "loops although Loop is off:" << reason;
  return bytes;
}
