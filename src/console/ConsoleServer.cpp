#include "console/ConsoleServer.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <cstdio>

#include "console/ConsoleHttp.h"
#include "console/ConsoleService.h"

namespace {

constexpr qint64 kMaxRequestBytes = static_cast<qint64>(kMaxShowBytes) + 64 * 1024;
constexpr int kMaxConnections = 64;
constexpr int kIdleMs = 30000;
constexpr const char* kBytesProperty = "zyntraConsoleBytes";

// Accepts connections for the HTTP server and watches each one's bytes before the server reads
// them: its handler is connected after this one, so a chunk is counted before it is parsed.
class GuardedTcpServer : public QTcpServer {
public:
  using QTcpServer::QTcpServer;

protected:
  void incomingConnection(qintptr descriptor) override {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
      delete socket;
      return;
    }
    if (open_ >= kMaxConnections) {
      socket->abort();
      socket->deleteLater();
      return;
    }
    ++open_;
    connect(socket, &QObject::destroyed, this, [this] { --open_; });
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    idle->setInterval(kIdleMs);
    connect(idle, &QTimer::timeout, socket, [socket] { socket->abort(); });
    idle->start();
    socket->setProperty(kBytesProperty, qint64{0});
    connect(socket, &QTcpSocket::readyRead, socket, [socket, idle] {
      idle->start();
      const qint64 total = socket->property(kBytesProperty).toLongLong() + socket->bytesAvailable();
      socket->setProperty(kBytesProperty, total);
      if (total <= kMaxRequestBytes) return;
      // Too large: the rest is dropped unread, so the server never holds it.
      socket->readAll();
      if (socket->property("zyntraConsoleRefused").toBool()) return;
      socket->setProperty("zyntraConsoleRefused", true);
      std::fputs("console: a request over the size limit was refused\n", stderr);
      socket->write("HTTP/1.1 413 Payload Too Large\r\nContent-Length: 0\r\n"
                    "Connection: close\r\n\r\n");
      socket->disconnectFromHost();
    });
    // Closed connections go; the HTTP server only reads and writes them.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    addPendingConnection(socket);
  }

private:
  int open_ = 0;
};

QByteArray MethodName(QHttpServerRequest::Method method) {
  using M = QHttpServerRequest::Method;
  switch (method) {
  case M::Get: return "GET";
  case M::Put: return "PUT";
  case M::Delete: return "DELETE";
  case M::Post: return "POST";
  case M::Head: return "HEAD";
  case M::Options: return "OPTIONS";
  case M::Patch: return "PATCH";
  case M::Connect: return "CONNECT";
  case M::Trace: return "TRACE";
  default: return "UNKNOWN";
  }
}

} // namespace

ConsoleServer::ConsoleServer(ConsoleService& service, QObject* parent)
    : QAbstractHttpServer(parent), service_(service) {}

bool ConsoleServer::Listen(const ListenAddress& address, QString* error) {
  QHostAddress host;
  if (address.host == "localhost") {
    host = QHostAddress(QHostAddress::LocalHost);
  } else if (!host.setAddress(QString::fromStdString(address.host))) {
    if (error)
      *error = QStringLiteral("not an IP address: %1").arg(QString::fromStdString(address.host));
    return false;
  }
  auto* tcp = new GuardedTcpServer(this);
  if (!tcp->listen(host, address.port)) {
    if (error) *error = tcp->errorString();
    delete tcp;
    return false;
  }
  port_ = tcp->serverPort();
  bind(tcp);
  return true;
}

bool ConsoleServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  // The next request on this connection counts its bytes afresh.
  socket->setProperty(kBytesProperty, qint64{0});
  HttpRequest in;
  in.method = MethodName(request.method()).toStdString();
  const QUrl url = request.url();
  in.target = url.path(QUrl::FullyEncoded).toStdString();
  if (url.hasQuery()) in.target += "?" + url.query(QUrl::FullyEncoded).toStdString();
  if (in.target.empty()) in.target = "/";
  for (const auto& [key, value] : request.headers())
    in.headers.emplace_back(key.toStdString(), value.toStdString());
  in.body = request.body().toStdString();
  in.peer = request.remoteAddress().toString().toStdString();

  const HttpReply reply = service_.Handle(in);
  std::fprintf(stderr, "%s\n", service_.LogLine(in, reply).c_str());

  QHttpServerResponder responder = makeResponder(request, socket);
  responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply.status));
  responder.writeHeader("Content-Type", QByteArray::fromStdString(reply.contentType));
  responder.writeHeader("Content-Length", QByteArray::number(qulonglong(reply.body.size())));
  for (const auto& [key, value] : reply.headers)
    responder.writeHeader(QByteArray::fromStdString(key), QByteArray::fromStdString(value));
  responder.writeBody(reply.body.data(), static_cast<qint64>(reply.body.size()));
  return true;
}

void ConsoleServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
  // Every request is handled above; this answers only if Qt ever asks anyway.
  makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}
