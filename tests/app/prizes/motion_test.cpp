// The spin's motion plan: its stages keep their steps and their lengths
// within bounds, and every plan ends on its target.
#include "app/prizes/motion.h"

#include <gtest/gtest.h>

#include "app/prizes/prizes.h"

namespace horavia::app::prizes {
namespace {

TEST(SpinPlan, NominalStagesAreThoseOfTheSpinsLook) {
  EXPECT_EQ(NominalStageMs(1), (std::array<int, 8>{1000, 1000, 1000, 333, 1000, 1000, 1000, 1000}));
  EXPECT_EQ(NominalStageMs(12), (std::array<int, 8>{12000, 1000, 1000, 4000, 1000, 1000, 1000, 1000}));
}

// Every d and every target from every start: the stages turn 100, 50, …, 1
// degrees a step, each at least its nominal steps and at most a few more,
// the whole within about 7 to 22 s, and the sum lands on the target.
TEST(SpinPlan, EveryPlanStaysInBoundsAndEndsOnItsTarget) {
  for (int d = 1; d <= 12; ++d) {
    const std::array<int, 8> nominal = NominalStageMs(d);
    int nominalTotal = 0;
    for (int ms : nominal) nominalTotal += ms;
    for (int from : {0, 123}) {
      for (int target = 0; target < 360; ++target) {
        const SpinPlan plan = PlanSpin(d, from, target);
        int extra = 0;
        for (int i = 0; i < kStageCount; ++i) {
          ASSERT_EQ(plan[i].step, kStageStep[i]);
          ASSERT_GE(plan[i].steps, nominal[i] / kStepMs) << "d " << d << " stage " << i;
          extra += plan[i].steps - nominal[i] / kStepMs;
        }
        ASSERT_LE(extra, 10) << "d " << d << " target " << target;
        const int duration = PlanDurationMs(plan);
        ASSERT_GE(duration, 7000);
        ASSERT_LE(duration, 22500);
        ASSERT_LE(duration, nominalTotal + 500);
        ASSERT_EQ(AngleAfter(plan, from, kStageCount), target) << "d " << d << " target " << target;
      }
    }
  }
}

TEST(SpinPlan, StagesEndWhereTheirDegreesTakeThem) {
  const SpinPlan plan = PlanSpin(6, 0, 241);
  EXPECT_EQ(AngleAfter(plan, 0, 0), 0);
  EXPECT_EQ(AngleAfter(plan, 0, 1), NormalAngle(plan[0].degrees()));
  EXPECT_EQ(AngleAfter(plan, 0, 2), NormalAngle(plan[0].degrees() + plan[1].degrees()));
  EXPECT_EQ(AngleAfter(plan, 0, 8), 241);
  // d = 6 travels 2080 · 6 + 1740 = 14220° nominally (180° past a whole
  // turn): 61° more make 241°, one 50 and one 6, 3, 2 degree step each.
  EXPECT_EQ(plan[0].steps, 120);
  EXPECT_EQ(plan[1].steps, 21);
  EXPECT_EQ(plan[2].steps, 20);
  EXPECT_EQ(plan[3].steps, 40);
  EXPECT_EQ(plan[4].steps, 21);
  EXPECT_EQ(plan[5].steps, 21);
  EXPECT_EQ(plan[6].steps, 21);
  EXPECT_EQ(plan[7].steps, 20);
}

}  // namespace
}  // namespace horavia::app::prizes
