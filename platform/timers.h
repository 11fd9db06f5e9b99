// Timers that fire at a due tick.
//
// Every timer of the process sits in one schedule. The host is asked to wake
// the process only at the earliest due tick (the wake seam below), so the
// program never polls at a fixed period and sleeps while nothing is due.
// Under ManualTicks the schedule fires as the test advances the clock.
//
// A timer fires once per start; a periodic job starts its timer again from
// its function. Everything runs on the thread that owns the event loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace horavia::platform {

class Timer {
 public:
  explicit Timer(std::function<void()> onDue);
  ~Timer();  // a destroyed timer never fires
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Arms the timer for tick `due` (replacing an earlier start). A due tick
  // already reached fires at the next chance, not inside this call.
  void startAt(std::uint32_t due);
  void startIn(std::uint32_t ms);
  void stop();
  bool active() const { return active_; }
  std::uint32_t due() const { return due_; }

 private:
  friend struct TimerSchedule;
  std::function<void()> onDue_;
  std::uint32_t due_ = 0;
  std::uint64_t order_ = 0;  // among equal due ticks, the one armed first fires first
  bool active_ = false;
};

// Fires every timer whose due tick has been reached, earliest first. A timer
// armed while this runs fires in a later call. Returns how many fired.
int FireDueTimers();

// The earliest due tick of the armed timers, if any.
std::optional<std::uint32_t> EarliestDueTick();
std::size_t ArmedTimerCount();

// The wake seam: the host's event loop calls FireDueTimers once the clock
// reaches `earliest`, and forgets any earlier request. Called whenever the
// earliest due tick changes; nullopt when no timer is armed. Without a wake
// function (no event loop) timers fire only through ManualTicks or a direct
// FireDueTimers call.
using TimerWake = std::function<void(std::optional<std::uint32_t> earliest)>;
void SetTimerWake(TimerWake wake);

}  // namespace horavia::platform
