// The draw: fair by weight, uniform without prizes, the pointer always well
// inside its slice, and the generator's own properties.
#include "app/prizes/draw.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

namespace horavia::app::prizes {
namespace {

SpinRandom Seeded(std::uint32_t seed) {
  const std::array<std::uint32_t, 2> words = {seed, 0x5EED};
  return SpinRandom(words);
}

PrizeWheel Wheel(int segments, int startAngle, std::vector<std::uint32_t> weights = {}) {
  PrizeWheel wheel;
  wheel.startAngle = startAngle;
  for (int i = 0; i < segments; ++i) {
    wheel.prizes.push_back({"p", i < static_cast<int>(weights.size()) ? weights[static_cast<std::size_t>(i)] : 1u});
  }
  return wheel;
}

// Pearson's statistic of observed counts against expected shares.
double ChiSquare(const std::vector<int>& observed, const std::vector<double>& expected) {
  double sum = 0;
  for (std::size_t i = 0; i < observed.size(); ++i) {
    const double d = observed[i] - expected[i];
    sum += d * d / expected[i];
  }
  return sum;
}

TEST(SpinRandom, TheSameSeedGivesTheSameDrawsAndAnotherSeedOthers) {
  SpinRandom a = Seeded(1), b = Seeded(1), c = Seeded(2);
  std::vector<std::uint64_t> first, second, third;
  for (int i = 0; i < 4; ++i) {
    first.push_back(a.next());
    second.push_back(b.next());
    third.push_back(c.next());
  }
  EXPECT_EQ(first, second);
  EXPECT_NE(first, third);
}

TEST(SpinRandom, BelowStaysInRangeAndReachesEveryValue) {
  SpinRandom random = Seeded(3);
  EXPECT_EQ(random.below(1), 0u);
  EXPECT_EQ(random.below(0), 0u);
  std::set<std::uint64_t> seen;
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t value = random.below(7);
    ASSERT_LT(value, 7u);
    seen.insert(value);
  }
  EXPECT_EQ(seen.size(), 7u);
  // A range just past half the generator's: a remainder would give the low
  // half twice the share; rejection keeps it even.
  const std::uint64_t half = (std::uint64_t{1} << 63) + 1;
  int low = 0;
  for (int i = 0; i < 4000; ++i) low += random.below(half) < half / 2 ? 1 : 0;
  EXPECT_NEAR(low, 2000, 200);
}

// 120,000 draws of twelve prizes weighted 1 … 12: the counts pass a
// chi-square test at p > 0.001 (11 degrees of freedom: below 31.26).
TEST(SpinDraw, PrizesComeUpInProportionToTheirWeights) {
  std::vector<std::uint32_t> weights;
  for (std::uint32_t w = 1; w <= 12; ++w) weights.push_back(w);
  const PrizeWheel wheel = Wheel(12, 345, weights);
  SpinRandom random = Seeded(20240611);
  std::vector<int> counts(12, 0);
  const int draws = 120000;
  for (int i = 0; i < draws; ++i) ++counts[static_cast<std::size_t>(DrawSpin(wheel, random).segment - 1)];
  std::vector<double> expected;
  for (std::uint32_t w : weights) expected.push_back(draws * w / 78.0);
  EXPECT_LT(ChiSquare(counts, expected), 31.26);
}

// Without prizes every 10° of the turn gets its share: 36 bins, 35 degrees
// of freedom, below 66.62 at p > 0.001.
TEST(SpinDraw, WithoutPrizesEveryTenDegreesGetTheirShare) {
  SpinRandom random = Seeded(7);
  std::vector<int> bins(36, 0);
  const int draws = 72000;
  for (int i = 0; i < draws; ++i) {
    const SpinDraw draw = DrawSpin(PrizeWheel{}, random);
    ASSERT_EQ(draw.segment, 0);
    ASSERT_GE(draw.pointedAngle, 0);
    ASSERT_LT(draw.pointedAngle, 360);
    ++bins[static_cast<std::size_t>(draw.pointedAngle / 10)];
  }
  EXPECT_LT(ChiSquare(bins, std::vector<double>(36, draws / 36.0)), 66.62);
}

TEST(SpinDraw, APrizeOfWeightZeroIsNeverWonAndDRunsOneToTwelve) {
  const PrizeWheel wheel = Wheel(3, 0, {0, 5, 0});
  SpinRandom random = Seeded(11);
  std::set<int> seconds;
  for (int i = 0; i < 3000; ++i) {
    const SpinDraw draw = DrawSpin(wheel, random);
    ASSERT_EQ(draw.segment, 2);
    seconds.insert(draw.fullSpeedSeconds);
  }
  EXPECT_EQ(seconds, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

// Every slice of every wheel: the angles drawn lie in the slice drawn and at
// least 1.5° from its borders, and every such angle can come up.
TEST(SpinDraw, ThePointerRestsWellInsideTheSliceDrawn) {
  SpinRandom random = Seeded(5);
  for (int segments = 2; segments <= 36; ++segments) {
    for (int start : {0, 7, 345}) {
      const PrizeWheel wheel = Wheel(segments, start);
      for (int segment = 1; segment <= segments; ++segment) {
        const AngleRange inside = SegmentInterior(segments, segment);
        ASSERT_LE(inside.first, inside.last);
        // Distances to the borders, in degrees: first - (k-1)·360/N and k·360/N - last.
        EXPECT_GE(inside.first * segments - (segment - 1) * 360, 1.5 * segments) << segments << "/" << segment;
        EXPECT_GE(segment * 360 - inside.last * segments, 1.5 * segments) << segments << "/" << segment;
        EXPECT_LT((inside.first - 1) * segments - (segment - 1) * 360, 1.5 * segments);  // nothing wider left out
      }
      for (int i = 0; i < 200; ++i) {
        const SpinDraw draw = DrawSpin(wheel, random);
        ASSERT_EQ(SegmentAt(segments, start, draw.pointedAngle), draw.segment);
        const AngleRange inside = SegmentInterior(segments, draw.segment);
        const int offset = NormalAngle(std::int64_t{draw.pointedAngle} - start);
        ASSERT_GE(offset, inside.first);
        ASSERT_LE(offset, inside.last);
      }
    }
  }
}

}  // namespace
}  // namespace horavia::app::prizes
