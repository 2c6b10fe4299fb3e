#pragma once

#include <QAbstractHttpServer>
#include <QString>

#include "console/ListenAddress.h"

class ConsoleService;

/// The console on the network: Qt HTTP Server on the program's event loop, handing every
/// request to the ConsoleService and writing its reply. Beside what the service checks, the
/// transport keeps clients in bounds: a request (head and body) past kMaxShowBytes + 64 KiB is
/// answered 413 and its connection closed before the body is held in memory, at most 64
/// connections are open at once, and a connection idle for 30 s is closed. Every request is
/// logged on standard error, one line each.
class ConsoleServer : public QAbstractHttpServer {
  Q_OBJECT
public:
  /// A server for `service`, not yet listening.
  explicit ConsoleServer(ConsoleService& service, QObject* parent = nullptr);
  /// Starts listening; false with the reason in `error`.
  bool Listen(const ListenAddress& address, QString* error);
  /// The port listened on (the one the system chose for port 0).
  quint16 Port() const { return port_; }

protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
  ConsoleService& service_;
  quint16 port_ = 0;
};
