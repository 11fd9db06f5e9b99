// The spectrum that BASS_ChannelGetData reports: a 256-point FFT of mono
// samples in -1 ... 1, Hann-windowed, as 128 magnitudes.
#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace horavia::bass {

inline constexpr std::size_t kFftSize = 256;
inline constexpr std::size_t kFftBins = kFftSize / 2;

// Bin k covers k * rate / 256 Hz. Scaled so that a full-scale sine whose
// frequency sits on a bin reads 1.0 there (the Hann window halves the
// amplitude, hence 4 / N rather than 2 / N).
std::array<float, kFftBins> Spectrum256(std::span<const float, kFftSize> samples);

}  // namespace horavia::bass
