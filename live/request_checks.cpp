#include "live/request_checks.h"

#include <string>

#include "base/ascii.h"
#include "live/arguments.h"
#include "live/json_forms.h"
#include "live/limits.h"

namespace horavia::live {
namespace {

// The names a loopback client may use for this machine, as they appear in
// a Host header or an origin.
constexpr std::string_view kLoopbackNames[] = {"127.0.0.1", "localhost", "[::1]"};

bool IsLoopbackAuthority(std::string_view authority, std::uint16_t port) {
  const std::string portText = std::to_string(port);
  for (std::string_view name : kLoopbackNames) {
    if (authority.size() != name.size() + 1 + portText.size()) continue;
    if (base::EqualIgnoringAsciiCase(authority.substr(0, name.size()), name) && authority[name.size()] == ':' &&
        authority.substr(name.size() + 1) == portText) {
      return true;
    }
  }
  return false;
}

// "Bearer <token>": the scheme in any case, then the token.
std::optional<std::string_view> BearerToken(std::string_view authorization) {
  constexpr std::string_view kScheme = "Bearer ";
  if (authorization.size() < kScheme.size() || !base::EqualIgnoringAsciiCase(authorization.substr(0, kScheme.size()), kScheme)) {
    return std::nullopt;
  }
  std::string_view token = authorization.substr(kScheme.size());
  while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
  while (!token.empty() && token.back() == ' ') token.remove_suffix(1);
  return token;
}

HttpResponse Unauthorized(std::string_view message) {
  HttpResponse response = ErrorResponse(Status::Unauthorized, message);
  response.headers.push_back({"WWW-Authenticate", "Bearer"});
  return response;
}

std::optional<HttpResponse> TokenRefusal(const HttpRequest& request, const ServerIdentity& server) {
  const HeaderLookup authorization = FindHeader(request.headers, "Authorization");
  if (authorization.repeated) return ErrorResponse(Status::BadRequest, "more than one Authorization header");
  if (authorization.value) {
    const std::optional<std::string_view> token = BearerToken(*authorization.value);
    if (!token) return Unauthorized("the Authorization header is not \"Bearer <token>\"");
    if (!TokensMatch(*token, server.token)) return Unauthorized("the token is wrong");
    return std::nullopt;
  }
  const QUrlQuery query = ParseQuery(request.query);
  if (!query.hasQueryItem("token")) return Unauthorized("no token: send \"Authorization: Bearer <token>\" or ?token=");
  if (!TokensMatch(query.queryItemValue("token", QUrl::FullyDecoded).toStdString(), server.token)) {
    return Unauthorized("the token is wrong");
  }
  return std::nullopt;
}

}  // namespace

bool TokensMatch(std::string_view given, std::string_view expected) {
  // Every byte of `expected` is compared, whatever `given` holds; a
  // different length only sets the difference.
  unsigned difference = given.size() == expected.size() ? 0u : 1u;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const unsigned char g = i < given.size() ? static_cast<unsigned char>(given[i]) : 0u;
    difference |= g ^ static_cast<unsigned char>(expected[i]);
  }
  return difference == 0 && !expected.empty();
}

std::size_t HeadSize(const HttpRequest& request) {
  // "METHOD /path?query HTTP/1.1\r\n", "Name: value\r\n" each, "\r\n".
  std::size_t size = request.method.size() + 1 + request.path.size() + 1 + 8 + 2 + 2;
  if (!request.query.empty()) size += 1 + request.query.size();
  for (const Header& header : request.headers) size += header.name.size() + 2 + header.value.size() + 2;
  return size;
}

bool IsOwnHost(std::string_view host, std::uint16_t port) { return IsLoopbackAuthority(host, port); }

bool IsOwnOrigin(std::string_view origin, std::uint16_t port) {
  constexpr std::string_view kScheme = "http://";
  if (origin.size() < kScheme.size() || !base::EqualIgnoringAsciiCase(origin.substr(0, kScheme.size()), kScheme)) return false;
  return IsLoopbackAuthority(origin.substr(kScheme.size()), port);
}

std::optional<HttpResponse> Refusal(const HttpRequest& request, const ServerIdentity& server) {
  if (HeadSize(request) > limits::kHeadBytes) {
    return ErrorResponse(Status::PayloadTooLarge,
                         "the request head is larger than " + std::to_string(limits::kHeadBytes) + " bytes");
  }
  if (request.body.size() > limits::kBodyBytes) {
    return ErrorResponse(Status::PayloadTooLarge,
                         "the request body is larger than " + std::to_string(limits::kBodyBytes) + " bytes");
  }
  const HeaderLookup host = FindHeader(request.headers, "Host");
  if (host.repeated) return ErrorResponse(Status::BadRequest, "more than one Host header");
  if (!host.value || !IsOwnHost(*host.value, server.port)) {
    return ErrorResponse(Status::MisdirectedRequest,
                         "the Host header must be 127.0.0.1, localhost or [::1] with port " +
                             std::to_string(server.port));
  }
  const HeaderLookup origin = FindHeader(request.headers, "Origin");
  if (origin.repeated) return ErrorResponse(Status::BadRequest, "more than one Origin header");
  if (origin.value && !IsOwnOrigin(*origin.value, server.port)) {
    return ErrorResponse(Status::Forbidden, "requests from other web pages are not allowed");
  }
  return TokenRefusal(request, server);
}

}  // namespace horavia::live
