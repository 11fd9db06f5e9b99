// Colour reduction for the generated GIFs: one palette of at most 256
// entries for all frames of a picture, chosen by median cut and refined by a
// few rounds of k-means over the colour histogram. No dithering: flat areas
// stay flat.
//
// Colours are 0x00RRGGBB. Reserved colours (the white or key colour that the
// program makes transparent) keep exact palette entries at the front; only
// pixels of exactly that colour map to them, and no other entry equals them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace horavia::assets {

struct Quantized {
  std::vector<std::uint32_t> palette;              // 0x00RRGGBB, at most maxColours
  std::vector<std::vector<std::uint8_t>> indices;  // one per frame, same order
};

// Every frame must hold the same number of pixels. Same input, same output:
// no hashing, no randomness.
Quantized Quantize(std::span<const std::vector<std::uint32_t>> frames, std::span<const std::uint32_t> reserved,
                   int maxColours = 256);

}  // namespace horavia::assets
