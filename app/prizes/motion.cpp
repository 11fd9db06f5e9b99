#include "app/prizes/motion.h"

#include "app/prizes/prizes.h"

namespace horavia::app::prizes {

std::array<int, kStageCount> NominalStageMs(int fullSpeedSeconds) {
  const int d = fullSpeedSeconds;
  return {d * 1000, 1000, 1000, static_cast<int>(d / 3.0 * 1000), 1000, 1000, 1000, 1000};
}

SpinPlan PlanSpin(int fullSpeedSeconds, int fromAngle, int toAngle) {
  SpinPlan plan;
  const std::array<int, kStageCount> nominal = NominalStageMs(fullSpeedSeconds);
  std::int64_t travelled = 0;
  for (int i = 0; i < kStageCount; ++i) {
    plan[i] = {kStageStep[i], nominal[i] / kStepMs};
    travelled += plan[i].degrees();
  }
  // What is left to the target, made up greedily; the last stage's single
  // degrees make up any remainder.
  int left = NormalAngle(std::int64_t{toAngle} - fromAngle - travelled);
  for (int i = 0; i < kStageCount; ++i) {
    plan[i].steps += left / plan[i].step;
    left %= plan[i].step;
  }
  return plan;
}

int AngleAfter(const SpinPlan& plan, int fromAngle, int stagesDone) {
  std::int64_t angle = fromAngle;
  for (int i = 0; i < stagesDone && i < kStageCount; ++i) angle += plan[i].degrees();
  return NormalAngle(angle);
}

int PlanDurationMs(const SpinPlan& plan) {
  int total = 0;
  for (const SpinStage& stage : plan) total += stage.durationMs();
  return total;
}

}  // namespace horavia::app::prizes
