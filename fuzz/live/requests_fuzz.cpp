// Fuzz entry point for the control interface's request handling, below the
// HTTP library, over an application in memory. The input's first byte
// picks what the rest is:
//   'W'  one events-socket message;
//   'U'  an events-socket upgrade request, laid out as for 'H';
//   else an HTTP request: method, path and query lines, "Name: value"
//        header lines up to an empty line, then the body.
// Whatever the input: the status is one of the table's, every JSON answer
// parses, every socket answer says ok or error, and nothing reaches the
// application unless the request carried the token.
#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "live/routes.h"
#include "tests/live/fake_port.h"

using namespace horavia::live;

namespace {

constexpr std::string_view kToken = "00112233445566778899aabbccddeeff";
constexpr std::uint16_t kPort = 39801;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::string_view Line(std::string_view& input) {
  const std::size_t end = input.find('\n');
  const std::string_view line = input.substr(0, end);
  input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  return line;
}

HttpRequest Parse(std::string_view input) {
  HttpRequest request;
  request.method = Line(input);
  request.path = Line(input);
  request.query = Line(input);
  while (!input.empty()) {
    const std::string_view line = Line(input);
    if (line.empty()) break;
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos) {
      request.headers.push_back({std::string(line), ""});
    } else {
      request.headers.push_back({std::string(line.substr(0, colon)), std::string(line.substr(colon + 2))});
    }
  }
  request.body = input;
  return request;
}

bool CarriesToken(const HttpRequest& request) {
  if (request.query.find(kToken) != std::string::npos) return true;
  for (const Header& header : request.headers) {
    if (header.value.find(kToken) != std::string::npos) return true;
  }
  return false;
}

bool KnownStatus(Status status) {
  for (const StatusRow& row : kStatuses) {
    if (row.status == status) return true;
  }
  return false;
}

bool IsJsonObject(const std::string& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
  return error.error == QJsonParseError::NoError && document.isObject();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const char kind = input.empty() ? 'H' : input.front();
  if (!input.empty()) input.remove_prefix(1);
  horavia::live::testing::FakePort port;
  const ServerIdentity server{kPort, std::string(kToken)};

  if (kind == 'W') {
    const QJsonObject answer =
        QJsonDocument::fromJson(QByteArray::fromStdString(HandleSocketMessage(input, port))).object();
    Check(answer["status"] == "ok" || answer["status"] == "error");
    return 0;
  }
  const HttpRequest request = Parse(input);
  if (kind == 'U') {
    const EventsAdmission admission = AdmitEventsSocket(request, server);
    Check(admission.refusal || CarriesToken(request));
    if (admission.refusal) Check(KnownStatus(admission.refusal->status) && IsJsonObject(admission.refusal->body));
    return 0;
  }
  const HttpResponse response = HandleHttpRequest(request, server, port);
  Check(KnownStatus(response.status));
  if (response.contentType.starts_with("application/json")) Check(IsJsonObject(response.body));
  Check(port.calls.empty() || CarriesToken(request));
  if (static_cast<int>(response.status) < 300) Check(CarriesToken(request));
  return 0;
}
