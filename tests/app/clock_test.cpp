// The clock on the real program: the hands from the time of day, the second
// hand turning for a minute, and the hourly chime.
#include "app/clock.h"

#include <string>

#include "app/call.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "tests/app/app_fixture.h"

namespace horavia::app::testing {
namespace {

struct TimeCase {
  int h, m, s;
  HandAngles shown;  // as the box keeps them, 0..359
};

class HandsTest : public AppTest, public ::testing::WithParamInterface<TimeCase> {};

TEST_P(HandsTest, FollowTheTimeOfDayAndTheSecondHandTurnsForAMinute) {
  const TimeCase& t = GetParam();
  SetTime(t.h, t.m, t.s);
  Start();
  AppState& state = State();
  EXPECT_EQ(Object(state.hourHand)->angle, t.shown.hour);
  EXPECT_EQ(Object(state.minuteHand)->angle, t.shown.minute);
  EXPECT_EQ(Object(state.secondHand)->angle, t.shown.second);
  const anim::BoxObject* second = Object(state.secondHand);
  EXPECT_TRUE(second->rotating);
  EXPECT_EQ(second->rotationStep, 6);
  EXPECT_EQ(second->rotationInterval, 1000);
  // Five seconds later the box has turned it 30 degrees by itself.
  ticks_.advance(5000);
  EXPECT_EQ(Object(state.secondHand)->angle, (t.shown.second + 30) % 360);
}

INSTANTIATE_TEST_SUITE_P(Times, HandsTest,
                         ::testing::Values(TimeCase{0, 0, 0, {0, 0, 0}}, TimeCase{12, 0, 0, {0, 0, 0}},
                                           TimeCase{23, 59, 59, {359, 354, 354}},
                                           TimeCase{3, 31, 0, {105, 186, 0}}),
                         [](const ::testing::TestParamInfo<TimeCase>& info) {
                           const TimeCase& t = info.param;
                           return "At" + std::to_string(t.h) + "h" + std::to_string(t.m) + "m" + std::to_string(t.s) + "s";
                         });

TEST(HandAngles, TheHourHandIsNotReducedAndDropsHalfDegrees) {
  EXPECT_EQ(AnglesAt(12, 0, 0).hour, 360);
  EXPECT_EQ(AnglesAt(23, 59, 59).hour, 719);
  EXPECT_EQ(AnglesAt(3, 31, 0).hour, 105);  // 105.5 truncated
}

// Objects made from the chime's template: they sit where the chime goes.
int ChimeObjects(anim::CartoonBox& box) {
  int count = 0;
  for (std::size_t i = 0; i < box.objectCount(); ++i) {
    const anim::BoxObject& o = box.objectAt(i);
    if (o.x == 56 && o.y == 96) ++count;
  }
  return count;
}

TEST_F(AppTest, TheChimeRunsOnlyAtMinuteZeroWithTheMenuCheckOn) {
  WriteSetting("是否整点报时", "1.9");  // a number, truncated: on
  SetTime(9, 0, 12);
  Start();
  EXPECT_EQ(ReadProperty(main_window::kChimeItem, property::kMenuChecked), 1);
  EXPECT_EQ(ChimeObjects(Box()), 1);
  EXPECT_NE(State().stream, 0u);  // the chime sound plays
  // A correction early in the same minute (the end of any rotation, here a
  // short one of the second hand) chimes again.
  Call(BoxCommand::StartAutoRotate, {Unit(main_window::kBox), Int(State().secondHand), Int(6), Int(1000),
                                     Omitted(), Int(10)});
  ticks_.advance(100);
  EXPECT_EQ(ChimeObjects(Box()), 2);
  // The chime's animation plays once, then the box removes it.
  ticks_.advance(10000);
  EXPECT_EQ(ChimeObjects(Box()), 0);
}

TEST_F(AppTest, NoChimeWithTheCheckOffOrAwayFromMinuteZero) {
  WriteSetting("是否整点报时", "0.5");  // off
  SetTime(9, 0, 0);
  Start();
  EXPECT_EQ(State().chimeEnabled, 0);
  EXPECT_EQ(ReadProperty(main_window::kChimeItem, property::kMenuChecked), 0);
  EXPECT_EQ(ChimeObjects(Box()), 0);
  EXPECT_EQ(State().stream, 0u);
}

TEST_F(AppTest, TogglingTheChimeTwiceRestoresItAndWritesTheSettingEachTime) {
  Start();
  toggleChime({});
  EXPECT_EQ(Setting("是否整点报时"), "1");
  EXPECT_EQ(ReadProperty(main_window::kChimeItem, property::kMenuChecked), 1);
  toggleChime({});
  EXPECT_EQ(Setting("是否整点报时"), "0");
  EXPECT_EQ(State().chimeEnabled, 0);
}

}  // namespace
}  // namespace horavia::app::testing
