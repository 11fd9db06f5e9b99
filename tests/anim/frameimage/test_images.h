// Small frame images the pixel-operation tests build their cases from.
#pragma once

#include <cstdint>
#include <vector>

#include "anim/frameimage/frame_image.h"

namespace horavia::anim::testing {

inline FrameImage Image(int width, int height, std::vector<std::uint32_t> pixels, std::uint32_t key = kNoKey) {
  FrameImage image;
  image.width = width;
  image.height = height;
  image.frames.push_back({key, 0, std::move(pixels)});
  return image;
}

// 3 × 2, pixels numbered in reading order.
inline FrameImage Numbered() { return Image(3, 2, {1, 2, 3, 4, 5, 6}); }

// `frames` frames of width × height, each pixel numbered.
inline FrameImage Frames(int width, int height, int frames) {
  FrameImage image;
  image.width = width;
  image.height = height;
  for (int f = 0; f < frames; ++f) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i * 3 + f);
    image.frames.push_back({kNoKey, 10, std::move(pixels)});
  }
  return image;
}

}  // namespace horavia::anim::testing
