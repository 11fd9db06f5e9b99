#include "bass/fft.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace horavia::bass {
namespace {

using Complex = std::complex<double>;

std::size_t ReverseBits(std::size_t value, int bits) {
  std::size_t out = 0;
  for (int i = 0; i < bits; ++i) {
    out = (out << 1) | (value & 1);
    value >>= 1;
  }
  return out;
}

// In-place iterative radix-2 transform of kFftSize points.
void Transform(std::array<Complex, kFftSize>& data) {
  constexpr int kBits = 8;  // 2^8 == kFftSize
  static_assert((std::size_t{1} << kBits) == kFftSize);
  for (std::size_t i = 0; i < kFftSize; ++i) {
    std::size_t j = ReverseBits(i, kBits);
    if (j > i) std::swap(data[i], data[j]);
  }
  for (std::size_t span = 2; span <= kFftSize; span *= 2) {
    Complex step = std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(span));
    for (std::size_t start = 0; start < kFftSize; start += span) {
      Complex twiddle = 1.0;
      for (std::size_t k = 0; k < span / 2; ++k) {
        Complex even = data[start + k];
        Complex odd = data[start + k + span / 2] * twiddle;
        data[start + k] = even + odd;
        data[start + k + span / 2] = even - odd;
        twiddle *= step;
      }
    }
  }
}

}  // namespace

std::array<float, kFftBins> Spectrum256(std::span<const float, kFftSize> samples) {
  std::array<Complex, kFftSize> data;
  for (std::size_t i = 0; i < kFftSize; ++i) {
    // Periodic Hann window, so a sine on a bin leaks only into its neighbours.
    double window =
        0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / kFftSize);
    data[i] = samples[i] * window;
  }
  Transform(data);
  std::array<float, kFftBins> magnitudes;
  for (std::size_t k = 0; k < kFftBins; ++k) {
    magnitudes[k] = static_cast<float>(std::abs(data[k]) * 4.0 / kFftSize);
  }
  return magnitudes;
}

}  // namespace horavia::bass
