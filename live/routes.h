// The control interface's request handling, without a socket: every route
// is one row of one table (method, path, its request name on the events
// socket, its fields, its handler), and HTTP requests, events-socket
// upgrades and events-socket messages are all answered from it.
#pragma once

#include <QJsonObject>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "live/arguments.h"
#include "live/control_port.h"
#include "live/http_message.h"
#include "live/request_checks.h"

namespace horavia::live {

// The paths, for the table and for the command line that calls them.
inline constexpr std::string_view kStatePath = "/api/v1/state";
inline constexpr std::string_view kSpinPath = "/api/v1/spin";
inline constexpr std::string_view kModePath = "/api/v1/mode";
inline constexpr std::string_view kResetPath = "/api/v1/reset";
inline constexpr std::string_view kChimePath = "/api/v1/chime";
inline constexpr std::string_view kSkinPath = "/api/v1/skin";
inline constexpr std::string_view kSkinsPath = "/api/v1/skins";
inline constexpr std::string_view kHistoryPath = "/api/v1/history";
inline constexpr std::string_view kFramePath = "/api/v1/frame.png";
inline constexpr std::string_view kEventsPath = "/api/v1/events";
inline constexpr std::string_view kOverlayPath = "/overlay";

// What a route answers in JSON: over HTTP the body, over the events socket
// the fields beside "id" and "status".
struct JsonReply {
  Status status = Status::Ok;
  QJsonObject body;
};

using JsonHandler = JsonReply (*)(ControlPort& port, const Arguments& arguments);
using RawHandler = HttpResponse (*)(ControlPort& port);

struct Route {
  std::string_view method;
  std::string_view path;
  std::string_view request;  // its name on the events socket; empty: HTTP only
  std::span<const FieldRule> fields;
  JsonHandler json = nullptr;  // exactly one of the two
  RawHandler raw = nullptr;
};
std::span<const Route> Routes();

// Any request: the checks, then its route. Every response carries the
// headers that keep it out of caches and referrers.
HttpResponse HandleHttpRequest(const HttpRequest& request, const ServerIdentity& server, ControlPort& port);

// An events socket as its upgrade request asked for it: refused with the
// response the same request would get over HTTP, or admitted, with overlay
// frames when the query says "frames=1".
struct EventsAdmission {
  std::optional<HttpResponse> refusal;
  bool frames = false;
};
EventsAdmission AdmitEventsSocket(const HttpRequest& request, const ServerIdentity& server);

// One text message from an events socket, {"request":name,"id":…, fields},
// and its answer {"id":…,"status":"ok", …} or {"id":…,"status":"error",
// "code":n,"error":…}.
std::string HandleSocketMessage(std::string_view message, ControlPort& port);

}  // namespace horavia::live
