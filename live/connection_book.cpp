#include "live/connection_book.h"

#include "live/json_forms.h"
#include "platform/socket_handle.h"
#include "platform/ticks.h"

namespace horavia::live {
namespace {

// The answer to a connection that sent too much, written as bytes: the
// HTTP library has not parsed a request to answer through.
QByteArray TooLargeAnswer() {
  const HttpResponse response = ErrorResponse(
      Status::PayloadTooLarge, "the request is larger than " + std::to_string(limits::kHeadBytes) +
                                   " bytes of head and " + std::to_string(limits::kBodyBytes) + " bytes of body");
  std::string bytes = "HTTP/1.1 " + std::to_string(static_cast<int>(response.status)) + " " +
                      std::string(ReasonPhrase(response.status)) + "\r\nContent-Type: " + response.contentType +
                      "\r\nContent-Length: " + std::to_string(response.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + response.body;
  return QByteArray::fromStdString(bytes);
}

}  // namespace

ConnectionBook::ConnectionBook() : idleSweep_([this] { closeIdle(); }) {}

int ConnectionBook::openCount() {
  forgetClosed();
  return static_cast<int>(entries_.size());
}

void ConnectionBook::admit(QTcpSocket* socket) {
  // Room for one whole request of the largest size and the start of the
  // next: the library keeps a request's bytes in this buffer until it is
  // complete, and a full buffer stops reading from the system.
  socket->setReadBufferSize(static_cast<qint64>(2 * limits::kUnansweredBytes));
  Entry& entry = entries_.emplace_back(Entry{socket, platform::TickCount()});
  // Connected before the library connects its own: this runs first on each
  // arrival, while the new bytes are still unread. The library drops every
  // receiver of readyRead when the connection becomes an events socket.
  QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, &entry] { arrived(entry); });
  armIdleSweep();
}

void ConnectionBook::handOver(QTcpSocket* socket) {
  for (Entry& entry : entries_) {
    if (entry.socket == socket) entry.watched = false;
  }
}

void ConnectionBook::arrived(Entry& entry) {
  QTcpSocket* socket = entry.socket;
  if (!entry.watched || socket == nullptr) return;
  entry.lastHeard = platform::TickCount();
  // Between requests the library has no transaction open: a new request
  // starts with what is unread now. Within one it has read everything that
  // came before, so what is unread is new.
  const auto unread = static_cast<std::size_t>(socket->bytesAvailable());
  entry.unanswered = socket->isTransactionStarted() ? entry.unanswered + unread : unread;
  if (entry.unanswered <= limits::kUnansweredBytes) return;
  entry.watched = false;
  socket->write(TooLargeAnswer());
  socket->disconnectFromHost();
}

void ConnectionBook::forgetClosed() {
  entries_.remove_if([](const Entry& entry) { return entry.socket.isNull(); });
}

void ConnectionBook::armIdleSweep() {
  std::optional<std::uint32_t> due;
  const std::uint32_t now = platform::TickCount();
  for (const Entry& entry : entries_) {
    if (!entry.watched || entry.socket.isNull()) continue;
    const std::uint32_t expires = entry.lastHeard + limits::kIdleMs;
    if (!due || platform::TicksUntil(now, expires) < platform::TicksUntil(now, *due)) due = expires;
  }
  if (due) {
    idleSweep_.startAt(*due);
  } else {
    idleSweep_.stop();
  }
}

void ConnectionBook::closeIdle() {
  forgetClosed();
  const std::uint32_t now = platform::TickCount();
  std::vector<QPointer<QTcpSocket>> idle;
  for (Entry& entry : entries_) {
    if (!entry.watched || !platform::TickReached(now, entry.lastHeard + limits::kIdleMs)) continue;
    entry.watched = false;
    idle.push_back(entry.socket);
  }
  // Closing runs the library's handlers, which delete sockets: the list is
  // walked first, the sockets closed after. A connection silent this long
  // may not read either, so it ends at once rather than after its unsent
  // bytes.
  for (const QPointer<QTcpSocket>& socket : idle) {
    if (socket) socket->abort();
  }
  armIdleSweep();
}

void GuardedListener::incomingConnection(qintptr handle) {
  if (!book_.hasRoom()) {
    platform::CloseSocketHandle(handle);
    return;
  }
  auto* socket = new QTcpSocket(this);
  if (!socket->setSocketDescriptor(handle)) {
    delete socket;
    return;
  }
  book_.admit(socket);
  addPendingConnection(socket);
}

}  // namespace horavia::live
