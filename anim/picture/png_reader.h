// PNG through libpng from memory, into 32-bit pixels of the frame-image
// layout: bytes B, G, R, transparency (0 opaque, 255 transparent).
//
// Transformations: composited over the file's background colour when it has
// one, 16-bit samples cut to 8 bits, every interlace pass read. RGBA and grey
// with alpha keep their alpha as transparency = 255 - alpha; RGB, palette and
// grey pictures are opaque (a transparency chunk is not applied).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "anim/picture/decoded.h"

namespace horavia::anim {

struct PngPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // top row first
};

inline constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool HasPngSignature(std::span<const std::uint8_t> bytes);
// The pixels, or why there are none.
Decoded<PngPixels> ReadPng(std::span<const std::uint8_t> bytes);

}  // namespace horavia::anim
