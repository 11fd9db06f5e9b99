// Index
//   flip         Flip
//   rotate       quarter turns, the general nearest-neighbour turn
//   scale        Scale in one or two passes, 8.8 fixed-point steps
//   colour       Tint, Brighten
//   compositing  clipping, BlendFrame, CopyRect, HitTest
#include <algorithm>
#include <cmath>
#include <cstring>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/bitmap.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

namespace {

// Pixel channels: byte 0 blue, 1 green, 2 red, 3 transparency.
inline int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

inline bool IsKeyPixel(std::uint32_t pixel, std::uint32_t keyColour) {
  return keyColour != kNoKey && pixel == PixelFromColour(keyColour);
}

}  // namespace

// [SECTION] flip

void Flip(FrameImage& image, int type) {
  if (!image.usable() || type < 1 || type > 3) return;
  const std::size_t width = static_cast<std::size_t>(image.width);
  for (ImageFrame& frame : image.frames) {
    std::uint32_t* pixels = frame.pixels.data();
    if (type & 1) {
      for (int y = 0; y < image.height; ++y) std::reverse(pixels + y * width, pixels + (y + 1) * width);
    }
    if (type & 2) {
      for (int y = 0; y < image.height / 2; ++y) {
        std::swap_ranges(pixels + y * width, pixels + (y + 1) * width, pixels + (image.height - 1 - y) * width);
      }
    }
  }
}

// [SECTION] rotate

namespace {

// Degrees to radians with the factor 3.1415926535 / 180 exactly, so turned
// pictures match those the program has always produced.
constexpr double kDegreesToRadians = 0.017453292519444445;

FrameImage EmptyLike(const FrameImage& image, int width, int height) {
  FrameImage result;
  result.width = width;
  result.height = height;
  result.frames.reserve(image.frames.size());
  for (const ImageFrame& frame : image.frames) {
    result.frames.push_back({frame.keyColour, frame.delay,
                             std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)});
  }
  return result;
}

// Quarter turns: destination (x, y) takes source pick(x, y).
template <typename Pick>
FrameImage QuarterTurn(const FrameImage& image, int width, int height, Pick pick) {
  FrameImage result = EmptyLike(image, width, height);
  for (std::size_t f = 0; f < image.frames.size(); ++f) {
    const std::uint32_t* in = image.frames[f].pixels.data();
    std::uint32_t* out = result.frames[f].pixels.data();
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const auto [sx, sy] = pick(x, y);
        *out++ = in[static_cast<std::size_t>(sy) * image.width + sx];
      }
    }
  }
  return result;
}

std::optional<FrameImage> TurnAnyAngle(const FrameImage& image, double degrees) {
  const double theta = degrees * kDegreesToRadians;
  const double s = std::sin(theta);
  const double c = std::cos(theta);
  const double w = image.width;
  const double h = image.height;
  const double cornerX[4] = {0, w * c, -h * s, w * c - h * s};
  const double cornerY[4] = {0, w * s, h * c, w * s + h * c};
  const double minX = *std::min_element(cornerX, cornerX + 4);
  const double maxX = *std::max_element(cornerX, cornerX + 4);
  const double minY = *std::min_element(cornerY, cornerY + 4);
  const double maxY = *std::max_element(cornerY, cornerY + 4);
  const double newWidth = std::ceil(maxX - minX);
  const double newHeight = std::ceil(maxY - minY);
  if (newWidth < 1 || newHeight < 1 || newWidth > kMaxPictureSide || newHeight > kMaxPictureSide) return std::nullopt;
  const int width = static_cast<int>(newWidth);
  const int height = static_cast<int>(newHeight);
  if (!CheckedPixelCount(width, height)) return std::nullopt;

  // Source x = trunc(X·c + Y·s), source y = trunc(Y·c − X·s) with X = k + minX
  // and Y = j + minY. The X products are the same for every row, so they are
  // computed once; each term is rounded exactly as the direct formula rounds.
  std::vector<double> xc(width);
  std::vector<double> xs(width);
  for (int k = 0; k < width; ++k) {
    const double x = k + minX;
    xc[k] = x * c;
    xs[k] = x * s;
  }
  FrameImage result = EmptyLike(image, width, height);
  const unsigned sourceWidth = static_cast<unsigned>(image.width);
  const unsigned sourceHeight = static_cast<unsigned>(image.height);
  for (int j = 0; j < height; ++j) {
    const double y = j + minY;
    const double ys = y * s;
    const double yc = y * c;
    for (std::size_t f = 0; f < image.frames.size(); ++f) {
      const std::uint32_t* in = image.frames[f].pixels.data();
      std::uint32_t* out = result.frames[f].pixels.data() + static_cast<std::size_t>(j) * width;
      for (int k = 0; k < width; ++k) {
        const int sx = static_cast<int>(xc[k] + ys);
        const int sy = static_cast<int>(yc - xs[k]);
        const bool inside = static_cast<unsigned>(sx) < sourceWidth && static_cast<unsigned>(sy) < sourceHeight;
        out[k] = inside ? in[static_cast<std::size_t>(sy) * sourceWidth + sx] : kEmptyPixel;
      }
    }
  }
  return result;
}

}  // namespace

