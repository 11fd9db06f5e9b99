// Looking at a skin picture's pixels the way they will show: which pixels are
// cut away (white, or fully transparent), and the light pixels left along
// that cut, which show as a halo over the face or a fringe at the window's
// edge.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/bitmap.h"

namespace horavia::tools::skin {

// Pixels 0x00RRGGBB with a flag per pixel: cut away (background) or drawn.
struct PixelGrid {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;
  std::vector<bool> background;

  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
  bool cut(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height && background[index(x, y)]; }
};

// An outline picture (face, wheel): white is what the window cuts away.
PixelGrid GridFromBitmap(const anim::Bitmap& bitmap);
// An object picture keyed white: white and fully transparent pixels are not
// drawn.
PixelGrid GridFromFrame(const anim::FrameImage& image, int frame);

// Not white but every channel at least this: light enough to show as a pale
// line against a dark face or desktop.
inline constexpr std::uint32_t kNearWhiteChannel = 0xE0;
bool NearWhite(std::uint32_t rgb);

struct PixelCount {
  int count = 0;
  int firstX = -1;  // the first one, row by row from the top
  int firstY = -1;
};

// Drawn pixels that are near white and touch a cut-away pixel (diagonals
// included).
PixelCount NearWhiteEdge(const PixelGrid& grid);
// Cut-away pixels that the picture's border cannot reach without crossing
// drawn pixels: holes inside an outline.
PixelCount EnclosedBackground(const PixelGrid& grid);
int DrawnPixels(const PixelGrid& grid);

// Which way the drawn part of a picture lies from its centre, in degrees
// clockwise from 12 o'clock: the direction a hand points (its tip outweighs
// any tail). Nothing when nothing is drawn or it balances on the centre.
std::optional<int> TipDirection(const PixelGrid& grid);

}  // namespace horavia::tools::skin
