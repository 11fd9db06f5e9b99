// The spin's motion: eight stages that slow from 100 to 1 degree a step, one
// step every 50 ms, shaped to come to rest exactly on the drawn angle. Each
// stage is one rotation of the animation box with a total-angle limit, so
// the box stops it after exactly its steps however late its timer runs.
#pragma once

#include <array>
#include <cstdint>

namespace horavia::app::prizes {

inline constexpr int kStepMs = 50;
inline constexpr int kStageCount = 8;
// Degrees per step of each stage, fastest first.
inline constexpr std::array<int, kStageCount> kStageStep = {100, 50, 25, 12, 6, 3, 2, 1};

struct SpinStage {
  int step = 0;   // degrees per step, clockwise
  int steps = 0;
  int degrees() const { return step * steps; }
  int durationMs() const { return steps * kStepMs; }
};
using SpinPlan = std::array<SpinStage, kStageCount>;

// The nominal length of each stage in milliseconds for a spin of d seconds
// at full speed: d s, 1 s, 1 s, d/3 s (truncated to whole ms), then 1 s each.
std::array<int, kStageCount> NominalStageMs(int fullSpeedSeconds);

// The stages from `fromAngle` to `toAngle`: each stage as many whole steps
// as fit its nominal length, then the few steps the remaining angle needs
// (at most 360°, fastest stages first), so the spin keeps its look and its
// length within half a second.
SpinPlan PlanSpin(int fullSpeedSeconds, int fromAngle, int toAngle);

// The angle (0..359) after the first `stagesDone` stages.
int AngleAfter(const SpinPlan& plan, int fromAngle, int stagesDone);
int PlanDurationMs(const SpinPlan& plan);

}  // namespace horavia::app::prizes
