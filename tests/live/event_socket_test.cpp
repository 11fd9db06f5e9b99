// The events socket as a chat bot and the overlay use it: events arrive as
// they happen, requests over it are answered with their id, the overlay gets
// paced PNG frames, and the same checks, limits and idle rule hold as for
// HTTP.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>

#include "tests/live/live_fixture.h"

namespace horavia::live {
namespace {

using testing::EventClient;
using testing::LiveFixture;
using testing::WaitUntil;

QJsonObject JsonOf(const QString& text) { return QJsonDocument::fromJson(text.toUtf8()).object(); }

class EventSocket : public LiveFixture {
 protected:
  std::string TokenQuery() const { return "?token=" + token; }
};

TEST_F(EventSocket, EventsReachEveryOpenSocketInOrder) {
  auto a = Socket(TokenQuery());
  auto b = Socket(TokenQuery());
  ASSERT_EQ(a->socket.state(), QAbstractSocket::ConnectedState);
  ASSERT_EQ(b->socket.state(), QAbstractSocket::ConnectedState);
  server.publish(SpinStarted{4, "api"});
  server.publish(SpinEnded{{4, 9, "一等奖", 273.5}});
  ASSERT_TRUE(WaitUntil([&] { return a->texts.size() == 2 && b->texts.size() == 2; }));
  EXPECT_EQ(JsonOf(a->texts[0]), (QJsonObject{{"event", "spinStarted"}, {"spin", 4}, {"source", "api"}}));
  EXPECT_EQ(JsonOf(a->texts[1]),
            (QJsonObject{{"event", "spinEnded"}, {"spin", 4}, {"segment", 9}, {"label", "一等奖"}, {"angle", 273.5}}));
  EXPECT_EQ(b->texts, a->texts);
  EXPECT_TRUE(a->frames.empty());  // only sockets that ask get frames
}

TEST_F(EventSocket, TheTokenMayComeInTheAuthorizationHeader) {
  QWebSocket socket;
  QNetworkRequest request(QUrl(QString("ws://127.0.0.1:%1/api/v1/events").arg(server.port())));
  request.setRawHeader("Authorization", "Bearer " + QByteArray::fromStdString(token));
  socket.open(request);
  QSignalSpy connected(&socket, &QWebSocket::connected);
  EXPECT_TRUE(connected.wait(testing::kGuardMs));
}

TEST_F(EventSocket, RequestsOverTheSocketAreAnsweredWithTheirId) {
  auto client = Socket(TokenQuery());
  EventClient& inbox = *client;
  client->socket.sendTextMessage(R"({"request":"spin","id":"x"})");
  client->socket.sendTextMessage(R"({"request":"mode","id":"y","mode":"wheel"})");
  client->socket.sendTextMessage(R"({"request":"mode","id":"z","mode":"sideways"})");
  client->socket.sendBinaryMessage("\x01\x02");
  ASSERT_TRUE(WaitUntil([&] { return inbox.texts.size() == 4; }));
  EXPECT_EQ(JsonOf(inbox.texts[0]), (QJsonObject{{"id", "x"}, {"status", "ok"}, {"spin", 1}, {"position", 0}}));
  EXPECT_EQ(JsonOf(inbox.texts[1])["status"], "ok");
  EXPECT_EQ(JsonOf(inbox.texts[1])["mode"], "wheel");
  EXPECT_EQ(JsonOf(inbox.texts[2])["code"], 400);
  EXPECT_EQ(JsonOf(inbox.texts[3])["code"], 400);
  EXPECT_EQ(port.calls, (std::vector<std::string>{"spin:api", "mode:wheel"}));
}

TEST_F(EventSocket, UpgradesAreRefusedBeforeTheHandshakeLikeHttpRequests) {
  const std::string own = "Origin: http://127.0.0.1:" + std::to_string(server.port()) + "\r\n";
  const QByteArray noToken = UpgradeHead("/api/v1/events").replace("Authorization: Bearer " + QByteArray::fromStdString(token) + "\r\n", "");
  EXPECT_TRUE(Raw(noToken).startsWith("HTTP/1.1 401 ")) << noToken.toStdString();
  EXPECT_TRUE(Raw(UpgradeHead("/api/v1/events", "Origin: https://evil.example\r\n")).startsWith("HTTP/1.1 403 "));
  EXPECT_TRUE(Raw(UpgradeHead("/api/v1/events?frames=often", own)).startsWith("HTTP/1.1 400 "));
  EXPECT_TRUE(Raw(UpgradeHead("/api/v1/state", own)).startsWith("HTTP/1.1 404 "));
  EXPECT_TRUE(Raw(UpgradeHead("/api/v1/events", own)).startsWith("HTTP/1.1 101 "));

  // A browser's WebSocket learns of the refusal as a failed handshake.
  auto refused = Socket("?token=ffffffffffffffffffffffffffffffff");
  EXPECT_NE(refused->socket.state(), QAbstractSocket::ConnectedState);
  EXPECT_TRUE(refused->socket.errorString().contains("401")) << refused->socket.errorString().toStdString();
  ASSERT_TRUE(WaitUntil([&] { return server.eventSockets() == 0; }));
  // The streamer's own overlay page is not foreign.
  EXPECT_EQ(Socket(TokenQuery(), QString::fromStdString(own.substr(8, own.size() - 10)))->socket.state(),
            QAbstractSocket::ConnectedState);
}

TEST_F(EventSocket, MessagesOfTheLimitAreAnsweredAndLargerOnesCloseTheSocket) {
  auto client = Socket(TokenQuery());
  EventClient& inbox = *client;
  QWebSocket* socket = &client->socket;
  QString atLimit = R"({"request":"state")";
  atLimit += QString(16 * 1024 - atLimit.size() - 1, ' ') + "}";
  ASSERT_EQ(atLimit.toUtf8().size(), 16 * 1024);
  socket->sendTextMessage(atLimit);
  ASSERT_TRUE(WaitUntil([&] { return inbox.texts.size() == 1; }));
  EXPECT_EQ(JsonOf(inbox.texts[0])["status"], "ok");

  socket->sendTextMessage(atLimit + " ");
  ASSERT_TRUE(WaitUntil([&] { return socket->state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_EQ(socket->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
  EXPECT_EQ(inbox.texts.size(), 1u);
}

TEST_F(EventSocket, TheOverlayGetsTheFrameAtOnceThenPacedFrames) {
  auto overlay = Socket(TokenQuery() + "&frames=1");
  EventClient& inbox = *overlay;
  ASSERT_TRUE(WaitUntil([&] { return inbox.frames.size() == 1; }));
  const QImage first = QImage::fromData(inbox.frames[0], "PNG");
  EXPECT_EQ(first.size(), QSize(2, 2));
  EXPECT_TRUE(first.hasAlphaChannel());

  // A spin repaints every 5 ms for a second: about 30 frames, not 200.
  for (int ms = 0; ms < 1000; ms += 5) {
    server.repainted(Repaint::Motion);
    ticks.advance(5);
  }
  ASSERT_TRUE(WaitUntil([&] { return inbox.frames.size() >= 30; }));
  EXPECT_LE(inbox.frames.size(), 1u + 30u);

  // The clock alone: one frame a second.
  const std::size_t before = inbox.frames.size();
  ticks.advance(1000);
  for (int ms = 0; ms < 10000; ms += 100) {
    server.repainted(Repaint::ClockTick);
    ticks.advance(100);
  }
  ASSERT_TRUE(WaitUntil([&] { return inbox.frames.size() >= before + 10; }));
  EXPECT_LE(inbox.frames.size(), before + 11);
  EXPECT_TRUE(inbox.texts.empty());
}

TEST_F(EventSocket, ASilentSocketIsClosedAndOneThatAnswersPingsStays) {
  // Silent: a bare connection that upgrades and then never reads or writes.
  QTcpSocket silent;
  silent.connectToHost(QHostAddress::LocalHost, server.port());
  silent.write(UpgradeHead("/api/v1/events"));
  ASSERT_TRUE(WaitUntil([&] { return silent.bytesAvailable() > 0; }));
  EXPECT_TRUE(silent.readAll().startsWith("HTTP/1.1 101"));

  // Listening: a real client, which answers the server's pings.
  auto client = Socket(TokenQuery());
  QWebSocket* listening = &client->socket;
  ASSERT_TRUE(WaitUntil([&] { return server.eventSockets() == 2; }));

  QSignalSpy wrote(listening, &QWebSocket::bytesWritten);
  QSignalSpy pong(listening, &QWebSocket::pong);
  for (int round = 1; round <= 4; ++round) {
    ticks.advance(15000);  // the server pings
    // The client's answer is on its way; a ping of the client's own, sent
    // after it, comes back only once the server has read the answer.
    ASSERT_TRUE(WaitUntil([&] { return wrote.count() >= 2 * round - 1; })) << round;
    listening->ping();
    ASSERT_TRUE(WaitUntil([&] { return pong.count() == round; })) << round;
    if (round == 2) {
      ASSERT_TRUE(WaitUntil([&] { return silent.state() == QAbstractSocket::UnconnectedState; }));
    }
  }
  EXPECT_EQ(listening->state(), QAbstractSocket::ConnectedState);
  EXPECT_EQ(server.eventSockets(), 1);
}

TEST_F(EventSocket, StoppingTheServerClosesItsSockets) {
  auto client = Socket(TokenQuery());
  ASSERT_EQ(client->socket.state(), QAbstractSocket::ConnectedState);
  server.stop();
  ASSERT_TRUE(WaitUntil([&] { return client->socket.state() == QAbstractSocket::UnconnectedState; }));
  EXPECT_FALSE(server.running());
}

}  // namespace
}  // namespace horavia::live
