// The HTTP side of the control interface over Qt's HTTP server, whose
// interface changes between Qt versions: every use of it stays in
// http_server.cpp, and this header names none of it. The server parses
// HTTP, hands each whole request to `request` and writes its answer. A
// WebSocket upgrade goes to `upgrade` first, which refuses it (with the
// answer to send) or lets the server complete the handshake; the open
// socket then goes to `socket`.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <functional>
#include <memory>
#include <optional>

#include "live/http_message.h"

namespace horavia::live {

class HttpServer {
 public:
  struct Handlers {
    std::function<HttpResponse(const HttpRequest&)> request;
    // Nothing: the upgrade goes ahead on `connection`.
    std::function<std::optional<HttpResponse>(const HttpRequest&, QTcpSocket* connection)> upgrade;
    std::function<void(std::unique_ptr<QWebSocket>)> socket;
  };

  explicit HttpServer(Handlers handlers);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Serves the connections a listening server accepts, and owns it from
  // now on.
  void serve(QTcpServer* listening);

 private:
  class Adapter;
  std::unique_ptr<Adapter> adapter_;
};

}  // namespace horavia::live
