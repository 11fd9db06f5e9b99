// A skin's prize keys judged, and which slice lies under the pointer, with
// hand-computed cases at the slices' borders for both a turning needle and a
// turning wheel.
#include "app/prizes/prizes.h"

#include <gtest/gtest.h>

namespace horavia::app::prizes {
namespace {

PrizeKeys Keys(int count, std::vector<std::string> labels = {}, std::vector<std::int32_t> weights = {}) {
  PrizeKeys keys;
  keys.count = count;
  keys.labels = std::move(labels);
  keys.weights = std::move(weights);
  return keys;
}

TEST(PrizeKeys, NoCountMeansNoPrizesAndNoProblem) {
  const PrizeReading reading = JudgePrizeKeys(Keys(0));
  EXPECT_EQ(reading.problem, PrizeProblem::None);
  EXPECT_TRUE(reading.wheel.prizes.empty());
}

TEST(PrizeKeys, TwoToThirtySixPrizesWithMissingLabelsEmptyAndMissingWeightsOne) {
  for (int count : {2, 12, 36}) {
    const PrizeReading reading = JudgePrizeKeys(Keys(count, {"a"}));
    ASSERT_EQ(reading.problem, PrizeProblem::None) << count;
    ASSERT_EQ(reading.wheel.segments(), count);
    EXPECT_EQ(reading.wheel.prizes[0].label, "a");
    EXPECT_EQ(reading.wheel.prizes[1].label, "");
    EXPECT_EQ(reading.wheel.prizes[count - 1].weight, 1u);
  }
}

TEST(PrizeKeys, AnyBadValueMeansNoPrizesAndNamesTheFault) {
  struct Case {
    PrizeKeys keys;
    PrizeProblem problem;
    int prize;
  };
  const Case cases[] = {
      {Keys(1), PrizeProblem::CountOutOfRange, 0},
      {Keys(37), PrizeProblem::CountOutOfRange, 0},
      {Keys(-4), PrizeProblem::CountOutOfRange, 0},
      {Keys(3, {"a", std::string(65, 'x')}), PrizeProblem::LabelTooLong, 2},
      {Keys(3, {}, {1, 1, -1}), PrizeProblem::NegativeWeight, 3},
      {Keys(3, {}, {0, 0, 0}), PrizeProblem::NothingToWin, 0},
  };
  for (const Case& c : cases) {
    const PrizeReading reading = JudgePrizeKeys(c.keys);
    EXPECT_EQ(reading.problem, c.problem) << Describe(c.problem);
    EXPECT_EQ(reading.prize, c.prize) << Describe(c.problem);
    EXPECT_TRUE(reading.wheel.prizes.empty()) << Describe(c.problem);
  }
  EXPECT_EQ(JudgePrizeKeys(Keys(2, {std::string(64, 'x')})).problem, PrizeProblem::None);  // 64 bytes is fine
  EXPECT_EQ(JudgePrizeKeys(Keys(2, {}, {0, 3})).problem, PrizeProblem::None);              // one can be won
}

TEST(PrizeKeys, TheStartAngleComesRoundTheCircle) {
  PrizeKeys keys = Keys(4);
  keys.startAngle = -15;
  EXPECT_EQ(JudgePrizeKeys(keys).wheel.startAngle, 345);
  keys.startAngle = 725;
  EXPECT_EQ(JudgePrizeKeys(keys).wheel.startAngle, 5);
}

TEST(SegmentUnderThePointer, BordersBelongToTheSliceTheyBegin) {
  // Twelve slices of 30° from 345° (slice 1 centred on 12 o'clock).
  EXPECT_EQ(SegmentAt(12, 345, 345), 1);
  EXPECT_EQ(SegmentAt(12, 345, 0), 1);
  EXPECT_EQ(SegmentAt(12, 345, 14), 1);
  EXPECT_EQ(SegmentAt(12, 345, 15), 2);
  EXPECT_EQ(SegmentAt(12, 345, 344), 12);
  // Seven slices of 51 3/7°: 51° is still slice 1, 52° slice 2; 308° (6 × 51.43 = 308.57) is 6, 309° is 7.
  EXPECT_EQ(SegmentAt(7, 0, 51), 1);
  EXPECT_EQ(SegmentAt(7, 0, 52), 2);
  EXPECT_EQ(SegmentAt(7, 0, 308), 6);
  EXPECT_EQ(SegmentAt(7, 0, 309), 7);
  EXPECT_EQ(SegmentAt(7, 0, 359), 7);
  EXPECT_EQ(SegmentAt(0, 0, 10), 0);  // no prizes, no slice
}

TEST(SegmentUnderThePointer, ANeedlePointsAtItsAngleAWheelBringsTheOppositeUnderThePointer) {
  // A needle at rest at 100° points at 100° of the wheel.
  EXPECT_EQ(PointedAngle(100, false), 100);
  // A wheel turned 100° clockwise has carried its 260° under the pointer at 12.
  EXPECT_EQ(PointedAngle(100, true), 260);
  EXPECT_EQ(PointedAngle(0, true), 0);
  // Four slices from 0: the wheel turned 10° shows slice 4 (350°) at the top,
  // turned 80° slice 4 (280°), turned 91° slice 3 (269°).
  EXPECT_EQ(SegmentAt(4, 0, PointedAngle(10, true)), 4);
  EXPECT_EQ(SegmentAt(4, 0, PointedAngle(90, true)), 4);  // 270° begins slice 4
  EXPECT_EQ(SegmentAt(4, 0, PointedAngle(91, true)), 3);
  for (int angle = 0; angle < 360; ++angle) {
    EXPECT_EQ(PointedAngle(RestAngleFor(angle, true), true), angle);
    EXPECT_EQ(PointedAngle(RestAngleFor(angle, false), false), angle);
  }
}

}  // namespace
}  // namespace horavia::app::prizes
