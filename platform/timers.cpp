#include "platform/timers.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/ticks.h"

namespace horavia::platform {

// The process's one schedule: the armed timers, in no particular order (a
// program has a handful), and the earliest due tick last handed to the wake
// seam, so the host is asked again only when that changes.
struct TimerSchedule {
  std::vector<Timer*> armed;
  std::uint64_t nextOrder = 0;
  TimerWake wake;
  std::optional<std::uint32_t> announced;

  static TimerSchedule& Get() {
    static TimerSchedule schedule;
    return schedule;
  }

  // Earlier due tick first (measured from now, so the wrap does not matter),
  // then the one armed first.
  static bool Sooner(const Timer* a, const Timer* b, std::uint32_t now) {
    std::uint32_t da = a->due_ - now, db = b->due_ - now;
    if (TickReached(now, a->due_)) da = 0;
    if (TickReached(now, b->due_)) db = 0;
    if (da != db) return da < db;
    return a->order_ < b->order_;
  }

  Timer* earliest(std::uint32_t now) const {
    Timer* best = nullptr;
    for (Timer* t : armed)
      if (best == nullptr || Sooner(t, best, now)) best = t;
    return best;
  }

  void remove(Timer* timer) { std::erase(armed, timer); }

  static int FireDue();
  static std::optional<std::uint32_t> EarliestDue();

  void announce() {
    std::optional<std::uint32_t> due;
    if (Timer* t = earliest(TickCount())) due = t->due_;
    if (due == announced) return;
    announced = due;
    if (wake) wake(due);
  }
};

Timer::Timer(std::function<void()> onDue) : onDue_(std::move(onDue)) {}

Timer::~Timer() { stop(); }

void Timer::startAt(std::uint32_t due) {
  TimerSchedule& s = TimerSchedule::Get();
  if (!active_) s.armed.push_back(this);
  active_ = true;
  due_ = due;
  order_ = s.nextOrder++;
  s.announce();
}

void Timer::startIn(std::uint32_t ms) { startAt(TickCount() + ms); }

void Timer::stop() {
  if (!active_) return;
  active_ = false;
  TimerSchedule& s = TimerSchedule::Get();
  s.remove(this);
  s.announce();
}

int TimerSchedule::FireDue() {
  TimerSchedule& s = Get();
  const std::uint32_t now = TickCount();
  // Only the timers due when the call began: a timer that re-arms itself for
  // a tick already reached waits for the next call instead of looping here.
  std::vector<Timer*> due;
  for (Timer* t : s.armed)
    if (TickReached(now, t->due_)) due.push_back(t);
  std::sort(due.begin(), due.end(), [now](const Timer* a, const Timer* b) { return TimerSchedule::Sooner(a, b, now); });
  std::vector<std::uint64_t> orders;
  for (Timer* t : due) orders.push_back(t->order_);
  int fired = 0;
  for (std::size_t i = 0; i < due.size(); ++i) {
    Timer* t = due[i];
    // A timer stopped, re-armed or destroyed by an earlier one in this round
    // is no longer in the schedule with the same arming.
    auto it = std::find(s.armed.begin(), s.armed.end(), t);
    if (it == s.armed.end() || t->order_ != orders[i]) continue;
    s.armed.erase(it);
    t->active_ = false;
    ++fired;
    t->onDue_();
  }
  // Ask again even when the earliest tick is unchanged: the host's wake-up
  // may have come a little before it.
  s.announced.reset();
  s.announce();
  return fired;
}

std::optional<std::uint32_t> TimerSchedule::EarliestDue() {
  if (Timer* t = Get().earliest(TickCount())) return t->due_;
  return std::nullopt;
}

int FireDueTimers() { return TimerSchedule::FireDue(); }
std::optional<std::uint32_t> EarliestDueTick() { return TimerSchedule::EarliestDue(); }

std::size_t ArmedTimerCount() { return TimerSchedule::Get().armed.size(); }

void SetTimerWake(TimerWake wake) {
  TimerSchedule& s = TimerSchedule::Get();
  s.wake = std::move(wake);
  s.announced.reset();
  s.announce();
}

}  // namespace horavia::platform
