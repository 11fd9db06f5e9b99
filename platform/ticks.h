// The millisecond tick count: 32 bits, wrapping, from a steady clock.
// Everything time-based reads it here, so tests can drive time by hand.
//
// Tick arithmetic wraps: two ticks are compared by their signed 32-bit
// difference, so the comparison holds across the wrap as long as they lie
// within 2^31 ms (about 24 days) of each other.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace horavia::platform {

std::uint32_t TickCount();

// Whether `now` has reached `due`.
constexpr bool TickReached(std::uint32_t now, std::uint32_t due) {
  return static_cast<std::int32_t>(now - due) >= 0;
}
// Milliseconds from `now` until `due`; 0 once it is reached.
constexpr std::uint32_t TicksUntil(std::uint32_t now, std::uint32_t due) {
  return TickReached(now, due) ? 0 : due - now;
}
// Whether tick `a` comes before tick `b`.
constexpr bool TickBefore(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }

// Replaces the clock (tests); an empty function restores the steady clock.
void SetTickSource(std::function<std::uint32_t()> source);

// A clock for tests: starts at `start` and moves only when told. While it is
// installed, timers (platform/timers.h) fire as it advances, each at its due
// tick in order, and waiting for events (platform/event_loop.h) moves it on
// to the earlier of the wait's end and the next due timer instead of
// sleeping, so a test runs minutes of program time in milliseconds.
class ManualTicks {
 public:
  explicit ManualTicks(std::uint32_t start = 1000);
  ~ManualTicks();  // restores the steady clock
  ManualTicks(const ManualTicks&) = delete;
  ManualTicks& operator=(const ManualTicks&) = delete;

  // Moves the clock on by `ms`, stopping at each due timer on the way to
  // fire it.
  void advance(std::uint32_t ms);
  // Sets the clock without firing anything (a jump, as after a suspend).
  void set(std::uint32_t now) { now_ = now; }
  std::uint32_t now() const { return now_; }

  // The installed manual clock, or null while the steady clock runs.
  static ManualTicks* Current();

 private:
  // Atomic: a worker thread (the GIF player's) may read the clock while the
  // test moves it.
  std::atomic<std::uint32_t> now_;
};

}  // namespace horavia::platform
