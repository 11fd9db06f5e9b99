#include "tests/live/live_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkRequest>
#include <QSignalSpy>

#include "tests/support/qt_application.h"

namespace horavia::live::testing {

bool WaitUntil(const std::function<bool()>& done, int guardMs) {
  QElapsedTimer guard;
  guard.start();
  while (true) {
    // Sockets the server closed are deleted later; they stop counting here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (done()) return true;
    const qint64 left = guardMs - guard.elapsed();
    if (left <= 0) return false;
    // Sleeps until an event arrives (or the guard's end), then handles it.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, static_cast<int>(std::min<qint64>(left, 100)));
  }
}

QByteArray Answer::header(const QByteArray& name) const {
  for (const auto& [key, value] : headers) {
    if (key.compare(name, Qt::CaseInsensitive) == 0) return value;
  }
  return {};
}

LiveFixture::LiveFixture() { horavia::testing::TestApplication(); }

LiveFixture::~LiveFixture() {
  server.stop();
  // Let the sockets' deferred deletions run while the application exists.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void LiveFixture::SetUp() { ASSERT_EQ(server.start(0, token), std::nullopt); }

std::string LiveFixture::base() const { return "http://127.0.0.1:" + std::to_string(server.port()); }

Answer Send(QNetworkAccessManager& network, const QByteArray& method, const QUrl& url, const QByteArray& body,
            const std::vector<std::pair<QByteArray, QByteArray>>& headers) {
  QNetworkRequest request(url);
  for (const auto& [name, value] : headers) request.setRawHeader(name, value);
  QNetworkReply* reply = network.sendCustomRequest(request, method, body);
  QSignalSpy finished(reply, &QNetworkReply::finished);
  EXPECT_TRUE(finished.wait(kGuardMs)) << method.toStdString() << " " << url.toString().toStdString();
  Answer answer;
  answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  answer.body = reply->readAll();
  answer.error = reply->error();
  for (const auto& pair : reply->rawHeaderPairs()) answer.headers.push_back({pair.first, pair.second});
  reply->deleteLater();
  return answer;
}

Answer LiveFixture::Http(const QByteArray& method, const std::string& target, const QByteArray& body,
                         std::vector<std::pair<QByteArray, QByteArray>> headers, bool withToken) {
  if (withToken) headers.insert(headers.begin(), {"Authorization", "Bearer " + QByteArray::fromStdString(token)});
  return Send(network, method, QUrl(QString::fromStdString(base() + target)), body, headers);
}

QByteArray LiveFixture::Head(const std::string& method, const std::string& target, const std::string& extraHeaders,
                             std::size_t contentLength) const {
  std::string head = method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                     "\r\nAuthorization: Bearer " + token + "\r\n" + extraHeaders;
  if (contentLength > 0) head += "Content-Length: " + std::to_string(contentLength) + "\r\n";
  return QByteArray::fromStdString(head + "\r\n");
}

QByteArray LiveFixture::Raw(const QByteArray& bytes) {
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, server.port());
  EXPECT_TRUE(WaitUntil([&] { return socket.state() == QAbstractSocket::ConnectedState; }));
  socket.write(bytes);
  QByteArray received;
  // A whole answer: its head, then as many body bytes as it announced.
  auto whole = [&] {
    const qsizetype end = received.indexOf("\r\n\r\n");
    if (end < 0) return false;
    const qsizetype at = received.toLower().indexOf("content-length: ");
    if (at < 0 || at > end) return true;
    const qsizetype length = received.mid(at + 16, received.indexOf("\r\n", at) - at - 16).toLongLong();
    return received.size() >= end + 4 + length;
  };
  WaitUntil([&] {
    received += socket.readAll();
    return whole() || socket.state() == QAbstractSocket::UnconnectedState;
  });
  received += socket.readAll();
  return received;
}

EventClient::EventClient(const QString& origin) : socket(origin) {
  QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& text) { texts.push_back(text); });
  QObject::connect(&socket, &QWebSocket::binaryMessageReceived,
                   [this](const QByteArray& frame) { frames.push_back(frame); });
}

std::unique_ptr<EventClient> OpenEvents(const QUrl& url, const QString& origin) {
  auto client = std::make_unique<EventClient>(origin);
  QWebSocket* socket = &client->socket;
  bool settled = false;
  QObject watch;  // the slots below go with it
  QObject::connect(socket, &QWebSocket::connected, &watch, [&] { settled = true; });
  QObject::connect(socket, &QWebSocket::disconnected, &watch, [&] { settled = true; });
  QObject::connect(socket, qOverload<QAbstractSocket::SocketError>(&QWebSocket::error), &watch, [&] { settled = true; });
  socket->open(url);
  EXPECT_TRUE(WaitUntil([&] { return settled; }));
  return client;
}

std::unique_ptr<EventClient> LiveFixture::Socket(const std::string& query, const QString& origin) {
  return OpenEvents(QUrl(QString::fromStdString("ws://127.0.0.1:" + std::to_string(server.port()) + "/api/v1/events" +
                                                query)),
                    origin);
}

QByteArray LiveFixture::UpgradeHead(const std::string& target, const std::string& extraHeaders) const {
  return Head("GET", target,
              "Connection: Upgrade\r\nUpgrade: websocket\r\nSec-WebSocket-Version: 13\r\n"
              "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n" + extraHeaders);
}

}  // namespace horavia::live::testing
