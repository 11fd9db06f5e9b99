// Separable resampling: a horizontal pass into rows of premultiplied
// floating-point pixels, then a vertical pass into packed pixels. Each
// output position has its own list of source taps and weights, computed
// once per pass and shared by every row or column.
#include "anim/frameimage/resample.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "anim/picture/bitmap.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

namespace {

// Blue, green, red scaled by opacity, then opacity (0..1).
using Premultiplied = std::array<float, 4>;

// The Catmull-Rom cubic: sharp without the halos of wider kernels, and
// exact at whole pixels (an unscaled picture passes through unchanged).
constexpr float kKernelRadius = 2.0F;
float CatmullRom(float x) {
  x = std::fabs(x);
  if (x < 1.0F) return (1.5F * x - 2.5F) * x * x + 1.0F;
  if (x < 2.0F) return ((-0.5F * x + 2.5F) * x - 4.0F) * x + 2.0F;
  return 0.0F;
}

// Which source pixels make one output pixel, and how much each counts.
struct Taps {
  int count = 0;                 // taps per output pixel
  std::vector<int> source;       // output × count source positions
  std::vector<float> weight;     // their weights, summing to 1 per output
};

// Taps mapping `from` pixels onto `to`. Positions past either end repeat the
// edge pixel, so that borders keep their colour and opacity.
Taps TapsFor(int from, int to) {
  const float scale = static_cast<float>(to) / static_cast<float>(from);
  const float stretch = std::min(scale, 1.0F);  // shrinking widens the kernel
  const float radius = kKernelRadius / stretch;
  Taps taps;
  taps.count = static_cast<int>(std::ceil(radius)) * 2 + 1;
  taps.source.resize(static_cast<std::size_t>(to) * taps.count);
  taps.weight.resize(taps.source.size());
  for (int i = 0; i < to; ++i) {
    const float centre = (static_cast<float>(i) + 0.5F) / scale - 0.5F;
    const int first = static_cast<int>(std::floor(centre - radius)) + 1;
    float sum = 0.0F;
    const std::size_t at = static_cast<std::size_t>(i) * taps.count;
    for (int k = 0; k < taps.count; ++k) {
      const float w = CatmullRom((static_cast<float>(first + k) - centre) * stretch);
      taps.source[at + k] = std::clamp(first + k, 0, from - 1);
      taps.weight[at + k] = w;
      sum += w;
    }
    if (sum != 0.0F) {
      for (int k = 0; k < taps.count; ++k) taps.weight[at + k] /= sum;
    }
  }
  return taps;
}

Premultiplied Unpack(std::uint32_t pixel, std::uint32_t keyPixel) {
  if ((pixel & 0x00FFFFFF) == keyPixel) return {0, 0, 0, 0};
  const float opacity = static_cast<float>(255 - (pixel >> 24)) / 255.0F;
  return {static_cast<float>(pixel & 0xFF) * opacity, static_cast<float>(pixel >> 8 & 0xFF) * opacity,
          static_cast<float>(pixel >> 16 & 0xFF) * opacity, opacity};
}

// The filter may overshoot past 0 and 1 beside hard edges; both are cut.
std::uint32_t Pack(const Premultiplied& p) {
  const float opacity = std::clamp(p[3], 0.0F, 1.0F);
  if (opacity < 0.5F / 255.0F) return kEmptyPixel;
  const auto channel = [opacity](float premultiplied) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(premultiplied / opacity, 0.0F, 255.0F)));
  };
  const auto transparency = static_cast<std::uint32_t>(std::lround((1.0F - opacity) * 255.0F));
  return transparency << 24 | channel(p[2]) << 16 | channel(p[1]) << 8 | channel(p[0]);
}

void Accumulate(Premultiplied& sum, const Premultiplied& p, float weight) {
  for (int c = 0; c < 4; ++c) sum[c] += p[c] * weight;
}

}  // namespace

int ScaledLength(int length, int percent) { return MulDiv(length, percent, 100); }

std::optional<ImageSize> ResampledSize(ImageSize size, int frames, int percent) {
  if (percent < kMinDisplayPercent || percent > kMaxDisplayPercent) return std::nullopt;
  const ImageSize scaled{std::max(ScaledLength(size.width, percent), 1),
                        std::max(ScaledLength(size.height, percent), 1)};
  if (!CheckedFramePixels(scaled.width, scaled.height, frames)) return std::nullopt;
  return scaled;
}

std::vector<std::uint32_t> ResamplePixels(ConstPixelView source, ImageSize to, std::uint32_t keyPixel) {
  if (source.pixels == nullptr || source.width <= 0 || source.height <= 0 || to.width <= 0 || to.height <= 0) {
    return {};
  }
  const Taps across = TapsFor(source.width, to.width);
  const Taps down = TapsFor(source.height, to.height);

  // Horizontal pass: every source row at the new width.
  std::vector<Premultiplied> rows(static_cast<std::size_t>(to.width) * source.height);
  std::vector<Premultiplied> unpacked(static_cast<std::size_t>(source.width));
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t* row = source.pixels + static_cast<std::size_t>(y) * source.width;
    for (int x = 0; x < source.width; ++x) unpacked[x] = Unpack(row[x], keyPixel);
    Premultiplied* out = rows.data() + static_cast<std::size_t>(y) * to.width;
    for (int x = 0; x < to.width; ++x) {
      Premultiplied sum{};
      const std::size_t at = static_cast<std::size_t>(x) * across.count;
      for (int k = 0; k < across.count; ++k) Accumulate(sum, unpacked[across.source[at + k]], across.weight[at + k]);
      out[x] = sum;
    }
  }

  // Vertical pass: each output row from the rows its taps name.
  std::vector<std::uint32_t> result(static_cast<std::size_t>(to.width) * to.height);
  std::vector<Premultiplied> line(static_cast<std::size_t>(to.width));
  for (int y = 0; y < to.height; ++y) {
    std::fill(line.begin(), line.end(), Premultiplied{});
    const std::size_t at = static_cast<std::size_t>(y) * down.count;
    for (int k = 0; k < down.count; ++k) {
      const Premultiplied* row = rows.data() + static_cast<std::size_t>(down.source[at + k]) * to.width;
      const float weight = down.weight[at + k];
      for (int x = 0; x < to.width; ++x) Accumulate(line[x], row[x], weight);
    }
    std::uint32_t* out = result.data() + static_cast<std::size_t>(y) * to.width;
    for (int x = 0; x < to.width; ++x) out[x] = Pack(line[x]);
  }
  return result;
}

std::optional<FrameImage> Resample(const FrameImage& image, int percent) {
  if (!image.usable()) return std::nullopt;
  const std::optional<ImageSize> size = ResampledSize({image.width, image.height}, image.frameCount(), percent);
  if (!size) return std::nullopt;
  if (percent == 100) return Clone(image);
  const std::size_t pixelsPerFrame = static_cast<std::size_t>(image.width) * image.height;
  FrameImage out;
  out.width = size->width;
  out.height = size->height;
  out.frames.reserve(image.frames.size());
  for (const ImageFrame& frame : image.frames) {
    if (frame.pixels.size() < pixelsPerFrame) return std::nullopt;
    const std::uint32_t keyPixel = frame.keyColour == kNoKey ? kNoKey : PixelFromColour(frame.keyColour);
    const ConstPixelView source{frame.pixels.data(), image.width, image.height};
    out.frames.push_back({kNoKey, frame.delay, ResamplePixels(source, *size, keyPixel)});
  }
  return out;
}

}  // namespace horavia::anim
