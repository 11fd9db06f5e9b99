// Ending the process, behind a seam so tests can watch the exit code instead
// of dying.
#pragma once

#include <functional>
#include <string>

namespace horavia::platform {

// Ends the process with the code. Never returns: when a test hook is set and
// returns (it should throw), the process ends anyway.
[[noreturn]] void ExitProcess(int code);

// Installs a hook called instead of ending the process (tests); an empty
// function restores the real exit.
void SetExitHook(std::function<void(int)> hook);

// The executable's own path (host, UTF-8).
std::string ExecutablePath();

}  // namespace horavia::platform
