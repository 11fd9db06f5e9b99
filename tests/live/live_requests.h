// Requests as a well-behaved local client sends them, for the tests of the
// request handling: right Host, the token where asked, nothing else.
#pragma once

#include <string>
#include <string_view>

#include "live/http_message.h"
#include "live/request_checks.h"

namespace horavia::live::testing {

inline constexpr std::uint16_t kTestPort = 39801;
inline constexpr std::string_view kTestToken = "0123456789abcdef0123456789ABCDEF";

inline ServerIdentity TestServer() { return {kTestPort, std::string(kTestToken)}; }

enum class TokenIn { Header, Query, None };
struct RequestOptions {
  TokenIn token = TokenIn::Header;
  const char* host = "127.0.0.1:39801";  // null: no Host header
};

inline HttpRequest Request(std::string method, std::string target, std::string body = "", RequestOptions options = {}) {
  HttpRequest request;
  request.method = std::move(method);
  const std::size_t question = target.find('?');
  request.path = target.substr(0, question);
  if (question != std::string::npos) request.query = target.substr(question + 1);
  if (options.host != nullptr) request.headers.push_back({"Host", options.host});
  if (options.token == TokenIn::Header) request.headers.push_back({"Authorization", "Bearer " + std::string(kTestToken)});
  if (options.token == TokenIn::Query) {
    request.query += (request.query.empty() ? "token=" : "&token=") + std::string(kTestToken);
  }
  request.body = std::move(body);
  return request;
}

}  // namespace horavia::live::testing
