// Index
//   [handlers]  what each route does with the application's operations
//   [table]     the routes
//   [http]      answering a request: checks, route, arguments, handler
//   [socket]    admitting an events socket and answering its messages
#include "live/routes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <variant>

#include "live/frame_png.h"
#include "live/json_forms.h"
#include "live/limits.h"
#include "live/overlay_page.h"

namespace horavia::live {
namespace {

JsonReply Error(Status status, const std::string& message) { return {status, ErrorJson(message)}; }

// [handlers] -------------------------------------------------------------------

// What a change answers: the state after it.
JsonReply StateNow(ControlPort& port) { return {Status::Ok, StateJson(port.state())}; }

JsonReply GetState(ControlPort& port, const Arguments&) { return StateNow(port); }

JsonReply PostSpin(ControlPort& port, const Arguments& arguments) {
  const std::optional<SpinTicket> ticket = port.spin(arguments.text("source", "api"));
  if (!ticket) return Error(Status::TooManyRequests, "the spin queue is full");
  return {Status::Accepted, {{"spin", static_cast<qint64>(ticket->spin)}, {"position", ticket->position}}};
}

JsonReply PostMode(ControlPort& port, const Arguments& arguments) {
  port.setMode(ModeNamed(arguments.text("mode")).value_or(DisplayMode::Clock));
  return StateNow(port);
}

JsonReply PostReset(ControlPort& port, const Arguments&) {
  port.resetWheel();
  return StateNow(port);
}

JsonReply PostChime(ControlPort& port, const Arguments& arguments) {
  port.setChime(arguments.boolean("on"));
  return StateNow(port);
}

JsonReply PostSkin(ControlPort& port, const Arguments& arguments) {
  const std::string name = arguments.text("name");
  if (!port.chooseSkin(name)) return Error(Status::NotFound, "no skin named \"" + name + "\"");
  return StateNow(port);
}

JsonReply GetSkins(ControlPort& port, const Arguments&) {
  QJsonArray names;
  for (const std::string& name : port.skins()) names.append(Utf8Text(name));
  return {Status::Ok, {{"skins", names}}};
}

JsonReply GetHistory(ControlPort& port, const Arguments& arguments) {
  QJsonArray spins;
  for (const SpinRecord& record : port.history(arguments.whole("limit", limits::kHistoryDefault))) {
    spins.append(RecordJson(record));
  }
  return {Status::Ok, {{"spins", spins}}};
}

HttpResponse GetFrame(ControlPort& port) {
  std::string png = EncodeFramePng(port.frame());
  if (png.empty()) return ErrorResponse(Status::NotFound, "there is no frame to show yet");
  return {Status::Ok, "image/png", {}, std::move(png)};
}

HttpResponse GetOverlay(ControlPort&) { return OverlayPageResponse(); }

HttpResponse EventsWithoutUpgrade(ControlPort&) {
  HttpResponse response = ErrorResponse(Status::UpgradeRequired, "this address takes WebSocket connections");
  response.headers.push_back({"Upgrade", "websocket"});
  return response;
}

// [table] ----------------------------------------------------------------------

constexpr FieldRule kSpinFields[] = {{.name = "source", .kind = FieldKind::Text, .maxBytes = limits::kSourceBytes}};
constexpr FieldRule kModeFields[] = {{.name = "mode", .kind = FieldKind::Choice, .required = true, .choices = kModeNames}};
constexpr FieldRule kChimeFields[] = {{.name = "on", .kind = FieldKind::Boolean, .required = true}};
constexpr FieldRule kSkinFields[] = {
    {.name = "name", .kind = FieldKind::Text, .required = true, .maxBytes = limits::kSkinNameBytes}};
constexpr FieldRule kHistoryFields[] = {
    {.name = "limit", .kind = FieldKind::Whole, .min = 1, .max = limits::kHistoryMax}};
constexpr FieldRule kEventsFields[] = {{.name = "frames", .kind = FieldKind::Boolean}};

constexpr Route kRoutes[] = {
    {"GET", kStatePath, "state", {}, &GetState},
    {"POST", kSpinPath, "spin", kSpinFields, &PostSpin},
    {"POST", kModePath, "mode", kModeFields, &PostMode},
    {"POST", kResetPath, "reset", {}, &PostReset},
    {"POST", kChimePath, "chime", kChimeFields, &PostChime},
    {"POST", kSkinPath, "skin", kSkinFields, &PostSkin},
    {"GET", kSkinsPath, "skins", {}, &GetSkins},
    {"GET", kHistoryPath, "history", kHistoryFields, &GetHistory},
    {"GET", kFramePath, "", {}, nullptr, &GetFrame},
    {"GET", kEventsPath, "", kEventsFields, nullptr, &EventsWithoutUpgrade},
    {"GET", kOverlayPath, "", {}, nullptr, &GetOverlay},
};

const Route* RouteAt(std::string_view path) {
  for (const Route& route : kRoutes) {
    if (route.path == path) return &route;
  }
  return nullptr;
}

const Route* RouteNamed(std::string_view request) {
  for (const Route& route : kRoutes) {
    if (!route.request.empty() && route.request == request) return &route;
  }
  return nullptr;
}

// [http] -----------------------------------------------------------------------

// The route for the request's path and method, or the answer when there is
// none.
std::variant<const Route*, HttpResponse> Routed(const HttpRequest& request) {
  const Route* route = RouteAt(request.path);
  if (route == nullptr) return ErrorResponse(Status::NotFound, "no such address: " + request.path);
  if (route->method != request.method) {
    HttpResponse response = ErrorResponse(Status::MethodNotAllowed, request.path + " takes " + std::string(route->method));
    response.headers.push_back({"Allow", std::string(route->method)});
    return response;
  }
  return route;
}

HttpResponse Answer(const HttpRequest& request, const ServerIdentity& server, ControlPort& port) {
  if (std::optional<HttpResponse> refusal = Refusal(request, server)) return std::move(*refusal);
  std::variant<const Route*, HttpResponse> routed = Routed(request);
  if (auto* response = std::get_if<HttpResponse>(&routed)) return std::move(*response);
  const Route& route = *std::get<const Route*>(routed);
  if (route.raw != nullptr) return route.raw(port);
  const ArgumentCheck check = route.method == "GET" ? ArgumentsFromQuery(request.query, route.fields)
                                                    : ArgumentsFromBody(request.body, route.fields);
  if (!check.ok()) return ErrorResponse(Status::BadRequest, check.error);
  const JsonReply reply = route.json(port, check.arguments);
  return JsonResponse(reply.status, reply.body);
}

// [socket] ---------------------------------------------------------------------

// The request's "id" as the answer echoes it: text or a number.
std::optional<std::string> IdProblem(const QJsonValue& id) {
  if (id.isUndefined() || id.isDouble()) return std::nullopt;
  if (id.isString() && id.toString().toUtf8().size() <= static_cast<qsizetype>(limits::kRequestIdBytes)) {
    return std::nullopt;
  }
  return "\"id\" must be a number or text of at most " + std::to_string(limits::kRequestIdBytes) + " bytes";
}

JsonReply SocketReply(const QJsonObject& message, ControlPort& port) {
  const QJsonValue name = message.value("request");
  if (!name.isString()) return Error(Status::BadRequest, "missing field \"request\"");
  const Route* route = RouteNamed(name.toString().toStdString());
  if (route == nullptr) return Error(Status::NotFound, "unknown request \"" + name.toString().toStdString() + "\"");
  QJsonObject fields = message;
  fields.remove("request");
  fields.remove("id");
  const ArgumentCheck check = CheckArguments(fields, route->fields);
  if (!check.ok()) return Error(Status::BadRequest, check.error);
  return route->json(port, check.arguments);
}

std::string SocketAnswer(const QJsonValue& id, const JsonReply& reply) {
  QJsonObject answer = reply.body;
  if (!id.isUndefined()) answer["id"] = id;
  const bool ok = static_cast<int>(reply.status) < 300;
  answer["status"] = ok ? "ok" : "error";
  if (!ok) answer["code"] = static_cast<int>(reply.status);
  return CompactJson(answer);
}

}  // namespace

std::span<const Route> Routes() { return kRoutes; }

HttpResponse HandleHttpRequest(const HttpRequest& request, const ServerIdentity& server, ControlPort& port) {
  HttpResponse response = Answer(request, server, port);
  response.headers.push_back({"Cache-Control", "no-store"});
  response.headers.push_back({"X-Content-Type-Options", "nosniff"});
  response.headers.push_back({"Referrer-Policy", "no-referrer"});
  return response;
}

EventsAdmission AdmitEventsSocket(const HttpRequest& request, const ServerIdentity& server) {
  if (std::optional<HttpResponse> refusal = Refusal(request, server)) return {std::move(refusal)};
  std::variant<const Route*, HttpResponse> routed = Routed(request);
  if (auto* response = std::get_if<HttpResponse>(&routed)) return {std::move(*response)};
  const Route& route = *std::get<const Route*>(routed);
  if (route.path != kEventsPath) {
    return {ErrorResponse(Status::NotFound, "WebSocket connections go to " + std::string(kEventsPath))};
  }
  const ArgumentCheck check = ArgumentsFromQuery(request.query, route.fields);
  if (!check.ok()) return {ErrorResponse(Status::BadRequest, check.error)};
  return {std::nullopt, check.arguments.boolean("frames")};
}

std::string HandleSocketMessage(std::string_view message, ControlPort& port) {
  const QJsonValue noId(QJsonValue::Undefined);
  QJsonParseError error;
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray(message.data(), static_cast<qsizetype>(message.size())), &error);
  if (error.error != QJsonParseError::NoError) {
    return SocketAnswer(noId, Error(Status::BadRequest, "the message is not JSON: " + error.errorString().toStdString()));
  }
  if (!document.isObject()) return SocketAnswer(noId, Error(Status::BadRequest, "the message must be a JSON object"));
  const QJsonObject object = document.object();
  const QJsonValue id = object.value("id");
  if (std::optional<std::string> problem = IdProblem(id)) {
    return SocketAnswer(noId, Error(Status::BadRequest, *problem));
  }
  return SocketAnswer(id, SocketReply(object, port));
}

}  // namespace horavia::live
