#include "live/json_forms.h"

#include <QJsonDocument>
#include <QString>
#include <type_traits>

namespace horavia::live {
namespace {

// The fields of each event kind, after its name.
void AddFields(QJsonObject& out, const SpinStarted& e) {
  out["spin"] = static_cast<qint64>(e.spin);
  out["source"] = Utf8Text(e.source);
}
void AddFields(QJsonObject& out, const SpinEnded& e) {
  const QJsonObject result = ResultJson(e.result);
  for (auto it = result.begin(); it != result.end(); ++it) out[it.key()] = it.value();
}
void AddFields(QJsonObject& out, const ModeChanged& e) { out["mode"] = Utf8Text(ModeName(e.mode)); }
void AddFields(QJsonObject& out, const SkinChanged& e) { out["skin"] = Utf8Text(e.skin); }
void AddFields(QJsonObject& out, const ChimeRang& e) { out["hour"] = e.hour; }
void AddFields(QJsonObject& out, const SettingsChanged& e) {
  out["key"] = Utf8Text(e.key);
  out["value"] = Utf8Text(e.value);
}

}  // namespace

std::string_view ModeName(DisplayMode mode) { return kModeNames[static_cast<int>(mode)]; }

std::optional<DisplayMode> ModeNamed(std::string_view name) {
  for (int i = 0; i < static_cast<int>(std::size(kModeNames)); ++i) {
    if (kModeNames[i] == name) return static_cast<DisplayMode>(i);
  }
  return std::nullopt;
}

QJsonObject ResultJson(const SpinResult& result) {
  return {{"spin", static_cast<qint64>(result.spin)},
          {"segment", result.segment},
          {"label", Utf8Text(result.label)},
          {"angle", result.angle}};
}

QJsonObject StateJson(const StateSnapshot& state) {
  return {{"mode", Utf8Text(ModeName(state.mode))},
          {"skin", Utf8Text(state.skin)},
          {"chime", state.chime},
          {"volume", state.volume},
          {"spinning", state.spinning},
          {"queued", state.queued},
          {"lastResult", state.lastResult ? QJsonValue(ResultJson(*state.lastResult)) : QJsonValue(QJsonValue::Null)},
          {"version", Utf8Text(state.version)}};
}

QJsonObject RecordJson(const SpinRecord& record) {
  return {{"time", Utf8Text(record.time)},     {"skin", Utf8Text(record.skin)},   {"segment", record.segment},
          {"label", Utf8Text(record.label)},   {"angle", record.angle},       {"source", Utf8Text(record.source)}};
}

QJsonObject EventJson(const AppEvent& event) {
  return std::visit(
      [](const auto& e) {
        QJsonObject out{{"event", Utf8Text(std::decay_t<decltype(e)>::kName)}};
        AddFields(out, e);
        return out;
      },
      event);
}

QString Utf8Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QJsonObject ErrorJson(std::string_view message) { return {{"error", Utf8Text(message)}}; }

std::string CompactJson(const QJsonObject& object) {
  return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

HttpResponse JsonResponse(Status status, const QJsonObject& body) {
  return {status, "application/json; charset=utf-8", {}, CompactJson(body)};
}

HttpResponse ErrorResponse(Status status, std::string_view message) {
  return JsonResponse(status, ErrorJson(message));
}

}  // namespace horavia::live
