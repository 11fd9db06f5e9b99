// A running control interface in the test's own process, over the fake
// application, and the clients that talk to it: Qt's network access manager
// and WebSocket, and a bare TCP socket for what those never send. Every wait
// is for a signal or a condition, bounded by a generous guard.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QWebSocket>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "live/live_server.h"
#include "platform/ticks.h"
#include "tests/live/fake_port.h"

namespace horavia::live::testing {

inline constexpr int kGuardMs = 10000;

// Runs the event loop until `done` holds or the guard runs out; answers
// `done` at the end.
bool WaitUntil(const std::function<bool()>& done, int guardMs = kGuardMs);

struct Answer {
  int status = 0;  // 0: no HTTP answer (the connection failed or closed)
  QByteArray body;
  QNetworkReply::NetworkError error = QNetworkReply::NoError;
  QByteArray header(const QByteArray& name) const;
  std::vector<std::pair<QByteArray, QByteArray>> headers;
};

// A client of the events socket, and everything it received from the
// moment it opened.
struct EventClient {
  explicit EventClient(const QString& origin);
  QWebSocket socket;
  std::vector<QString> texts;
  std::vector<QByteArray> frames;
};

// A request through the network access manager, waited for.
Answer Send(QNetworkAccessManager& network, const QByteArray& method, const QUrl& url, const QByteArray& body,
            const std::vector<std::pair<QByteArray, QByteArray>>& headers);
// An events socket at `url`, open or refused.
std::unique_ptr<EventClient> OpenEvents(const QUrl& url, const QString& origin = {});

class LiveFixture : public ::testing::Test {
 protected:
  LiveFixture();
  ~LiveFixture() override;

  void SetUp() override;

  std::string base() const;
  // A request through the network access manager: the token in the
  // Authorization header unless `headers` brings its own.
  Answer Http(const QByteArray& method, const std::string& target, const QByteArray& body = {},
              std::vector<std::pair<QByteArray, QByteArray>> headers = {}, bool withToken = true);
  // Bytes straight onto a new connection; answers what came back until the
  // server closed it or a whole answer arrived.
  QByteArray Raw(const QByteArray& bytes);
  // A request head as a well-behaved client writes it.
  QByteArray Head(const std::string& method, const std::string& target, const std::string& extraHeaders = "",
                  std::size_t contentLength = 0) const;
  // A WebSocket to the events path; open or refused.
  std::unique_ptr<EventClient> Socket(const std::string& query, const QString& origin = {});
  // The head of an events-socket upgrade with the token in the header.
  QByteArray UpgradeHead(const std::string& target, const std::string& extraHeaders = "") const;

  // Installed before the server starts, so that every connection's times
  // come from it.
  platform::ManualTicks ticks;
  FakePort port;
  LiveServer server{port};
  QNetworkAccessManager network;
  std::string token = "00112233445566778899aabbccddeeff";
};

}  // namespace horavia::live::testing
