// The host's event queue, for code that waits while the user interface keeps
// running (the delay command, the runtime's pump request). The queue itself
// belongs to the toolkit, so it is reached through a backend that the window
// layer installs; without one there is nothing to dispatch and waiting only
// sleeps.
#pragma once

#include <cstdint>

namespace horavia::platform {

struct EventLoopBackend {
  // Dispatches the events already waiting and returns. A quit request is
  // never consumed: it still ends the main loop afterwards.
  void (*pumpPending)();
  // Blocks until an event arrives (and dispatches it) or maxMs milliseconds
  // pass, whichever comes first. Never spins.
  void (*waitForEvents)(std::uint32_t maxMs);
};

// Installs the backend (null: none). The backend must outlive its use.
void SetEventLoopBackend(const EventLoopBackend* backend);

void PumpPendingEvents();

// Waits as the backend does. Under ManualTicks the wait moves the clock on to
// the earlier of its end and the next due timer (firing it), then dispatches
// what is waiting, instead of sleeping.
void WaitForEvents(std::uint32_t maxMs);

}  // namespace horavia::platform
