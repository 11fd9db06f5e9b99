// A request and its response as plain values: what the HTTP library parsed,
// and what the request handling answers. The handling is a function from
// one to the other, so that it runs without a socket in tests and fuzzers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace horavia::live {

struct Header {
  std::string name;
  std::string value;
};

struct HttpRequest {
  std::string method;  // "GET", "POST", ... as the library named it
  std::string path;    // percent-encoded, as sent
  std::string query;   // percent-encoded, without the "?"
  std::vector<Header> headers;
  std::string body;
};

// The status codes the interface answers with, each with its reason phrase.
enum class Status : int {
  Ok = 200,
  Accepted = 202,
  BadRequest = 400,
  Unauthorized = 401,
  Forbidden = 403,
  NotFound = 404,
  MethodNotAllowed = 405,
  PayloadTooLarge = 413,
  MisdirectedRequest = 421,
  UpgradeRequired = 426,
  TooManyRequests = 429,
};
struct StatusRow {
  Status status;
  std::string_view reason;
};
inline constexpr StatusRow kStatuses[] = {
    {Status::Ok, "OK"},
    {Status::Accepted, "Accepted"},
    {Status::BadRequest, "Bad Request"},              // bad JSON, wrong types, bad values
    {Status::Unauthorized, "Unauthorized"},           // no token, or the wrong one
    {Status::Forbidden, "Forbidden"},                 // a foreign Origin
    {Status::NotFound, "Not Found"},                  // no such path, or no such skin
    {Status::MethodNotAllowed, "Method Not Allowed"},
    {Status::PayloadTooLarge, "Payload Too Large"},   // head or body over the limit
    {Status::MisdirectedRequest, "Misdirected Request"},  // a Host that is not us
    {Status::UpgradeRequired, "Upgrade Required"},    // the events path without WebSocket
    {Status::TooManyRequests, "Too Many Requests"},   // the spin queue is full
};
std::string_view ReasonPhrase(Status status);

struct HttpResponse {
  Status status = Status::Ok;
  std::string contentType;
  std::vector<Header> headers;  // besides Content-Type and Content-Length
  std::string body;
};

// Headers compare by name without regard to ASCII case. Nothing when the
// header is absent; when it occurs more than once, `repeated` is set and the
// first value is returned.
struct HeaderLookup {
  std::optional<std::string_view> value;
  bool repeated = false;
};
HeaderLookup FindHeader(const std::vector<Header>& headers, std::string_view name);

}  // namespace horavia::live
