#include "app/prizes/draw.h"

#include <limits>

namespace horavia::app::prizes {
namespace {

// The prize whose share of the total weight a uniform draw falls in.
int DrawByWeight(const PrizeWheel& wheel, SpinRandom& random) {
  std::uint64_t total = 0;
  for (const Prize& prize : wheel.prizes) total += prize.weight;
  std::uint64_t ticket = random.below(total);
  for (int i = 0; i < wheel.segments(); ++i) {
    const std::uint64_t weight = wheel.prizes[static_cast<std::size_t>(i)].weight;
    if (ticket < weight) return i + 1;
    ticket -= weight;
  }
  return wheel.segments();  // not reached: the tickets add up to the total
}

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

SpinRandom::SpinRandom(std::span<const std::uint32_t> seed) {
  std::seed_seq sequence(seed.begin(), seed.end());
  engine_.seed(sequence);
}

std::uint64_t SpinRandom::below(std::uint64_t n) {
  if (n <= 1) return 0;
  // The largest multiple of n that the generator's range holds whole.
  const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % n;
  for (;;) {
    const std::uint64_t value = engine_();
    if (value < limit) return value % n;
  }
}

// In doubled units, so that the 1.5° margin is whole: an offset x lies in the
// interior of slice k when 2x·N >= 2(k - 1)·360 + 3N and 2x·N <= 2k·360 - 3N.
AngleRange SegmentInterior(int segments, int segment) {
  const std::int64_t n = segments;
  const std::int64_t low = 2 * (segment - 1) * 360 + 3 * n;
  const std::int64_t high = 2 * std::int64_t{segment} * 360 - 3 * n;
  return {static_cast<int>(-FloorDivide(-low, 2 * n)), static_cast<int>(FloorDivide(high, 2 * n))};
}

SpinDraw DrawSpin(const PrizeWheel& wheel, SpinRandom& random) {
  SpinDraw draw;
  if (wheel.prizes.empty()) {
    draw.pointedAngle = static_cast<int>(random.below(360));
  } else {
    draw.segment = DrawByWeight(wheel, random);
    const AngleRange inside = SegmentInterior(wheel.segments(), draw.segment);
    const auto offset = inside.first + static_cast<int>(random.below(static_cast<std::uint64_t>(inside.last - inside.first + 1)));
    draw.pointedAngle = NormalAngle(std::int64_t{wheel.startAngle} + offset);
  }
  draw.fullSpeedSeconds = 1 + static_cast<int>(random.below(12));
  return draw;
}

}  // namespace horavia::app::prizes
