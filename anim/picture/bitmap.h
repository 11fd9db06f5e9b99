// Device bitmaps and regions: the picture layer's output types.
//
// A Bitmap holds 32-bit pixels, top row first, rows unpadded. Each pixel is
// the uint32 0x00RRGGBB, which on the little-endian hosts we build for is the
// byte sequence B, G, R, X in memory. The fourth byte is 0 in everything the
// decoders produce. Colour values elsewhere in the program are 0x00BBGGRR;
// PixelFromColour and ColourFromPixel convert between the two orders.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

namespace horavia::anim {

static_assert(std::endian::native == std::endian::little,
              "pixels are stored as B, G, R, X bytes and read as uint32");

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // width × height, row by row from the top

  bool empty() const { return width <= 0 || height <= 0; }
  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Colour value 0x00BBGGRR -> pixel 0x00RRGGBB (red and blue exchanged,
// fourth byte cleared).
constexpr std::uint32_t PixelFromColour(std::uint32_t colour) {
  return (colour & 0x0000FF) << 16 | (colour & 0x00FF00) | (colour & 0xFF0000) >> 16;
}

// Pixel 0x??RRGGBB -> colour value 0x00BBGGRR; the fourth byte is dropped.
constexpr std::uint32_t ColourFromPixel(std::uint32_t pixel) { return PixelFromColour(pixel); }

// One rectangle of a region: [left, right) × [top, bottom).
struct RegionRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

// A window region as a list of non-overlapping rectangles (one-pixel-high
// runs, row by row from the top). The window layer turns it into its
// toolkit's region type.
struct Region {
  std::vector<RegionRect> rects;

  bool empty() const { return rects.empty(); }
  void unite(const std::vector<RegionRect>& block) { rects.insert(rects.end(), block.begin(), block.end()); }
  bool contains(int x, int y) const {
    for (const RegionRect& r : rects)
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
  }
};

}  // namespace horavia::anim
