// The control interface under load, for bench/live_http.sh: the interface
// over an application in memory, a trivial QTcpServer that answers every
// request with the same bytes (the floor: what the event loop and the
// loopback cost without any HTTP library), and a stand-in for the clock, a
// timer due every second on the same event loop, whose lateness shows
// whether a second hand would have missed a second.
//
//   live_bench_server      prints "interface PORT TOKEN" and "floor PORT",
//                          serves until a line arrives on standard input,
//                          then prints the clock's record and exits
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

#include "live/live_server.h"
#include "app/control_token.h"
#include "platform/qt_platform.h"
#include "platform/ticks.h"
#include "platform/timers.h"
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

// Due every second, as the clock's second hand is; records how late each
// tick came.
struct SecondHand {
  horavia::platform::Timer timer{[this] { tick(); }};
  std::uint32_t due = 0;
  int ticks = 0;
  int missed = 0;  // ticks a second or more late: a second the hand skipped
  std::uint32_t latest = 0;

  void start() {
    due = horavia::platform::TickCount() + 1000;
    timer.startAt(due);
  }
  void tick() {
    const std::uint32_t late = horavia::platform::TickCount() - due;
    ++ticks;
    latest = std::max(latest, late);
    if (late >= 1000) ++missed;
    due += 1000;
    timer.startAt(due);
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
  SecondHand hand;
  hand.start();

  std::printf("interface %u %s\nfloor %u\n", server.port(), token.c_str(), floor.serverPort());
  std::fflush(stdout);
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
  app.exec();
  std::printf("clock ticks %d, latest %u ms late, seconds missed %d\n", hand.ticks, hand.latest, hand.missed);
  return 0;
}
