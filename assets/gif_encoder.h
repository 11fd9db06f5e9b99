// GIF files from 24-bit frames: one palette for the whole picture
// (assets/quantize.h), written with giflib. A single frame gives a still
// GIF87a picture; several frames an animated GIF89a that loops, each later
// frame stored as the rectangle that changed, left in place for the next,
// with the pixels that did not change marked transparent by a palette entry
// of a colour no pixel has.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace horavia::assets {

struct RgbFrame {
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, width × height, top row first
  int delayMs = 0;                    // rounded to hundredths of a second
};

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<RgbFrame> frames;
};

// The GIF file's bytes; empty when giflib refuses. `reserved` colours keep
// exact palette entries that nothing else maps to. Fewer colours make
// smaller files: the codes get shorter.
std::vector<std::uint8_t> EncodeGif(const RgbPicture& picture, std::span<const std::uint32_t> reserved,
                                   int maxColours = 256);

}  // namespace horavia::assets
