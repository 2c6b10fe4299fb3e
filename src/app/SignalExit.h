#pragma once

#include <QObject>

class QSocketNotifier;

/// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the event loop, so that a service stop,
/// Ctrl+C in a terminal or a closed terminal leave the program through its normal exit path.
/// One instance at a time; the handlers are put back when it goes.
class SignalExit : public QObject {
  Q_OBJECT
public:
  explicit SignalExit(QObject* parent = nullptr);
  ~SignalExit() override;

signals:
  /// One of the signals arrived (its number).
  void requested(int signalNumber);

private:
  void OnReadable();
  QSocketNotifier* notifier_ = nullptr;
};
