// The millisecond tick count: 32 bits, wrapping, from a steady clock.
// Everything time-based reads it here, so tests can drive time by hand.
#pragma once

#include <cstdint>
#include <functional>

namespace horavia::platform {

std::uint32_t TickCount();

// Replaces the clock (tests); an empty function restores the steady clock.
void SetTickSource(std::function<std::uint32_t()> source);

// A clock for tests: starts at `start` and moves only when told.
class ManualTicks {
 public:
  explicit ManualTicks(std::uint32_t start = 1000);
  ~ManualTicks();  // restores the steady clock
  ManualTicks(const ManualTicks&) = delete;
  ManualTicks& operator=(const ManualTicks&) = delete;
  void advance(std::uint32_t ms) { now_ += ms; }
  void set(std::uint32_t now) { now_ = now; }
  std::uint32_t now() const { return now_; }

 private:
  std::uint32_t now_;
};

}  // namespace horavia::platform
