// The control interface's connections, across its listeners (127.0.0.1 and
// ::1): how many are open, how much each has sent towards a request not yet
// answered, and how long each has been silent. The HTTP library reads
// whatever arrives and keeps a request whole in memory until it is
// complete; the book bounds that from outside the library, without reading
// HTTP itself:
//
//   - at most kConnections open; one more is closed as soon as it is
//     accepted;
//   - the bytes a connection sends towards one request are counted as they
//     arrive (before the library reads them); past kUnansweredBytes the
//     connection is answered 413 and closed, and the socket's own buffer is
//     capped, so nothing ever holds more than a little over that;
//   - a connection silent for kIdleMs is closed.
//
// Once a connection becomes an events socket it is handed over: it still
// counts, but its bytes and silence are the events socket's business.
#pragma once

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdint>
#include <list>

#include "live/limits.h"
#include "platform/timers.h"

namespace horavia::live {

class ConnectionBook {
 public:
  ConnectionBook();
  ConnectionBook(const ConnectionBook&) = delete;
  ConnectionBook& operator=(const ConnectionBook&) = delete;

  // Connections whose socket still exists (closing ones included).
  int openCount();
  bool hasRoom() { return openCount() < limits::kConnections; }
  // Starts watching a new HTTP connection. Call before the HTTP library
  // sees it, so that the book counts each arrival before the library
  // reads it.
  void admit(QTcpSocket* socket);
  void handOver(QTcpSocket* socket);

 private:
  struct Entry {
    QPointer<QTcpSocket> socket;
    std::uint32_t lastHeard = 0;
    std::size_t unanswered = 0;
    bool watched = true;  // HTTP: bytes and silence watched
  };
  void arrived(Entry& entry);
  void forgetClosed();
  void armIdleSweep();
  void closeIdle();

  std::list<Entry> entries_;  // stable addresses: the sockets' slots hold them
  platform::Timer idleSweep_;
};

// A listener that asks the book before a connection reaches the HTTP
// library.
class GuardedListener : public QTcpServer {
 public:
  explicit GuardedListener(ConnectionBook& book) : book_(book) {}

 protected:
  void incomingConnection(qintptr handle) override;

 private:
  ConnectionBook& book_;
};

}  // namespace horavia::live
