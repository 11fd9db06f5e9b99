// The only file that names QtHttpServer. With Qt 6.4, QAbstractHttpServer
// calls handleRequest(request, socket) for every whole request, WebSocket
// upgrades included: returning true lets an upgrade complete its handshake,
// returning false sends it to missingHandler and closes the connection.
// Later versions pass a responder instead of the socket and verify upgrades
// through callbacks of their own; porting to them changes this file alone.
#include "live/http_server.h"

#include <QAbstractHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

namespace horavia::live {
namespace {

std::string MethodName(QHttpServerRequest::Method method) {
  switch (method) {
    case QHttpServerRequest::Method::Get: return "GET";
    case QHttpServerRequest::Method::Put: return "PUT";
    case QHttpServerRequest::Method::Delete: return "DELETE";
    case QHttpServerRequest::Method::Post: return "POST";
    case QHttpServerRequest::Method::Head: return "HEAD";
    case QHttpServerRequest::Method::Options: return "OPTIONS";
    case QHttpServerRequest::Method::Patch: return "PATCH";
    case QHttpServerRequest::Method::Connect: return "CONNECT";
    case QHttpServerRequest::Method::Trace: return "TRACE";
    default: return "UNKNOWN";
  }
}

HttpRequest FromQt(const QHttpServerRequest& request) {
  HttpRequest out;
  out.method = MethodName(request.method());
  out.path = request.url().path(QUrl::FullyEncoded).toStdString();
  out.query = request.url().query(QUrl::FullyEncoded).toStdString();
  for (const auto& [name, value] : request.headers()) out.headers.push_back({name.toStdString(), value.toStdString()});
  out.body = request.body().toStdString();
  return out;
}

// The test the library itself makes before it hands a connection to its
// WebSocket server: "Connection: upgrade" and "Upgrade: websocket".
bool IsWebSocketUpgrade(const QHttpServerRequest& request) {
  return request.value("connection").toLower().contains("upgrade") &&
         request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

QByteArray Bytes(const std::string& text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

void Write(QHttpServerResponder& responder, const HttpResponse& response) {
  responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(response.status));
  responder.writeHeader("Content-Type", Bytes(response.contentType));
  responder.writeHeader("Content-Length", QByteArray::number(static_cast<qsizetype>(response.body.size())));
  for (const Header& header : response.headers) responder.writeHeader(Bytes(header.name), Bytes(header.value));
  responder.writeBody(Bytes(response.body));
}

}  // namespace

class HttpServer::Adapter : public QAbstractHttpServer {
 public:
  explicit Adapter(Handlers handlers) : handlers_(std::move(handlers)) {
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, [this] {
      while (hasPendingWebSocketConnections()) handlers_.socket(nextPendingWebSocketConnection());
    });
  }

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override {
    // A connection already answered and closing (it sent too much) gets
    // nothing more.
    if (socket->state() != QAbstractSocket::ConnectedState) return true;
    if (IsWebSocketUpgrade(request)) {
      refusal_ = handlers_.upgrade(FromQt(request), socket);
      return !refusal_.has_value();
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    Write(responder, handlers_.request(FromQt(request)));
    return true;
  }

  // Called right after handleRequest refused an upgrade, on the same
  // request; the library closes the connection once it returns.
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override {
    if (!refusal_) return;
    QHttpServerResponder responder = makeResponder(request, socket);
    Write(responder, *refusal_);
    refusal_.reset();
  }

 private:
  Handlers handlers_;
  std::optional<HttpResponse> refusal_;
};

HttpServer::HttpServer(Handlers handlers) : adapter_(std::make_unique<Adapter>(std::move(handlers))) {}

HttpServer::~HttpServer() = default;

void HttpServer::serve(QTcpServer* listening) { adapter_->bind(listening); }

}  // namespace horavia::live
