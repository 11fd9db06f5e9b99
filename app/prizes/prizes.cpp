#include "app/prizes/prizes.h"

#include <cstdint>

namespace horavia::app::prizes {

const char* Describe(PrizeProblem problem) {
  switch (problem) {
    case PrizeProblem::None: return "the prizes are sound";
    case PrizeProblem::CountOutOfRange: return "the number of prizes must be 2 to 36 (or 0 for none)";
    case PrizeProblem::LabelTooLong: return "a label is longer than 64 bytes";
    case PrizeProblem::NegativeWeight: return "a weight is below 0";
    case PrizeProblem::NothingToWin: return "every weight is 0, so no prize can be won";
  }
  return "unknown problem";
}

PrizeReading JudgePrizeKeys(const PrizeKeys& keys) {
  PrizeReading reading;
  if (keys.count == 0) return reading;
  if (keys.count < kFewestPrizes || keys.count > kMostPrizes) {
    reading.problem = PrizeProblem::CountOutOfRange;
    return reading;
  }
  std::vector<Prize> prizes(static_cast<std::size_t>(keys.count));
  std::uint64_t total = 0;
  for (std::size_t i = 0; i < prizes.size(); ++i) {
    const std::string label = i < keys.labels.size() ? keys.labels[i] : std::string();
    const std::int32_t weight = i < keys.weights.size() ? keys.weights[i] : 1;
    reading.prize = static_cast<int>(i) + 1;
    if (label.size() > kLongestLabel) {
      reading.problem = PrizeProblem::LabelTooLong;
      return reading;
    }
    if (weight < 0) {
      reading.problem = PrizeProblem::NegativeWeight;
      return reading;
    }
    prizes[i] = {label, static_cast<std::uint32_t>(weight)};
    total += static_cast<std::uint32_t>(weight);
  }
  reading.prize = 0;
  if (total == 0) {
    reading.problem = PrizeProblem::NothingToWin;
    return reading;
  }
  reading.wheel = {std::move(prizes), NormalAngle(keys.startAngle)};
  return reading;
}

int NormalAngle(std::int64_t degrees) { return static_cast<int>((degrees % 360 + 360) % 360); }

// Exact in whole numbers: the offset x from the start lies in slice k when
// (k - 1) · 360 <= x · N < k · 360.
int SegmentAt(int segments, int startAngle, int angle) {
  if (segments <= 0) return 0;
  const int offset = NormalAngle(std::int64_t{angle} - startAngle);
  return offset * segments / 360 + 1;
}

int PointedAngle(int restAngle, bool wheelTurns) {
  return wheelTurns ? NormalAngle(360 - std::int64_t{restAngle}) : NormalAngle(restAngle);
}

int RestAngleFor(int pointedAngle, bool wheelTurns) { return PointedAngle(pointedAngle, wheelTurns); }

}  // namespace horavia::app::prizes
