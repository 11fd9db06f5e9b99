// The JSON shapes of the interface: the state, results, records and events
// as they travel over HTTP and the events socket, and the JSON responses.
#pragma once

#include <QJsonObject>
#include <optional>
#include <string>
#include <string_view>

#include "live/control_port.h"
#include "live/http_message.h"

namespace horavia::live {

// "clock" and "wheel", indexed by DisplayMode.
inline constexpr std::string_view kModeNames[] = {"clock", "wheel"};
std::string_view ModeName(DisplayMode mode);
std::optional<DisplayMode> ModeNamed(std::string_view name);

QJsonObject StateJson(const StateSnapshot& state);
// {"spin":id,"segment":n,"label":…,"angle":…}
QJsonObject ResultJson(const SpinResult& result);
QJsonObject RecordJson(const SpinRecord& record);
// {"event":name, …the event's fields}
QJsonObject EventJson(const AppEvent& event);

std::string CompactJson(const QJsonObject& object);
// UTF-8 bytes as the text JSON values hold.
QString Utf8Text(std::string_view text);
// {"error":message}
QJsonObject ErrorJson(std::string_view message);

// A JSON response, and an error response {"error":message}.
HttpResponse JsonResponse(Status status, const QJsonObject& body);
HttpResponse ErrorResponse(Status status, std::string_view message);

}  // namespace horavia::live