std::optional<FrameImage> Rotate(const FrameImage& image, double degrees) {
  if (!image.usable() || !std::isfinite(degrees)) return std::nullopt;
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360.0;
  const int w = image.width;
  const int h = image.height;
  if (a == 0) return Clone(image);
  if (a == 90) return QuarterTurn(image, h, w, [h](int x, int y) { return std::pair{y, h - 1 - x}; });
  if (a == 270) return QuarterTurn(image, h, w, [w](int x, int y) { return std::pair{w - 1 - y, x}; });
  if (a == 180) return QuarterTurn(image, w, h, [w, h](int x, int y) { return std::pair{w - 1 - x, h - 1 - y}; });
  return TurnAnyAngle(image, a);
}

// [SECTION] scale

namespace {

void ScalePass(FrameImage& image, int perMilleX, int perMilleY) {
  const int width = MulDiv(image.width, perMilleX, 1000);
  const int height = MulDiv(image.height, perMilleY, 1000);
  if (width <= 0 || height <= 0 || !CheckedPixelCount(width, height)) {
    image = FrameImage{};
    return;
  }
  // 8.8 fixed-point steps through the source; (k × step) >> 8 stays below
  // the source size for every k < width.
  const std::int64_t stepX = std::int64_t{image.width} * 256 / width;
  const std::int64_t stepY = std::int64_t{image.height} * 256 / height;
  std::vector<int> sourceColumn(width);
  for (int k = 0; k < width; ++k) sourceColumn[k] = static_cast<int>(k * stepX >> 8);

  for (ImageFrame& frame : image.frames) {
    std::vector<std::uint32_t> scaled(static_cast<std::size_t>(width) * height);
    for (int j = 0; j < height; ++j) {
      const std::uint32_t* in = frame.pixels.data() + static_cast<std::size_t>(j * stepY >> 8) * image.width;
      std::uint32_t* out = scaled.data() + static_cast<std::size_t>(j) * width;
      for (int k = 0; k < width; ++k) out[k] = in[sourceColumn[k]];
    }
    frame.pixels = std::move(scaled);
    frame.keyColour = kNoKey;
  }
  image.width = width;
  image.height = height;
}

}  // namespace

void Scale(FrameImage& image, int perMilleX, int perMilleY) {
  if (!image.usable() || perMilleX <= 0 || perMilleY <= 0) return;
  if (perMilleX == 1000 && perMilleY == 1000) return;
  // Shrinking one way and growing the other goes through the smaller
  // intermediate first, x before y.
  const bool mixed = (perMilleX < 1000 && perMilleY > 1000) || (perMilleX > 1000 && perMilleY < 1000);
  if (!mixed) return ScalePass(image, perMilleX, perMilleY);
  ScalePass(image, perMilleX, 1000);
  if (image.usable()) ScalePass(image, 1000, perMilleY);
}

// [SECTION] colour

void Tint(FrameImage& image, std::uint32_t colour, int depthPercent) {
  if (!image.usable() || depthPercent <= 0) return;
  const int depth = std::min(depthPercent, 100);
  const int target[3] = {Channel(colour, 16), Channel(colour, 8), Channel(colour, 0)};  // blue, green, red
  for (ImageFrame& frame : image.frames) {
    for (std::uint32_t& pixel : frame.pixels) {
      if (IsKeyPixel(pixel, frame.keyColour)) continue;
      std::uint32_t result = pixel & 0xFF000000;
      for (int i = 0; i < 3; ++i) {
        const int v = Channel(pixel, i * 8);
        result |= static_cast<std::uint32_t>(v + MulDiv(target[i] - v, depth, 100)) << (i * 8);
      }
      pixel = result;
    }
  }
}

void Brighten(FrameImage& image, int percent) {
  if (!image.usable() || percent == 0) return;
  // Beyond ±100000 % every channel saturates anyway; the bound keeps the
  // products in range.
  const int p = std::clamp(percent, -100000, 100000);
  for (ImageFrame& frame : image.frames) {
    for (std::uint32_t& pixel : frame.pixels) {
      if (IsKeyPixel(pixel, frame.keyColour)) continue;
      std::uint32_t result = pixel & 0xFF000000;
      for (int i = 0; i < 3; ++i) {
        const int v = Channel(pixel, i * 8);
        result |= static_cast<std::uint32_t>(std::clamp(v + MulDiv(v, p, 100), 0, 255)) << (i * 8);
      }
      pixel = result;
    }
  }
}

