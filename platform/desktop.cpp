// Index
//   [clipboard]  clipboard text and the alert sound
//   [shell]      opening files, folders, addresses and programs
//   [folders]    the standard folders
#include "platform/desktop.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <utility>

#include "platform/registry.h"

namespace horavia::platform {
namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string U(const QString& s) { return s.toUtf8().toStdString(); }

QGuiApplication* GuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

}  // namespace

// [clipboard] ----------------------------------------------------------------

bool SetClipboardText(const std::string& utf8) {
  if (GuiApp() == nullptr) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(Q(utf8));
  return true;
}

void Beep() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

// [shell] --------------------------------------------------------------------

namespace {

// "scheme:" with a scheme of two letters or more (one letter would be a
// drive name).
bool HasUrlScheme(const std::string& target) {
  std::size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    char c = target[i];
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (i > 0 && ((c >= '0' && c <= '9') || c == '+' ||
                                                                           c == '-' || c == '.'));
    if (!ok) return false;
  }
  return true;
}

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::function<bool(const ShellAction&)>& Launcher() {
  static std::function<bool(const ShellAction&)> launcher;
  return launcher;
}

bool Launch(const ShellAction& action) {
  switch (action.kind) {
    case ShellAction::OpenUrl: return QDesktopServices::openUrl(QUrl(Q(action.url)));
    case ShellAction::StartProgram: {
      QStringList arguments;
      for (const auto& a : action.arguments) arguments << Q(a);
      return QProcess::startDetached(Q(action.program), arguments, Q(action.workingFolder));
    }
    case ShellAction::None: return false;
  }
  return false;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& parameters) {
  std::vector<std::string> arguments;
  std::string current;
  bool inQuotes = false, any = false;
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    char c = parameters[i];
    if (c == '\\' && i + 1 < parameters.size() && parameters[i + 1] == '"') {
      current.push_back('"');
      any = true;
      ++i;
    } else if (c == '"') {
      inQuotes = !inQuotes;
      any = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes) {
      if (any) arguments.push_back(current);
      current.clear();
      any = false;
    } else {
      current.push_back(c);
      any = true;
    }
  }
  if (any) arguments.push_back(current);
  return arguments;
}

ShellAction PlanShellOpen(const ShellRequest& request) {
  ShellAction action;
  if (request.target.empty() || request.verb == "print") return action;
  action.workingFolder = request.workingFolder;
  if (HasUrlScheme(request.target)) {
    action.kind = ShellAction::OpenUrl;
    action.url = request.target;
    return action;
  }
  bool runs = request.verb.empty() || request.verb == "open";
  if (runs && IsExecutableFile(request.target)) {
    action.kind = ShellAction::StartProgram;
    action.program = request.target;
    action.arguments = SplitCommandLine(request.parameters);
    return action;
  }
  action.kind = ShellAction::OpenUrl;
  action.url = U(QUrl::fromLocalFile(QDir(Q(request.workingFolder)).absoluteFilePath(Q(request.target))).toString());
  return action;
}

bool ShellOpen(const ShellRequest& request) {
  ShellAction action = PlanShellOpen(request);
  if (action.kind == ShellAction::None) return false;
  if (auto& launcher = Launcher()) return launcher(action);
  return Launch(action);
}

void SetShellLauncher(std::function<bool(const ShellAction&)> launcher) { Launcher() = std::move(launcher); }

// [folders] ------------------------------------------------------------------

namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Standard(QStandardPaths::StandardLocation location) {
  return U(QStandardPaths::writableLocation(location));
}

std::string Unslashed(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The host's counterparts of the folders the commands name.
std::string FolderOfKind(int kind) {
  switch (kind) {
    case 1: return Standard(QStandardPaths::DocumentsLocation);
    case 2: {
      // No desktop standard exists for favourites; they live with the
      // user's data.
      std::string data = Standard(QStandardPaths::GenericDataLocation);
      return data.empty() ? data : data + "/favourites";
    }
    case 3: return Standard(QStandardPaths::DesktopLocation);
    case 4: return Standard(QStandardPaths::FontsLocation);
    case 5:  // the start menu and its programs are both the applications menu
    case 6: return Standard(QStandardPaths::ApplicationsLocation);
    case 7: {
      std::string config = UserConfigFolder();
      return config.empty() ? config : config + "/autostart";
    }
    case 8: return Standard(QStandardPaths::GenericDataLocation);
    case 9: return "/usr";      // where the system's shared programs and data live
    case 10: return "/usr/lib"; // where the system's shared libraries live
    case 11: return U(QDir::tempPath());
    default: return {};
  }
}

}  // namespace

std::string SpecialFolder(int kind) {
  std::string folder = Unslashed(FolderOfKind(kind));
  // Like the lookup without creation: a folder that is not there is no answer.
  if (!IsFolder(folder)) return {};
  return folder;
}

}  // namespace horavia::platform
