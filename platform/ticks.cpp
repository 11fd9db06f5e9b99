#include "platform/ticks.h"

#include <chrono>
#include <utility>

#include "platform/timers.h"

namespace horavia::platform {
namespace {

std::uint32_t SteadyTicks() {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<std::uint32_t>(ms);
}

// The one clock of the process; replaced only by tests.
std::function<std::uint32_t()>& Source() {
  static std::function<std::uint32_t()> source;
  return source;
}

ManualTicks*& InstalledManualTicks() {
  static ManualTicks* current = nullptr;
  return current;
}

}  // namespace

std::uint32_t TickCount() {
  auto& source = Source();
  return source ? source() : SteadyTicks();
}

void SetTickSource(std::function<std::uint32_t()> source) {
  InstalledManualTicks() = nullptr;
  Source() = std::move(source);
}

ManualTicks::ManualTicks(std::uint32_t start) : now_(start) {
  SetTickSource([this] { return now_.load(); });
  InstalledManualTicks() = this;
}

ManualTicks::~ManualTicks() {
  if (InstalledManualTicks() == this) SetTickSource({});
}

ManualTicks* ManualTicks::Current() { return InstalledManualTicks(); }

void ManualTicks::advance(std::uint32_t ms) {
  const std::uint32_t target = now_ + ms;
  // Step to each due tick on the way, so every timer sees the time it was
  // due at, and timers armed by earlier ones fire in turn.
  for (;;) {
    std::optional<std::uint32_t> due = EarliestDueTick();
    if (!due || TickBefore(target, *due)) break;
    if (TickBefore(now_, *due)) now_ = *due;
    if (FireDueTimers() == 0) break;
  }
  now_ = target;
  FireDueTimers();
}

}  // namespace horavia::platform
