// Index
//   flip         Flip
//   scale        Scale in one or two passes, 8.8 fixed-point steps, sizes
//   colour       one tabulated walk over the colour channels: Tint, Brighten
//   compositing  clipping, BlendFrame, CopyRect, HitTest
// Turns live in rotate.cpp, the vector kernels in pixel_kernels.cpp.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/pixel_kernels.h"
#include "anim/picture/bitmap.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

namespace {

// Pixel channels: byte 0 blue, 1 green, 2 red, 3 transparency.
inline int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

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

// [SECTION] scale

namespace {

// One pass's size; nothing when it is below one pixel or beyond the
// ceiling with that many frames.
std::optional<ImageSize> ScalePassSize(ImageSize size, int frames, int perMilleX, int perMilleY) {
  const ImageSize scaled{MulDiv(size.width, perMilleX, 1000), MulDiv(size.height, perMilleY, 1000)};
  if (scaled.width <= 0 || scaled.height <= 0 || !CheckedFramePixels(scaled.width, scaled.height, frames)) {
    return std::nullopt;
  }
  return scaled;
}

bool ScalesAtAll(int perMilleX, int perMilleY) {
  return perMilleX > 0 && perMilleY > 0 && !(perMilleX == 1000 && perMilleY == 1000);
}

// Shrinking one way and growing the other goes through the smaller
// intermediate first, x before y.
bool ScalesInTwoPasses(int perMilleX, int perMilleY) {
  return (perMilleX < 1000 && perMilleY > 1000) || (perMilleX > 1000 && perMilleY < 1000);
}

void ScalePass(FrameImage& image, int perMilleX, int perMilleY) {
  const std::optional<ImageSize> size = ScalePassSize({image.width, image.height}, image.frameCount(), perMilleX, perMilleY);
  if (!size) {
    image = FrameImage{};
    return;
  }
  const int width = size->width;
  const int height = size->height;
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
  if (!image.usable() || !ScalesAtAll(perMilleX, perMilleY)) return;
  if (!ScalesInTwoPasses(perMilleX, perMilleY)) return ScalePass(image, perMilleX, perMilleY);
  ScalePass(image, perMilleX, 1000);
  if (image.usable()) ScalePass(image, 1000, perMilleY);
}

std::optional<ImageSize> ScaledSize(ImageSize size, int frames, int perMilleX, int perMilleY) {
  if (!ScalesAtAll(perMilleX, perMilleY)) return size;
  if (!ScalesInTwoPasses(perMilleX, perMilleY)) return ScalePassSize(size, frames, perMilleX, perMilleY);
  const std::optional<ImageSize> first = ScalePassSize(size, frames, perMilleX, 1000);
  if (!first) return std::nullopt;
  return ScalePassSize(*first, frames, 1000, perMilleY);
}

// [SECTION] colour

namespace {

// Maps blue, green and red of every pixel that is not its frame's key
// through rule(channel, value) (channel 0 blue, 1 green, 2 red) and keeps
// the fourth byte. A key matches on all four bytes, the key's fourth being
// 0. The rule depends on the channel and the value alone, so it is
// tabulated once and each pixel costs three lookups.
template <typename Rule>
void MapColourChannels(FrameImage& image, Rule rule) {
  std::uint8_t table[3][256];
  for (int channel = 0; channel < 3; ++channel) {
    for (int v = 0; v < 256; ++v) table[channel][v] = static_cast<std::uint8_t>(rule(channel, v));
  }
  for (ImageFrame& frame : image.frames) {
    const bool hasKey = frame.keyColour != kNoKey;
    const std::uint32_t keyPixel = PixelFromColour(frame.keyColour);
    for (std::uint32_t& pixel : frame.pixels) {
      if (hasKey && pixel == keyPixel) continue;
      pixel = (pixel & 0xFF000000) | static_cast<std::uint32_t>(table[2][pixel >> 16 & 0xFF]) << 16 |
              static_cast<std::uint32_t>(table[1][pixel >> 8 & 0xFF]) << 8 | table[0][pixel & 0xFF];
    }
  }
}

}  // namespace

void Tint(FrameImage& image, std::uint32_t colour, int depthPercent) {
  if (!image.usable() || depthPercent <= 0) return;
  const int depth = std::min(depthPercent, 100);
  const int target[3] = {Channel(colour, 16), Channel(colour, 8), Channel(colour, 0)};  // blue, green, red
  MapColourChannels(image, [&](int channel, int v) { return v + MulDiv(target[channel] - v, depth, 100); });
}

void Brighten(FrameImage& image, int percent) {
  if (!image.usable() || percent == 0) return;
  // Beyond ±100000 % every channel saturates anyway; the bound keeps the
  // products in range.
  const int p = std::clamp(percent, -100000, 100000);
  MapColourChannels(image, [&](int, int v) { return std::clamp(v + MulDiv(v, p, 100), 0, 255); });
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

// d moved towards s by weight / 255 of the difference, rounded to nearest
// with halves away from zero: d + MulDiv(s - d, weight, 255). Because d is
// whole and 255 is odd (no exact halves), that equals the nearest whole
// number to (s·weight + d·(255 − weight)) / 255, which needs no signs and
// stays below 65536, so it also fits the 16-bit lanes of BlendFour.
inline std::uint32_t Mix(std::uint32_t s, std::uint32_t d, std::uint32_t weight) {
  return (s * weight + d * (255 - weight) + 127) / 255;
}

// One pixel of the blend: S over D.
inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::int32_t fade, bool hasKey,
                                std::uint32_t keyPixel) {
  const bool keyed = hasKey && (s & 0x00FFFFFF) == keyPixel;
  const std::int32_t loss = fade + static_cast<std::int32_t>(s >> 24);
  const std::int32_t weight = keyed ? 0 : 255 - std::clamp(loss, 0, 255);
  const std::uint32_t fourth = (!keyed && loss <= 0 ? s : d) & 0xFF000000;
  const std::uint32_t w = static_cast<std::uint32_t>(weight);
  return fourth | Mix(s >> 16 & 0xFF, d >> 16 & 0xFF, w) << 16 | Mix(s >> 8 & 0xFF, d >> 8 & 0xFF, w) << 8 |
         Mix(s & 0xFF, d & 0xFF, w);
}

}  // namespace

// Per source pixel S over destination pixel D: a key match leaves D; else
// o = fade + S's transparency; o <= 0 copies S whole (weight 255 gives S's
// channels exactly, and S's fourth byte is taken), o >= 255 leaves D
// (weight 0), anything between moves D's channels towards S and keeps D's
// fourth byte.
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
    int x = kernels::BlendRow(in, out, area.width, fade, hasKey, keyPixel);
    for (; x < area.width; ++x) out[x] = BlendPixel(in[x], out[x], fade, hasKey, keyPixel);
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

namespace {

// A pixel the hit test finds: not fully transparent, and not the key.
inline bool Hittable(std::uint32_t pixel, std::uint32_t keyColour) {
  if (pixel >= 0xFF000000) return false;
  return keyColour == kNoKey || (pixel & 0x00FFFFFF) != PixelFromColour(keyColour);
}

}  // namespace

bool HitTest(const FrameImage& image, int imageX, int imageY, int frameIndex, int pointX, int pointY) {
  if (!image.usable() || frameIndex < 0 || frameIndex >= image.frameCount()) return false;
  const std::int64_t x = std::int64_t{pointX} - imageX;
  const std::int64_t y = std::int64_t{pointY} - imageY;
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return false;
  const ImageFrame& frame = image.frames[frameIndex];
  return Hittable(frame.pixels[static_cast<std::size_t>(y) * image.width + x], frame.keyColour);
}

std::vector<bool> HitMask(const FrameImage& image, int frameIndex) {
  if (!image.usable() || frameIndex < 0 || frameIndex >= image.frameCount()) return {};
  const ImageFrame& frame = image.frames[frameIndex];
  std::vector<bool> mask(frame.pixels.size());
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) mask[i] = Hittable(frame.pixels[i], frame.keyColour);
  return mask;
}

}  // namespace horavia::anim
