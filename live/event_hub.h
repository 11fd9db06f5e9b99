// The events sockets (GET /api/v1/events): every application event goes to
// every open socket as JSON text; clients may send requests over it (the
// same routes as HTTP); sockets opened with "frames=1" (the overlay) also
// get the window as PNG binary messages, paced by a FramePacer.
//
// A socket is pinged every kPingMs, and closed once it has sent nothing
// (not even a pong) for kIdleMs. Messages from clients are capped at
// kSocketMessageBytes; a client that reads its frames too slowly skips
// frames until it catches up.
#pragma once

#include <QObject>
#include <QWebSocket>
#include <memory>
#include <vector>

#include "live/control_port.h"
#include "live/frame_pacer.h"
#include "live/request_checks.h"
#include "platform/timers.h"

namespace horavia::live {

class EventHub {
 public:
  EventHub(ControlPort& port, const ServerIdentity& server);
  ~EventHub();
  EventHub(const EventHub&) = delete;
  EventHub& operator=(const EventHub&) = delete;

  // An open socket whose upgrade was admitted.
  void adopt(std::unique_ptr<QWebSocket> socket);
  void publish(const AppEvent& event);
  void repainted(Repaint what);
  // Whether any socket asked for the window's frames.
  bool anyFrameClient() const;
  // Closes every socket (the server stops).
  void closeAll();
  int clientCount() const;

 private:
  struct Client {
    std::unique_ptr<QWebSocket> socket;
    bool frames = false;
    std::uint32_t lastHeard = 0;
    bool closed = false;  // gone from the list; a handler may still hold it
  };
  void answer(Client& client, const QString& message);
  void sendFrame();
  void sendFrameTo(Client& client, const QByteArray& png);
  void forget(Client& client);
  void armSweep();
  void sweep();

  ControlPort& port_;
  const ServerIdentity& server_;
  std::vector<std::shared_ptr<Client>> clients_;
  FramePacer pacer_;
  platform::Timer frameTimer_;
  platform::Timer sweepTimer_;
  std::uint32_t nextPing_ = 0;
  QObject context_;  // the sockets' slots live as long as the hub
};

}  // namespace horavia::live