// [SECTION] compositing

namespace {

// Clips the copy as both blending and copying do; false when nothing is
// left to draw.
bool ClipCopy(const PixelView& destination, const ConstPixelView& source, CopyArea& area) {
  if (!destination.pixels || !source.pixels || destination.width <= 0 || destination.height <= 0) return false;
  std::int64_t dx = area.destinationX, dy = area.destinationY;
  std::int64_t sx = area.sourceX, sy = area.sourceY;
  std::int64_t w = area.width, h = area.height;
  if (dx < 0) {
    w += dx;
    sx -= dx;
    dx = 0;
  }
  if (dy < 0) {
    h += dy;
    sy -= dy;
    dy = 0;
  }
  if (w <= 0 || h <= 0 || sx < 0 || sy < 0) return false;
  if (sx + w > source.width || sy + h > source.height) return false;
  w = std::min<std::int64_t>(w, destination.width - dx);
  h = std::min<std::int64_t>(h, destination.height - dy);
  if (w <= 0 || h <= 0) return false;
  area = {static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx), static_cast<int>(sy),
          static_cast<int>(w), static_cast<int>(h)};
  return true;
}

// D moved towards S by weight / 255 of the difference, rounded to nearest:
// the exact MulDiv(s - d, weight, 255). 255 is odd, so no exact halves occur
// and adding 127 before dividing rounds correctly.
inline std::uint32_t Mix(int s, int d, int weight) {
  const int difference = s - d;
  const int step = difference >= 0 ? (difference * weight + 127) / 255 : -((-difference * weight + 127) / 255);
  return static_cast<std::uint32_t>(d + step);
}

inline std::uint32_t MixPixel(std::uint32_t source, std::uint32_t destination, int weight) {
  return (destination & 0xFF000000) | Mix(Channel(source, 16), Channel(destination, 16), weight) << 16 |
         Mix(Channel(source, 8), Channel(destination, 8), weight) << 8 |
         Mix(Channel(source, 0), Channel(destination, 0), weight);
}

}  // namespace

void BlendFrame(PixelView destination, ConstPixelView source, CopyArea area, int transparencyPercent,
                std::uint32_t key) {
  if (!ClipCopy(destination, source, area)) return;
  const int fade = MulDiv(std::clamp(transparencyPercent, -1000, 1000), 255, 100);
  const bool hasKey = key != kNoKey;
  const std::uint32_t keyPixel = PixelFromColour(key);
  for (int y = 0; y < area.height; ++y) {
    const std::uint32_t* in = source.pixels + static_cast<std::size_t>(area.sourceY + y) * source.width + area.sourceX;
    std::uint32_t* out =
        destination.pixels + static_cast<std::size_t>(area.destinationY + y) * destination.width + area.destinationX;
    for (int x = 0; x < area.width; ++x) {
      const std::uint32_t s = in[x];
      if (hasKey && (s & 0x00FFFFFF) == keyPixel) continue;
      const int opacityLoss = fade + static_cast<int>(s >> 24);
      if (opacityLoss <= 0) {
        out[x] = s;
      } else if (opacityLoss < 255) {
        out[x] = MixPixel(s, out[x], 255 - opacityLoss);
      }
    }
  }
}

void CopyRect(PixelView destination, ConstPixelView source, CopyArea area) {
  if (!ClipCopy(destination, source, area)) return;
  for (int y = 0; y < area.height; ++y) {
    std::memcpy(destination.pixels + static_cast<std::size_t>(area.destinationY + y) * destination.width +
                    area.destinationX,
                source.pixels + static_cast<std::size_t>(area.sourceY + y) * source.width + area.sourceX,
                static_cast<std::size_t>(area.width) * 4);
  }
}

bool HitTest(const FrameImage& image, int imageX, int imageY, int frameIndex, int pointX, int pointY) {
  if (!image.usable() || frameIndex < 0 || frameIndex >= image.frameCount()) return false;
  const std::int64_t x = std::int64_t{pointX} - imageX;
  const std::int64_t y = std::int64_t{pointY} - imageY;
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return false;
  const ImageFrame& frame = image.frames[frameIndex];
  const std::uint32_t pixel = frame.pixels[static_cast<std::size_t>(y) * image.width + x];
  if (pixel >= 0xFF000000) return false;
  return frame.keyColour == kNoKey || (pixel & 0x00FFFFFF) != PixelFromColour(frame.keyColour);
}

}  // namespace horavia::anim
