#pragma once

#include <QHash>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QUrl>

class QWebEngineProfile;

Q_DECLARE_LOGGING_CATEGORY(lcFlash)

/// The web side shared by every Flash player of the process: one off-the-record profile whose
/// pages reach nothing but the zyntra-flash: scheme, which serves the player page, Ruffle's files
/// and the movies the players published.
class FlashWebContext : public QObject {
public:
  /// The URL scheme of the player page, Ruffle and the movies.
  static constexpr const char* kScheme = "zyntra-flash";

  /// Registers the URL scheme with the web engine. Must run before the first web engine object
  /// exists; Instance() does it, and calling it again does nothing.
  static void RegisterScheme();
  /// Folder with Ruffle's self-hosted files (ruffle.js), searched in ZYNTRA_RUFFLE_DIR, beside
  /// this library, beside the executable and in the data folder (lib/zyntra/../../share/zyntra,
  /// then the configured install prefix). Empty when none has it;
  /// `*searched` then lists the folders tried.
  static QString FindRuffleDir(QString* searched = nullptr);
  /// The process's context, made on first use (owned by the application object). Null, with the
  /// reason logged, when Ruffle's files are missing.
  static FlashWebContext* Instance();

  /// The profile every player page uses.
  QWebEngineProfile* profile() const { return profile_; }
  /// The player page: empty when `movie` is empty, else playing `movie` (or paused on its first
  /// frame when `play` is false).
  QUrl PageUrl(const QUrl& movie, bool play) const;
  /// A new slot for one player's movie.
  int NewSlot();
  /// Publishes `path` in `slot` and returns its URL; `playOnce` serves it rewritten so that the
  /// main timeline stops on its last frame. Each call gives a new URL, so nothing stale is reused.
  QUrl Publish(int slot, const QString& path, bool playOnce);
  /// Withdraws `slot`: its movie is no longer served.
  void ReleaseSlot(int slot);

  /// What the scheme handler serves for one movie request; empty with `*why` when it cannot.
  QByteArray MovieBytes(int slot, QString* why) const;
  /// Ruffle's folder.
  const QString& ruffleDir() const { return ruffleDir_; }

private:
  explicit FlashWebContext(const QString& ruffleDir);
  struct Movie {
    QString path;
    bool playOnce = false;
  };
  QString ruffleDir_;
  QWebEngineProfile* profile_ = nullptr;
  QHash<int, Movie> movies_;
  int nextSlot_ = 1;
  int generation_ = 0;
};
