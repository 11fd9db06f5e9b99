// The command line that talks to a running instance through the control
// interface: `horavia spin|clock|wheel|reset|state|chime on|chime off`, for
// Stream Deck tools and shell scripts. Port and token come from the user's
// settings file, read by the INI engine the program reads it with.
//
// Exit codes: 0 done; 1 no instance answers, the interface is off, or the
// request was refused (the reason on standard error); 2 a usage error.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace horavia::live {

inline constexpr int kClientDone = 0;
inline constexpr int kClientFailed = 1;
inline constexpr int kClientUsage = 2;

// Where the running instance listens, as its settings say (port 0: off).
struct ClientSettings {
  std::uint16_t port = 0;
  std::string token;
};

// The settings file at `settingsPath` (a host path); section and keys as
// the file stores them (code page 936). A port that is not a number from 1
// to 65535 reads as 0.
ClientSettings ReadClientSettings(const std::string& settingsPath, std::string_view section, std::string_view portKey,
                                  std::string_view tokenKey);

// The settings of the program this executable is: "配置.ini" where that
// program keeps it.
ClientSettings ReadProgramClientSettings();

// Whether `word` starts a client command: the program then runs it instead
// of starting.
bool IsClientCommandWord(std::string_view word);

// Runs the command the words after the program's name form. `state` and
// `spin` print the answer's JSON on `out`; every failure prints one line on
// `err`. Needs the Qt application object; waits at most a few seconds.
int RunClientCommand(std::span<const std::string> words, const ClientSettings& settings, std::ostream& out,
                     std::ostream& err);

}  // namespace horavia::live
