// Time and date commands, and the delay that keeps the interface running.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/calendar.h"
#include "platform/timers.h"
#include "platform/ticks.h"
#include "runtime/library_links.h"
#include "tests/runtime/commands/command_fixture.h"

namespace horavia::runtime::commands {
namespace {

using testing::Call;

double Date(int y, int mo, int d, int h, int mi, int s) {
  double date = 0;
  EXPECT_TRUE(MakeDate(y, mo, d, h, mi, s, date));
  return date;
}

ArgRecord DateArg(double d) { return ArgRecord::Double(d, kTagDateTime); }

std::int32_t Hour(double d) { return Call(HourOf, {DateArg(d)}).asInt32(); }
std::int32_t Minute(double d) { return Call(MinuteOf, {DateArg(d)}).asInt32(); }
std::int32_t Second(double d) { return Call(SecondOf, {DateArg(d)}).asInt32(); }

TEST(TimeComponents, HourMinuteSecond) {
  double late = Date(2024, 3, 9, 23, 59, 59);
  EXPECT_EQ(Hour(late), 23);
  EXPECT_EQ(Minute(late), 59);
  EXPECT_EQ(Second(late), 59);
  EXPECT_EQ(Hour(0.75), 18);
  EXPECT_EQ(Minute(0.75), 0);
  EXPECT_EQ(Second(0.75), 0);
}

TEST(TimeComponents, HalfASecondBeforeAMinuteRoundsUp) {
  double almost = Date(2024, 3, 9, 10, 14, 59) + 0.6 / 86400.0;
  EXPECT_EQ(Minute(almost), 15);
  EXPECT_EQ(Second(almost), 0);
}

TEST(TimeComponents, InvalidDatesGiveMinusOne) {
  EXPECT_EQ(Hour(std::nan("")), -1);
  EXPECT_EQ(Second(std::nan("")), -1);
  EXPECT_EQ(DateComponent(std::nan(""), 1), -1);
}

TEST(TimeComponents, ComponentNumbersAndTheirClamping) {
  double d = Date(2017, 11, 21, 8, 30, 15);  // a Tuesday, day 325
  EXPECT_EQ(DateComponent(d, 1), 2017);
  EXPECT_EQ(DateComponent(d, 2), 4);
  EXPECT_EQ(DateComponent(d, 3), 11);
  EXPECT_EQ(DateComponent(d, 4), 47);
  EXPECT_EQ(DateComponent(d, 5), 21);
  EXPECT_EQ(DateComponent(d, 9), 3);
  EXPECT_EQ(DateComponent(d, 10), 325);
  EXPECT_EQ(DateComponent(d, 99), 325);
  EXPECT_EQ(DateComponent(d, -4), 2017);
}

TEST(CurrentTimeCommand, TheCalendarsLocalTimeInWholeSeconds) {
  // 2017-11-21 23:59:59 (the tests run with TZ=UTC).
  platform::SetCalendarSource([] { return std::time_t{1511308799}; });
  ArgRecord now = ArgRecord::Double(Call(CurrentTime).asDouble(), kTagDateTime);
  platform::SetCalendarSource({});
  EXPECT_EQ(Call(HourOf, {now}).asInt32(), 23);
  EXPECT_EQ(Call(MinuteOf, {now}).asInt32(), 59);
  EXPECT_EQ(Call(SecondOf, {now}).asInt32(), 59);
  DateParts p = SplitDate(now.asDouble());
  EXPECT_EQ(p.year, 2017);
  EXPECT_EQ(p.day, 21);
  // The value is an exact number of seconds from midnight.
  double seconds = (now.asDouble() - std::floor(now.asDouble())) * 86400.0;
  EXPECT_NEAR(seconds, 86399.0, 1e-4);
}

// The delay against a hand-driven clock: waiting moves the clock on (to the
// deadline or the next due timer), pumps are counted, and the runtime's
// answer to "is the program quitting" is the test's to give.
class DelayCommand : public ::testing::Test {
 protected:
  static DelayCommand* current;

  static std::intptr_t Service(std::int32_t code, std::intptr_t, std::intptr_t) {
    if (code == kServiceQuitting) return current->quitting ? 1 : 0;
    if (code == kServicePumpMessages) ++current->pumps;
    if (current->pumpCost > 0) current->ticks.advance(current->pumpCost);
    return 0;
  }

  void SetUp() override {
    current = this;
    SpecialFunctionsLibraryLink().connect(&DelayCommand::Service);
  }
  void TearDown() override {
    SpecialFunctionsLibraryLink().connect(nullptr);
    current = nullptr;
  }

  std::uint32_t Elapsed(std::uint32_t start) const { return ticks.now() - start; }

  platform::ManualTicks ticks{5000};
  int pumps = 0;
  std::uint32_t pumpCost = 0;
  bool quitting = false;
};
DelayCommand* DelayCommand::current = nullptr;

TEST_F(DelayCommand, ZeroOrNegativeReturnsWithoutPumping) {
  std::uint32_t start = ticks.now();
  Call(Delay, {ArgRecord::Int(0)});
  Call(Delay, {ArgRecord::Int(-20)});
  EXPECT_EQ(pumps, 0);
  EXPECT_EQ(Elapsed(start), 0u);
}

TEST_F(DelayCommand, PumpsAndWaitsUntilJustPastTheTime) {
  pumpCost = 7;  // dispatching takes time of its own
  std::uint32_t start = ticks.now();
  Call(Delay, {ArgRecord::Int(300)});
  EXPECT_GT(Elapsed(start), 300u);
  EXPECT_LT(Elapsed(start), 330u);
  EXPECT_GE(pumps, 2);
  EXPECT_EQ(pumps % 2, 0);  // always in pairs
}

TEST_F(DelayCommand, WaitsInsteadOfSpinning) {
  // A clock that only moves while waiting: a busy loop would pump forever,
  // one wait to just past the deadline pumps twice before and twice after.
  std::uint32_t start = ticks.now();
  Call(Delay, {ArgRecord::Int(300)});
  EXPECT_EQ(Elapsed(start), 301u);
  EXPECT_EQ(pumps, 4);
}

TEST_F(DelayCommand, TimersFireAtTheirTickDuringTheWait) {
  std::vector<std::uint32_t> fired;
  platform::Timer timer([&] {
    fired.push_back(ticks.now());
    if (fired.size() < 3) timer.startIn(100);
  });
  std::uint32_t start = ticks.now();
  timer.startIn(100);
  Call(Delay, {ArgRecord::Int(1000)});
  EXPECT_EQ(fired, (std::vector<std::uint32_t>{start + 100, start + 200, start + 300}));
  EXPECT_EQ(Elapsed(start), 1001u);
}

TEST_F(DelayCommand, EndsAtOnceWhenTheProgramIsQuitting) {
  quitting = true;
  std::uint32_t start = ticks.now();
  Call(Delay, {ArgRecord::Int(5000)});
  EXPECT_EQ(Elapsed(start), 0u);
  EXPECT_EQ(pumps, 2);  // what was waiting still ran
}

TEST_F(DelayCommand, WaitAcrossTheTickWrapLastsAsLong) {
  ticks.set(0xFFFFFF00u);
  std::uint32_t start = ticks.now();
  Call(Delay, {ArgRecord::Int(1000)});
  EXPECT_EQ(Elapsed(start), 1001u);
}

}  // namespace
}  // namespace horavia::runtime::commands
