#include "tools/skin/picture_edges.h"

#include <cmath>

namespace horavia::tools::skin {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

void Note(PixelCount& count, int x, int y) {
  if (count.count++ == 0) {
    count.firstX = x;
    count.firstY = y;
  }
}

bool TouchesCut(const PixelGrid& grid, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if ((dx != 0 || dy != 0) && grid.cut(x + dx, y + dy)) return true;
    }
  }
  return false;
}

}  // namespace

PixelGrid GridFromBitmap(const anim::Bitmap& bitmap) {
  PixelGrid grid{bitmap.width, bitmap.height, {}, {}};
  grid.rgb.reserve(bitmap.pixels.size());
  grid.background.reserve(bitmap.pixels.size());
  for (const std::uint32_t pixel : bitmap.pixels) {
    grid.rgb.push_back(pixel & kWhite);
    grid.background.push_back((pixel & kWhite) == kWhite);
  }
  return grid;
}

PixelGrid GridFromFrame(const anim::FrameImage& image, int frame) {
  PixelGrid grid{image.width, image.height, {}, {}};
  if (frame < 0 || frame >= image.frameCount()) return {};
  for (const std::uint32_t pixel : image.frames[static_cast<std::size_t>(frame)].pixels) {
    grid.rgb.push_back(pixel & kWhite);
    grid.background.push_back((pixel & kWhite) == kWhite || (pixel >> 24) == 0xFF);
  }
  return grid;
}

bool NearWhite(std::uint32_t rgb) {
  return rgb != kWhite && (rgb & 0xFF) >= kNearWhiteChannel && (rgb >> 8 & 0xFF) >= kNearWhiteChannel &&
         (rgb >> 16 & 0xFF) >= kNearWhiteChannel;
}

PixelCount NearWhiteEdge(const PixelGrid& grid) {
  PixelCount found;
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x) {
      const std::size_t i = grid.index(x, y);
      if (!grid.background[i] && NearWhite(grid.rgb[i]) && TouchesCut(grid, x, y)) Note(found, x, y);
    }
  }
  return found;
}

// A flood from every cut-away pixel on the border, with an explicit stack
// (a picture is untrusted: no recursion as deep as its pixel count).
PixelCount EnclosedBackground(const PixelGrid& grid) {
  std::vector<bool> reached(grid.background.size(), false);
  std::vector<std::pair<int, int>> stack;
  auto visit = [&](int x, int y) {
    if (!grid.cut(x, y) || reached[grid.index(x, y)]) return;
    reached[grid.index(x, y)] = true;
    stack.emplace_back(x, y);
  };
  for (int x = 0; x < grid.width; ++x) {
    visit(x, 0);
    visit(x, grid.height - 1);
  }
  for (int y = 0; y < grid.height; ++y) {
    visit(0, y);
    visit(grid.width - 1, y);
  }
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    visit(x + 1, y);
    visit(x - 1, y);
    visit(x, y + 1);
    visit(x, y - 1);
  }
  PixelCount holes;
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x) {
      if (grid.background[grid.index(x, y)] && !reached[grid.index(x, y)]) Note(holes, x, y);
    }
  }
  return holes;
}

int DrawnPixels(const PixelGrid& grid) {
  int drawn = 0;
  for (const bool cut : grid.background) drawn += cut ? 0 : 1;
  return drawn;
}

std::optional<int> TipDirection(const PixelGrid& grid) {
  // Offsets of the pixel centres from the picture's centre, doubled to stay
  // in integers; a symmetric hand sums to a vector along its axis.
  std::int64_t sumX = 0, sumY = 0;
  for (int y = 0; y < grid.height; ++y) {
    for (int x = 0; x < grid.width; ++x) {
      if (grid.background[grid.index(x, y)]) continue;
      sumX += 2 * x + 1 - grid.width;
      sumY += 2 * y + 1 - grid.height;
    }
  }
  if (sumX == 0 && sumY == 0) return std::nullopt;
  const double degrees = std::atan2(static_cast<double>(sumX), static_cast<double>(-sumY)) * 180.0 / 3.14159265358979323846;
  return static_cast<int>(std::lround(degrees + 360.0)) % 360;
}

}  // namespace horavia::tools::skin
