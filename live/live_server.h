// The control interface as the program runs it: HTTP and the events socket
// on the loopback addresses (127.0.0.1 and ::1) at one port, answering from
// the application's operations and passing its events on. Everything runs
// on the thread that made it (the user-interface thread), through its event
// loop; no request waits for anything.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "live/connection_book.h"
#include "live/control_port.h"
#include "live/event_hub.h"
#include "live/http_server.h"
#include "live/request_checks.h"

namespace horavia::live {

class LiveServer : public ControlEvents {
 public:
  explicit LiveServer(ControlPort& port);
  ~LiveServer() override;
  LiveServer(const LiveServer&) = delete;
  LiveServer& operator=(const LiveServer&) = delete;

  // Listens at `port` (0: a free port, which tests use) with `token`. On
  // failure answers one line saying why (the port is in use, the token is
  // not 32 hex characters) and listens nowhere.
  std::optional<std::string> start(std::uint16_t port, std::string token);
  void stop();
  bool running() const { return http_ != nullptr; }
  std::uint16_t port() const { return server_.port; }
  // Open connections, HTTP and events sockets together.
  int openConnections() { return book_.openCount(); }
  int eventSockets() const { return hub_.clientCount(); }
  // Whether any events socket takes the window's frames.
  bool sendsFrames() const { return hub_.anyFrameClient(); }

  void publish(const AppEvent& event) override;
  void repainted(Repaint what) override;

 private:
  ControlPort& port_;
  ServerIdentity server_;
  // Declared before the HTTP server: its sockets report to them until the
  // server and its sockets are gone.
  ConnectionBook book_;
  EventHub hub_;
  std::unique_ptr<HttpServer> http_;
};

}  // namespace horavia::live
