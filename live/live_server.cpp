#include "live/live_server.h"

#include <QHostAddress>

#include "app/control_token.h"
#include "live/routes.h"

namespace horavia::live {

LiveServer::LiveServer(ControlPort& port) : port_(port), hub_(port, server_) {}

LiveServer::~LiveServer() { stop(); }

std::optional<std::string> LiveServer::start(std::uint16_t port, std::string token) {
  stop();
  if (!app::IsWellFormedToken(token)) return "the control token is not 32 hexadecimal characters";
  auto ipv4 = std::make_unique<GuardedListener>(book_);
  if (!ipv4->listen(QHostAddress::LocalHost, port)) {
    return "cannot listen on 127.0.0.1 port " + std::to_string(port) + ": " + ipv4->errorString().toStdString();
  }
  server_ = {ipv4->serverPort(), std::move(token)};
  http_ = std::make_unique<HttpServer>(HttpServer::Handlers{
      .request = [this](const HttpRequest& request) { return HandleHttpRequest(request, server_, port_); },
      .upgrade =
          [this](const HttpRequest& request, QTcpSocket* connection) {
            EventsAdmission admission = AdmitEventsSocket(request, server_);
            if (!admission.refusal) book_.handOver(connection);
            return admission.refusal;
          },
      .socket = [this](std::unique_ptr<QWebSocket> socket) { hub_.adopt(std::move(socket)); },
  });
  http_->serve(ipv4.release());
  // ::1 as well where the host has it; without IPv6 the interface still
  // works for every client that says 127.0.0.1 or localhost.
  auto ipv6 = std::make_unique<GuardedListener>(book_);
  if (ipv6->listen(QHostAddress::LocalHostIPv6, server_.port)) http_->serve(ipv6.release());
  return std::nullopt;
}

void LiveServer::stop() {
  hub_.closeAll();
  http_.reset();
}

void LiveServer::publish(const AppEvent& event) { hub_.publish(event); }

void LiveServer::repainted(Repaint what) { hub_.repainted(what); }

}  // namespace horavia::live
