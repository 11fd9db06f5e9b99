#include "live/command_line.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <charconv>
#include <filesystem>

#include "app/control_token.h"
#include "app/settings.h"
#include "live/routes.h"
#include "platform/ini.h"
#include "platform/process.h"

namespace horavia::live {
namespace {

// Each command: its words, and the request it sends.
struct ClientCommand {
  std::string_view words;
  std::string_view method;
  std::string_view path;
  std::string_view body;
  bool printsAnswer;
};
constexpr ClientCommand kCommands[] = {
    {"spin", "POST", kSpinPath, R"({"source":"command line"})", true},
    {"clock", "POST", kModePath, R"({"mode":"clock"})", false},
    {"wheel", "POST", kModePath, R"({"mode":"wheel"})", false},
    {"reset", "POST", kResetPath, "", false},
    {"state", "GET", kStatePath, "", true},
    {"chime on", "POST", kChimePath, R"({"on":true})", false},
    {"chime off", "POST", kChimePath, R"({"on":false})", false},
};
constexpr std::string_view kUsage = "usage: horavia spin|clock|wheel|reset|state|chime on|chime off";

// Long enough for a local server that answers at once, short enough for a
// button press that should not hang.
constexpr int kAnswerTimeoutMs = 5000;

const ClientCommand* CommandFor(std::span<const std::string> words) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  for (const ClientCommand& command : kCommands) {
    if (command.words == joined) return &command;
  }
  return nullptr;
}

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// The reason a refusal gives, from its JSON body.
std::string RefusalReason(const QByteArray& body) {
  const QString error = QJsonDocument::fromJson(body).object().value("error").toString();
  return error.isEmpty() ? "no reason given" : error.toStdString();
}

}  // namespace

ClientSettings ReadClientSettings(const std::string& settingsPath, std::string_view section, std::string_view portKey,
                                  std::string_view tokenKey) {
  constexpr std::size_t kValueBytes = 128;
  ClientSettings settings;
  const std::string port = platform::ReadIniString(settingsPath, section, portKey, "0", kValueBytes);
  unsigned value = 0;
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
  if (error == std::errc() && end == port.data() + port.size() && value >= 1 && value <= 65535) {
    settings.port = static_cast<std::uint16_t>(value);
  }
  settings.token = platform::ReadIniString(settingsPath, section, tokenKey, "", kValueBytes);
  return settings;
}

ClientSettings ReadProgramClientSettings() {
  const std::string program = std::filesystem::path(platform::ExecutablePath()).parent_path().string();
  const app::SettingRow& port = app::RowOf(app::Setting::ControlPort);
  return ReadClientSettings(app::SettingsHostPath(program), port.section, port.key,
                            app::RowOf(app::Setting::ControlToken).key);
}

bool IsClientCommandWord(std::string_view word) {
  for (const ClientCommand& command : kCommands) {
    if (command.words.substr(0, command.words.find(' ')) == word) return true;
  }
  return false;
}

int RunClientCommand(std::span<const std::string> words, const ClientSettings& settings, std::ostream& out,
                     std::ostream& err) {
  const ClientCommand* command = CommandFor(words);
  if (command == nullptr) {
    err << kUsage << "\n";
    return kClientUsage;
  }
  if (settings.port == 0) {
    err << "horavia: the control interface is off (allow local control in the settings window)\n";
    return kClientFailed;
  }
  if (!app::IsWellFormedToken(settings.token)) {
    err << "horavia: the settings hold no control token\n";
    return kClientFailed;
  }
  QNetworkRequest request(QUrl(QString("http://127.0.0.1:%1%2").arg(settings.port).arg(QString::fromUtf8(Bytes(command->path)))));
  request.setRawHeader("Authorization", "Bearer " + Bytes(settings.token));
  request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
  request.setTransferTimeout(kAnswerTimeoutMs);
  QNetworkAccessManager network;
  QNetworkReply* reply = network.sendCustomRequest(request, Bytes(command->method), Bytes(command->body));
  QEventLoop wait;
  QObject::connect(reply, &QNetworkReply::finished, &wait, &QEventLoop::quit);
  wait.exec();
  reply->deleteLater();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QByteArray body = reply->readAll();
  if (status == 0) {
    err << "horavia: no instance answers on 127.0.0.1 port " << settings.port << " ("
        << reply->errorString().toStdString() << ")\n";
    return kClientFailed;
  }
  if (status >= 300) {
    err << "horavia: refused (" << status << "): " << RefusalReason(body) << "\n";
    return kClientFailed;
  }
  if (command->printsAnswer) out << body.toStdString() << "\n";
  return kClientDone;
}

}  // namespace horavia::live
