// Index
//   [backend]    the desktop backend the window layer installs
//   [clipboard]  clipboard text and the alert sound
//   [shell]      opening files, folders, addresses and programs
//   [folders]    the standard folders
#include "platform/desktop.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <utility>

#include "platform/files.h"
#include "platform/registry.h"

namespace horavia::platform {
namespace {

const DesktopBackend*& Backend() {
  static const DesktopBackend* backend = nullptr;
  return backend;
}

}  // namespace

// [backend] ------------------------------------------------------------------

void SetDesktopBackend(const DesktopBackend* backend) { Backend() = backend; }

// [clipboard] ----------------------------------------------------------------

bool SetClipboardText(const std::string& utf8) {
  const DesktopBackend* b = Backend();
  return b != nullptr && b->setClipboardText(utf8);
}

void Beep() {
  if (const DesktopBackend* b = Backend()) b->beep();
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

// A file URL for a path, relative paths taken from `folder` (or the current
// folder). Bytes that may not stand in a URL path are percent-encoded; other
// UTF-8 stays as it is, as a desktop shows it.
std::string FileUrl(const std::string& path, const std::string& folder) {
  std::string absolute = path;
  if (absolute.empty() || absolute[0] != '/') {
    std::string base = folder;
    if (base.empty()) {
      char* cwd = getcwd(nullptr, 0);
      if (cwd != nullptr) base = cwd;
      std::free(cwd);
    }
    if (!base.empty() && base.back() != '/') base += '/';
    absolute = base + absolute;
  }
  std::string url = "file://";
  for (unsigned char c : absolute) {
    constexpr std::string_view kReserved = "\"#%<>?[\\]^`{|}";
    bool plain = c >= 0x80 || (c > 0x20 && c != 0x7F && kReserved.find(static_cast<char>(c)) == kReserved.npos);
    if (plain) {
      url += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      url += escaped;
    }
  }
  return url;
}

std::function<bool(const ShellAction&)>& Launcher() {
  static std::function<bool(const ShellAction&)> launcher;
  return launcher;
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
  action.url = FileUrl(request.target, request.workingFolder);
  return action;
}

bool ShellOpen(const ShellRequest& request) {
  ShellAction action = PlanShellOpen(request);
  if (action.kind == ShellAction::None) return false;
  if (auto& launcher = Launcher()) return launcher(action);
  const DesktopBackend* b = Backend();
  return b != nullptr && b->launch(action);
}

void SetShellLauncher(std::function<bool(const ShellAction&)> launcher) { Launcher() = std::move(launcher); }

// [folders] ------------------------------------------------------------------

namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Unslashed(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string Under(const std::string& folder, const char* name) {
  return folder.empty() ? folder : folder + "/" + name;
}

// The host's counterparts of the folders the commands name. The documents
// and desktop folders are the user's own choice, kept in the desktop's
// settings, so they come from the backend.
std::string FolderOfKind(FolderKind kind) {
  switch (kind) {
    case FolderKind::Documents:
    case FolderKind::Desktop: {
      const DesktopBackend* b = Backend();
      return b != nullptr ? b->standardFolder(kind) : std::string();
    }
    // No desktop standard exists for favourites; they live with the user's
    // data.
    case FolderKind::Favourites: return Under(UserDataFolder(), "favourites");
    case FolderKind::Fonts: return Under(UserDataFolder(), "fonts");
    // The start menu and its programs are both the applications menu.
    case FolderKind::StartMenu:
    case FolderKind::Programs: return Under(UserDataFolder(), "applications");
    case FolderKind::Startup: return Under(UserConfigFolder(), "autostart");
    case FolderKind::ApplicationData: return UserDataFolder();
    case FolderKind::System: return "/usr";               // the system's shared programs and data
    case FolderKind::SystemLibraries: return "/usr/lib";  // the system's shared libraries
    case FolderKind::Temporary: {
      const char* temp = std::getenv("TMPDIR");
      return temp != nullptr && temp[0] == '/' ? temp : "/tmp";
    }
    default: return {};
  }
}

}  // namespace

std::string SpecialFolder(int kind) {
  std::string folder = Unslashed(FolderOfKind(static_cast<FolderKind>(kind)));
  // Like the lookup without creation: a folder that is not there is no answer.
  if (!IsFolder(folder)) return {};
  return folder;
}

}  // namespace horavia::platform
