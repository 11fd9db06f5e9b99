// Timers against the hand-driven clock: each fires at its due tick, in order,
// across the 32-bit wrap, and the host is asked to wake only when the
// earliest due tick changes.
#include "platform/timers.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ticks.h"

namespace horavia::platform {
namespace {

struct Fired {
  std::string name;
  std::uint32_t at;
  bool operator==(const Fired&) const = default;
};

class Timers : public ::testing::Test {
 protected:
  std::function<void()> Record(std::string name) {
    return [this, name] { fired.push_back({name, ticks.now()}); };
  }
  ManualTicks ticks{1000};
  std::vector<Fired> fired;
};

TEST_F(Timers, FireAtTheirDueTicksInOrderAsTheClockAdvances) {
  Timer late(Record("late")), early(Record("early")), first(Record("first")), second(Record("second"));
  late.startAt(1030);
  early.startAt(1010);
  first.startAt(1020);
  second.startAt(1020);  // same tick: the one armed first fires first
  ticks.advance(25);
  EXPECT_EQ(fired, (std::vector<Fired>{{"early", 1010}, {"first", 1020}, {"second", 1020}}));
  EXPECT_EQ(ticks.now(), 1025u);
  ticks.advance(5);
  EXPECT_EQ(fired.back(), (Fired{"late", 1030}));
  EXPECT_EQ(ArmedTimerCount(), 0u);
}

TEST_F(Timers, ATimerArmedByAnotherFiresInTheSameAdvance) {
  int steps = 0;
  Timer step([&] {
    fired.push_back({"step", ticks.now()});
    if (++steps < 4) step.startIn(1000);
  });
  step.startIn(1000);
  ticks.advance(60000);
  ASSERT_EQ(fired.size(), 4u);
  EXPECT_EQ(fired[3], (Fired{"step", 5000}));
  EXPECT_EQ(ticks.now(), 61000u);
}

TEST_F(Timers, StoppedOrDestroyedFromACallbackNeverFire) {
  auto doomed = std::make_unique<Timer>(Record("doomed"));
  Timer stopped(Record("stopped"));
  Timer killer([&] {
    doomed.reset();
    stopped.stop();
  });
  killer.startAt(1010);
  doomed->startAt(1010);
  stopped.startAt(1010);
  ticks.advance(100);
  EXPECT_TRUE(fired.empty());
}

TEST_F(Timers, RestartingReplacesTheEarlierDueTick) {
  Timer t(Record("t"));
  t.startAt(1010);
  t.startAt(1050);
  ticks.advance(40);
  EXPECT_TRUE(fired.empty());
  ticks.advance(10);
  EXPECT_EQ(fired, (std::vector<Fired>{{"t", 1050}}));
}

TEST_F(Timers, DueTicksHoldAcrossTheWrap) {
  ticks.set(0xFFFFFFF0u);
  Timer t(Record("t"));
  t.startIn(32);  // due at 0x10, past the wrap
  ticks.advance(20);
  EXPECT_TRUE(fired.empty());
  ticks.advance(12);
  EXPECT_EQ(fired, (std::vector<Fired>{{"t", 0x10u}}));
}

TEST_F(Timers, TheHostIsAskedToWakeOnlyWhenTheEarliestTickChanges) {
  std::vector<std::optional<std::uint32_t>> wakes;
  SetTimerWake([&](std::optional<std::uint32_t> due) { wakes.push_back(due); });
  Timer a(Record("a")), b(Record("b"));
  a.startAt(1100);
  b.startAt(1200);  // later than the earliest: no new request
  a.stop();         // b is now the earliest
  b.stop();         // nothing armed
  SetTimerWake({});
  EXPECT_EQ(wakes, (std::vector<std::optional<std::uint32_t>>{1100u, 1200u, std::nullopt}));
}

}  // namespace
}  // namespace horavia::platform
