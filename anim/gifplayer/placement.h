// Where a picture of w × h goes in a client area of W × H, by placement mode.
// Pure arithmetic, shared by the picture box's still pictures and its GIF
// player.
#pragma once

#include <algorithm>
#include <cstdint>

namespace horavia::anim {

enum class Placement : std::int32_t {
  TopLeft = 0,  // natural size at the top-left corner
  Stretch = 1,  // stretched over the client area
  Centre = 2,   // centred; reduced, keeping its aspect ratio, when larger
};

struct PlacedRect {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const PlacedRect&, const PlacedRect&) = default;
};

// Modes outside 0-2 count as 0. In mode 2 a picture larger than the client
// area in either direction is scaled by the smaller of W / w and H / h
// (sizes truncated) and then centred.
constexpr PlacedRect PlacePicture(std::int32_t mode, int clientWidth, int clientHeight, int width, int height) {
  if (mode == static_cast<std::int32_t>(Placement::Stretch)) return {0, 0, clientWidth, clientHeight};
  if (mode != static_cast<std::int32_t>(Placement::Centre) || width <= 0 || height <= 0) {
    return {0, 0, width, height};
  }
  int w = width, h = height;
  if (w > clientWidth || h > clientHeight) {
    // The smaller ratio, compared exactly: W / w < H / h  <=>  W·h < H·w.
    const std::int64_t wide = std::int64_t{clientWidth} * height, tall = std::int64_t{clientHeight} * width;
    if (wide <= tall) {
      w = clientWidth;
      h = static_cast<int>(std::int64_t{height} * clientWidth / width);
    } else {
      h = clientHeight;
      w = static_cast<int>(std::int64_t{width} * clientHeight / height);
    }
  }
  return {std::max(0, (clientWidth - w) / 2), std::max(0, (clientHeight - h) / 2), w, h};
}

}  // namespace horavia::anim
