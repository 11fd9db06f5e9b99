// The host's event queue, for commands that wait while the user interface
// keeps running.
#pragma once

#include <cstdint>
#include <functional>

namespace horavia::platform {

// Processes the events already waiting and returns. A quit request is never
// consumed: it still ends the main loop afterwards. Does nothing when no
// application object exists.
void PumpPendingEvents();

// Blocks until an event arrives (and dispatches it) or maxMs milliseconds
// pass, whichever comes first. Without an application object it only
// sleeps. Never spins.
void WaitForEvents(std::uint32_t maxMs);

// Replaces the waiting (tests: a wait that advances ManualTicks instead of
// sleeping); an empty function restores the real wait.
void SetEventWaitHook(std::function<void(std::uint32_t maxMs)> hook);

}  // namespace horavia::platform
