// The desktop's services: the clipboard, opening files and addresses with
// the desktop's own opener, the standard folders and the alert sound.
// Paths here are host paths (UTF-8). What only the toolkit can do comes from
// a backend the window layer installs (platform/qt_platform.h); without one
// the clipboard refuses, nothing is launched and the desktop's own folders
// are unknown.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace horavia::platform {

struct ShellAction;

// The standard folders, by the numbers the commands name them with.
enum class FolderKind : int {
  Documents = 1,
  Favourites = 2,
  Desktop = 3,
  Fonts = 4,
  StartMenu = 5,
  Programs = 6,
  Startup = 7,
  ApplicationData = 8,
  System = 9,
  SystemLibraries = 10,
  Temporary = 11,
};

struct DesktopBackend {
  bool (*setClipboardText)(const std::string& utf8);
  void (*beep)();
  bool (*launch)(const ShellAction& action);
  // The folder of a kind that the user's desktop settings name (documents,
  // desktop), or empty.
  std::string (*standardFolder)(FolderKind kind);
};

// Installs the backend (null: none). The backend must outlive its use.
void SetDesktopBackend(const DesktopBackend* backend);

// Puts text on the clipboard; false without a graphical application.
bool SetClipboardText(const std::string& utf8);

// The alert sound of the desktop; nothing without a graphical application.
void Beep();

// What a shell-open request asks for. verb: "", "edit", "explore", "find",
// "open" or "print"; target: a host path or an address with a scheme.
struct ShellRequest {
  std::string verb;
  std::string target;
  std::string parameters;
  std::string workingFolder;
  int showMode = 2;  // 1 hidden … 6 minimised; the desktop decides placement
};

// How the desktop carries out a request.
struct ShellAction {
  enum Kind { None, OpenUrl, StartProgram } kind = None;
  std::string url;                 // OpenUrl: the address or file URL
  std::string program;             // StartProgram: the executable
  std::vector<std::string> arguments;
  std::string workingFolder;
};

// The plan for a request: an executable file with the default, "open" or
// no verb starts as a program with the parameters split like a command
// line; any other target (and "edit", "explore", "find") opens with the
// desktop's opener. "print" has no desktop equivalent: nothing happens.
ShellAction PlanShellOpen(const ShellRequest& request);

// Carries out the plan; false when nothing could be started.
bool ShellOpen(const ShellRequest& request);

// Replaces the launcher (tests: record instead of starting anything); an
// empty function restores the real one.
void SetShellLauncher(std::function<bool(const ShellAction&)> launcher);

// Splits a parameter text into arguments: blanks separate, double quotes
// group, a backslash before a quote escapes it.
std::vector<std::string> SplitCommandLine(const std::string& parameters);

// The standard folder of a kind (a FolderKind number), without a trailing
// slash; empty for any other number or a folder that does not exist.
std::string SpecialFolder(int kind);

}  // namespace horavia::platform
