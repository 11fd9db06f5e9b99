#include "bass/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace horavia::bass {
namespace {

std::array<float, kFftSize> Sine(double bin, double amplitude) {
  std::array<float, kFftSize> samples;
  for (std::size_t i = 0; i < kFftSize; ++i) {
    samples[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * bin *
                                                         static_cast<double>(i) / kFftSize));
  }
  return samples;
}

TEST(BassFft, FullScaleSineOnABinReadsOneThere) {
  std::array<float, kFftBins> spectrum = Spectrum256(Sine(8, 1.0));
  EXPECT_NEAR(spectrum[8], 1.0f, 1e-4f);
  // The Hann window spreads half of it into each neighbour, nothing further.
  EXPECT_NEAR(spectrum[7], 0.5f, 1e-4f);
  EXPECT_NEAR(spectrum[9], 0.5f, 1e-4f);
  for (std::size_t k = 0; k < kFftBins; ++k) {
    if (k >= 7 && k <= 9) continue;
    EXPECT_LT(spectrum[k], 1e-4f) << "bin " << k;
  }
}

TEST(BassFft, MagnitudeFollowsAmplitudeAndBin) {
  std::array<float, kFftBins> spectrum = Spectrum256(Sine(50, 0.25));
  EXPECT_NEAR(spectrum[50], 0.25f, 1e-4f);
  EXPECT_LT(spectrum[8], 1e-4f);
  // The highest bin the 128 values reach.
  EXPECT_NEAR(Spectrum256(Sine(127, 0.5))[127], 0.5f, 1e-4f);
}

TEST(BassFft, SilenceIsAllZero) {
  std::array<float, kFftSize> silence{};
  for (float magnitude : Spectrum256(silence)) EXPECT_EQ(magnitude, 0.0f);
}

}  // namespace
}  // namespace horavia::bass
