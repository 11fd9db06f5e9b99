#include "platform/event_loop.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/ticks.h"
#include "platform/timers.h"

namespace horavia::platform {
namespace {

const EventLoopBackend*& Backend() {
  static const EventLoopBackend* backend = nullptr;
  return backend;
}

}  // namespace

void SetEventLoopBackend(const EventLoopBackend* backend) { Backend() = backend; }

void PumpPendingEvents() {
  if (const EventLoopBackend* b = Backend()) b->pumpPending();
}

void WaitForEvents(std::uint32_t maxMs) {
  if (maxMs == 0) return;
  if (ManualTicks* ticks = ManualTicks::Current()) {
    std::uint32_t step = maxMs;
    if (std::optional<std::uint32_t> due = EarliestDueTick()) step = std::min(step, TicksUntil(ticks->now(), *due));
    ticks->advance(step);
    PumpPendingEvents();
    return;
  }
  if (const EventLoopBackend* b = Backend()) {
    b->waitForEvents(maxMs);
    return;
  }
  // No event loop: sleep, but only until the next timer is due, and fire it.
  std::uint32_t step = maxMs;
  if (std::optional<std::uint32_t> due = EarliestDueTick()) step = std::min(step, TicksUntil(TickCount(), *due));
  std::this_thread::sleep_for(std::chrono::milliseconds(step));
  FireDueTimers();
}

}  // namespace horavia::platform
