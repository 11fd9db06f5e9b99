// Index
//   [sockets]  adopting a socket, its messages, forgetting it
//   [events]   events to every socket
//   [frames]   overlay frames, paced
//   [sweep]    pings and closing silent sockets
#include "live/event_hub.h"

#include <QNetworkRequest>
#include <algorithm>

#include "live/frame_png.h"
#include "live/json_forms.h"
#include "live/limits.h"
#include "live/routes.h"
#include "platform/ticks.h"

namespace horavia::live {
namespace {

// The socket's opening request, as the request handling reads requests.
HttpRequest HandshakeOf(const QWebSocket& socket) {
  HttpRequest request;
  request.method = "GET";
  request.path = socket.requestUrl().path(QUrl::FullyEncoded).toStdString();
  request.query = socket.requestUrl().query(QUrl::FullyEncoded).toStdString();
  const QNetworkRequest& handshake = socket.request();
  for (const QByteArray& name : handshake.rawHeaderList()) {
    request.headers.push_back({name.toStdString(), handshake.rawHeader(name).toStdString()});
  }
  return request;
}

// "401 Unauthorized": short, as a close reason must be (123 bytes at most).
QString CloseReason(const HttpResponse& refusal) {
  return QString::number(static_cast<int>(refusal.status)) + " " + Utf8Text(ReasonPhrase(refusal.status));
}

}  // namespace

EventHub::EventHub(ControlPort& port, const ServerIdentity& server)
    : port_(port), server_(server), frameTimer_([this] { sendFrame(); }), sweepTimer_([this] { sweep(); }) {}

EventHub::~EventHub() { closeAll(); }

// [sockets] --------------------------------------------------------------------

void EventHub::adopt(std::unique_ptr<QWebSocket> socket) {
  // The upgrade was admitted before its handshake; the same request, read
  // again from the socket, says whether it wants frames. Should it not pass
  // now, the socket closes without a word of the application's.
  const EventsAdmission admission = AdmitEventsSocket(HandshakeOf(*socket), server_);
  if (admission.refusal) {
    socket->close(QWebSocketProtocol::CloseCodePolicyViolated, CloseReason(*admission.refusal));
    socket.release()->deleteLater();
    return;
  }
  socket->setMaxAllowedIncomingFrameSize(limits::kSocketMessageBytes);
  socket->setMaxAllowedIncomingMessageSize(limits::kSocketMessageBytes);
  const auto client = std::make_shared<Client>(Client{std::move(socket), admission.frames, platform::TickCount()});
  clients_.push_back(client);
  const std::weak_ptr<Client> weak = client;
  QWebSocket* raw = client->socket.get();
  QObject::connect(raw, &QWebSocket::textMessageReceived, &context_, [this, weak](const QString& message) {
    if (const auto held = weak.lock()) answer(*held, message);
  });
  QObject::connect(raw, &QWebSocket::binaryMessageReceived, &context_, [this, weak](const QByteArray&) {
    if (const auto held = weak.lock()) answer(*held, QString());  // not JSON: answered as such
  });
  QObject::connect(raw, &QWebSocket::pong, &context_, [weak](quint64, const QByteArray&) {
    if (const auto held = weak.lock()) held->lastHeard = platform::TickCount();
  });
  QObject::connect(raw, &QWebSocket::disconnected, &context_, [this, weak] {
    if (const auto held = weak.lock()) forget(*held);
  });
  if (client->frames) {
    const std::string png = EncodeFramePng(port_.frame());
    sendFrameTo(*client, QByteArray::fromStdString(png));
  }
  if (clients_.size() == 1) nextPing_ = platform::TickCount() + limits::kPingMs;
  armSweep();
}

void EventHub::answer(Client& client, const QString& message) {
  client.lastHeard = platform::TickCount();
  const QByteArray text = message.toUtf8();
  const std::string reply = HandleSocketMessage(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), port_);
  if (!client.closed) client.socket->sendTextMessage(QString::fromStdString(reply));
}

// A socket closes and goes: its slots are cut at once and the socket is
// deleted later (this may run inside its own signal). A handler that holds
// the client (answering a request) keeps it until it returns.
void EventHub::forget(Client& client) {
  if (client.closed) return;
  client.closed = true;
  client.socket->disconnect(&context_);
  client.socket.release()->deleteLater();
  std::erase_if(clients_, [&client](const auto& c) { return c.get() == &client; });
  if (clients_.empty()) {
    sweepTimer_.stop();
    frameTimer_.stop();
  }
}

void EventHub::closeAll() {
  const std::vector<std::shared_ptr<Client>> all = clients_;
  for (const auto& client : all) {
    client->socket->disconnect(&context_);
    client->socket->close(QWebSocketProtocol::CloseCodeGoingAway);
    forget(*client);
  }
}

int EventHub::clientCount() const { return static_cast<int>(clients_.size()); }

// [events] ---------------------------------------------------------------------

void EventHub::publish(const AppEvent& event) {
  const QString text = QString::fromStdString(CompactJson(EventJson(event)));
  for (const auto& client : clients_) {
    client->socket->sendTextMessage(text);
  }
}

// [frames] ---------------------------------------------------------------------

bool EventHub::anyFrameClient() const {
  return std::any_of(clients_.begin(), clients_.end(), [](const auto& c) { return c->frames; });
}

void EventHub::repainted(Repaint what) {
  if (!anyFrameClient()) return;
  const std::uint32_t due = pacer_.repainted(what, platform::TickCount());
  if (!frameTimer_.active() || platform::TickBefore(due, frameTimer_.due())) frameTimer_.startAt(due);
}

void EventHub::sendFrame() {
  pacer_.sent(platform::TickCount());
  const QByteArray png = QByteArray::fromStdString(EncodeFramePng(port_.frame()));
  for (const auto& client : clients_) {
    if (client->frames) sendFrameTo(*client, png);
  }
}

void EventHub::sendFrameTo(Client& client, const QByteArray& png) {
  if (png.isEmpty() || client.closed) return;
  if (static_cast<std::size_t>(client.socket->bytesToWrite()) > limits::kUnsentFrameBytes) return;
  client.socket->sendBinaryMessage(png);
}

// [sweep] ----------------------------------------------------------------------

void EventHub::armSweep() {
  if (clients_.empty()) return sweepTimer_.stop();
  const std::uint32_t now = platform::TickCount();
  std::uint32_t due = nextPing_;
  for (const auto& client : clients_) {
    const std::uint32_t expires = client->lastHeard + limits::kIdleMs;
    if (platform::TicksUntil(now, expires) < platform::TicksUntil(now, due)) due = expires;
  }
  sweepTimer_.startAt(due);
}

void EventHub::sweep() {
  const std::uint32_t now = platform::TickCount();
  std::vector<std::shared_ptr<Client>> silent;
  for (const auto& client : clients_) {
    if (platform::TickReached(now, client->lastHeard + limits::kIdleMs)) silent.push_back(client);
  }
  // Silent for so long it may not read either: no goodbye that could sit in
  // its buffers, the connection just ends.
  for (const auto& client : silent) {
    client->socket->disconnect(&context_);
    client->socket->abort();
    forget(*client);
  }
  if (platform::TickReached(now, nextPing_)) {
    for (const auto& client : clients_) client->socket->ping();
    nextPing_ = now + limits::kPingMs;
  }
  armSweep();
}

}  // namespace horavia::live
