// The peers of the real program under load, for bench/live_http.sh: the
// interface over an application in memory (what the HTTP library and the
// checks cost without the program), and a trivial QTcpServer that answers
// every request with the same bytes (the floor: what the event loop and the
// loopback cost without any HTTP library).
//
//   live_bench_server      prints "interface PORT TOKEN" and "floor PORT",
//                          serves until a line arrives on standard input
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <unistd.h>

#include "app/control_token.h"
#include "live/live_server.h"
#include "platform/qt_platform.h"
#include "tests/live/fake_port.h"

namespace {

// The floor: one canned answer for every request head that arrives.
class FloorServer : public QTcpServer {
 protected:
  void incomingConnection(qintptr handle) override {
    auto* socket = new QTcpSocket(this);
    socket->setSocketDescriptor(handle);
    connect(socket, &QTcpSocket::readyRead, socket, [socket] {
      static const QByteArray kAnswer =
          "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 2\r\n\r\n{}";
      const QByteArray bytes = socket->readAll();
      for (qsizetype at = bytes.indexOf("\r\n\r\n"); at >= 0; at = bytes.indexOf("\r\n\r\n", at + 4)) {
        socket->write(kAnswer);
      }
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  horavia::platform::InstallQtEventLoop();

  horavia::live::testing::FakePort port;
  horavia::live::LiveServer server(port);
  const std::string token = horavia::app::NewControlToken().value_or("");
  if (const auto error = server.start(0, token)) {
    std::fprintf(stderr, "live_bench_server: %s\n", error->c_str());
    return 1;
  }
  FloorServer floor;
  floor.listen(QHostAddress::LocalHost, 0);

  std::printf("interface %u %s\nfloor %u\n", server.port(), token.c_str(), floor.serverPort());
  std::fflush(stdout);
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
  return app.exec();
}
