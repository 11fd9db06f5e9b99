// The checks every request passes before anything reads its route: its
// size, that it was meant for this server (Host), that no foreign web page
// sent it (Origin), and the token.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "live/http_message.h"

namespace horavia::live {

// Who the server is: the port it listens on and the token a request must
// carry.
struct ServerIdentity {
  std::uint16_t port = 0;
  std::string token;
};

// Whether `given` equals `expected`, in a time that depends on the length
// of `expected` only, so that timing reveals nothing about how much of a
// guess was right.
bool TokensMatch(std::string_view given, std::string_view expected);

// The bytes of the request's head as sent: request line, header lines and
// the blank line that ends them.
std::size_t HeadSize(const HttpRequest& request);

// Whether `host` (a Host header) names a loopback address or "localhost"
// with this port.
bool IsOwnHost(std::string_view host, std::uint16_t port);
// Whether `origin` (an Origin header) is a page served by this server.
bool IsOwnOrigin(std::string_view origin, std::uint16_t port);

// The answer for a request that fails a check, in this order: too large
// (413), a Host that is not ours (421: DNS rebinding), a foreign Origin
// (403), no token or the wrong one (401). Nothing when it passes. The token
// comes from "Authorization: Bearer <token>", or else from "?token=".
std::optional<HttpResponse> Refusal(const HttpRequest& request, const ServerIdentity& server);

}  // namespace horavia::live
