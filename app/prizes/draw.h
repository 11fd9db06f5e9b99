// The spin's draw: the winner first, then where inside its slice the pointer
// comes to rest, then how long the spin runs at full speed. The generator is
// seeded once per program start from the operating system's entropy
// (platform/entropy.h); tests seed it themselves.
#pragma once

#include <cstdint>
#include <random>
#include <span>

#include "app/prizes/prizes.h"

namespace horavia::app::prizes {

class SpinRandom {
 public:
  explicit SpinRandom(std::span<const std::uint32_t> seed);

  std::uint64_t next() { return engine_(); }
  // Uniform in [0, n) for n >= 1. A plain remainder would favour small
  // values; draws from the incomplete top block are drawn again instead.
  std::uint64_t below(std::uint64_t n);

 private:
  std::mt19937_64 engine_;
};

// The integer angles of slice `segment` (1-based) of `segments`, as offsets
// from the wheel's start angle, that keep at least 1.5° from both borders,
// so that the pointer never rests on a line.
struct AngleRange {
  int first = 0;
  int last = 0;
};
AngleRange SegmentInterior(int segments, int segment);

struct SpinDraw {
  int segment = 0;       // 1-based; 0 when the wheel has no prizes
  int pointedAngle = 0;  // where on the wheel picture the pointer rests, 0..359
  int fullSpeedSeconds = 1;  // d, 1..12
};

// With prizes: a prize by weight, then a uniform angle inside its slice.
// Without: a uniform angle over the whole turn.
SpinDraw DrawSpin(const PrizeWheel& wheel, SpinRandom& random);

}  // namespace horavia::app::prizes
