#include "runtime/commands/panel_drawing.h"

#include <algorithm>
#include <vector>

namespace horavia::runtime::commands {
namespace {

// Colour value 0x00BBGGRR -> opaque pixel 0xFFRRGGBB.
constexpr std::uint32_t OpaquePixel(std::uint32_t colour) {
  return 0xFF000000u | (colour & 0x0000FFu) << 16 | (colour & 0x00FF00u) | (colour & 0xFF0000u) >> 16;
}

constexpr std::int32_t Channel(std::uint32_t colour, int shift) {
  return static_cast<std::int32_t>((colour >> shift) & 0xFFu);
}

// The surface's pixels, or an empty span when they do not cover it.
std::span<std::uint32_t> Pixels(const PixelSurface& s) {
  if (s.width <= 0 || s.height <= 0) return {};
  const auto needed = static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height);
  return s.pixels.size() >= needed ? s.pixels.first(needed) : std::span<std::uint32_t>{};
}

// [left, right) × [top, bottom) in 64 bits, so no sum of two arguments wraps.
struct Box {
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
};
Box BoxOf(const UnitRect& r) { return {r.left, r.top, std::int64_t{r.left} + r.width, std::int64_t{r.top} + r.height}; }
Box Intersect(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

}  // namespace

// [rectangles] -----------------------------------------------------------------

UnitRect MovedRect(const UnitRect& current, OptionalInt left, OptionalInt top, OptionalInt width,
                   OptionalInt height) {
  UnitRect r = current;
  if (left) r.left = *left;
  if (top) r.top = *top;
  if (width && *width != -1) r.width = *width;
  if (height && *height != -1) r.height = *height;
  return r;
}

UnitRect ClearArea(std::int32_t clientWidth, std::int32_t clientHeight, OptionalInt left, OptionalInt top,
                   OptionalInt width, OptionalInt height) {
  std::int64_t l = left.value_or(0), t = top.value_or(0);
  std::int64_t r = width ? l + *width : clientWidth;
  std::int64_t b = height ? t + *height : clientHeight;
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  auto clamp = [](std::int64_t v) { return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
  return {clamp(l), clamp(t), clamp(r - l), clamp(b - t)};
}

bool Overlaps(const UnitRect& a, const UnitRect& b) { return !Intersect(BoxOf(a), BoxOf(b)).empty(); }

// [gradients] ------------------------------------------------------------------

std::int32_t GradientMode(OptionalInt mode) { return mode ? std::clamp(*mode, 1, 8) : kDefaultGradientMode; }

std::uint32_t ColourAlong(std::int64_t p, std::int64_t length, std::span<const std::uint32_t> colours) {
  if (colours.empty()) return 0;
  const auto k = static_cast<std::int64_t>(colours.size());
  if (k < 2) return colours[0];
  const std::int64_t segment = length / (k - 1);
  if (segment <= 0) return colours[0];
  const std::int64_t i = p / segment;
  if (i > k - 2 || i < 0) return i < 0 ? colours[0] : colours.back();
  const std::uint32_t from = colours[static_cast<std::size_t>(i)];
  const std::uint32_t to = colours[static_cast<std::size_t>(i + 1)];
  const std::int64_t into = p % segment;
  std::uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    // Integer division truncates toward zero, exactly as the move must.
    const std::int64_t moved = into * (Channel(to, shift) - Channel(from, shift)) / segment;
    out |= static_cast<std::uint32_t>(Channel(from, shift) + moved) << shift;
  }
  return out;
}

std::uint32_t GradientColourAt(std::int32_t mode, std::int32_t width, std::int32_t height, std::int32_t x,
                               std::int32_t y, std::span<const std::uint32_t> colours) {
  const std::int64_t w = width, h = height, corner = 2 * std::min(w, h);
  const std::int64_t fromRight = w - 1 - x, fromBottom = h - 1 - y;
  switch (mode) {
    case 1: return ColourAlong(y, h, colours);
    case 3: return ColourAlong(std::int64_t{x} + y, corner, colours);
    case 4: return ColourAlong(fromRight + y, corner, colours);
    case 5: return ColourAlong(fromBottom, h, colours);
    case 6: return ColourAlong(fromRight, w, colours);
    case 7: return ColourAlong(fromRight + fromBottom, corner, colours);
    case 8: return ColourAlong(x + fromBottom, corner, colours);
    default: return ColourAlong(x, w, colours);
  }
}

void FillGradient(PixelSurface surface, const UnitRect& area, std::int32_t mode,
                  std::span<const std::uint32_t> colours) {
  std::span<std::uint32_t> pixels = Pixels(surface);
  if (pixels.empty() || colours.size() < 2 || area.width < 1 || area.height < 1) return;
  const Box bounds{0, 0, surface.width, surface.height};
  const Box whole = BoxOf(area);
  for (std::int64_t ty = whole.top; ty < whole.bottom; ty += kGradientTile) {
    for (std::int64_t tx = whole.left; tx < whole.right; tx += kGradientTile) {
      const Box tile{tx, ty, std::min(tx + kGradientTile, whole.right), std::min(ty + kGradientTile, whole.bottom)};
      const Box clip = Intersect(tile, bounds);
      for (std::int64_t y = clip.top; y < clip.bottom; ++y) {
        std::uint32_t* row = pixels.data() + y * surface.width;
        for (std::int64_t x = clip.left; x < clip.right; ++x) {
          const auto gx = static_cast<std::int32_t>(x - whole.left), gy = static_cast<std::int32_t>(y - whole.top);
          row[x] = OpaquePixel(GradientColourAt(mode, area.width, area.height, gx, gy, colours));
        }
      }
    }
  }
}

// [copies] ---------------------------------------------------------------------

CopyMode CopyModeOf(OptionalInt mode) {
  if (!mode || *mode < 1 || *mode > 5) return CopyMode::Copy;
  return static_cast<CopyMode>(*mode);
}

std::uint32_t CombinePixels(CopyMode mode, std::uint32_t source, std::uint32_t target) {
  std::uint32_t out = source;
  switch (mode) {
    case CopyMode::Inverted: out = ~source; break;
    case CopyMode::ExclusiveOr: out = source ^ target; break;
    case CopyMode::Or: out = source | target; break;
    case CopyMode::And: out = source & target; break;
    case CopyMode::Copy: break;
  }
  return 0xFF000000u | (out & 0x00FFFFFFu);
}

void CopyArea(PixelSurface source, const UnitRect& area, PixelSurface target, std::int32_t x, std::int32_t y,
              CopyMode mode) {
  std::span<std::uint32_t> from = Pixels(source), to = Pixels(target);
  if (from.empty() || to.empty() || area.width <= 0 || area.height <= 0) return;
  // Clip the source, then the target, moving the other side with each cut.
  Box src = Intersect(BoxOf(area), Box{0, 0, source.width, source.height});
  if (src.empty()) return;
  const std::int64_t dx = std::int64_t{x} - area.left, dy = std::int64_t{y} - area.top;
  Box dst = Intersect(Box{src.left + dx, src.top + dy, src.right + dx, src.bottom + dy},
                      Box{0, 0, target.width, target.height});
  if (dst.empty()) return;
  src = {dst.left - dx, dst.top - dy, dst.right - dx, dst.bottom - dy};
  const std::int64_t w = src.right - src.left, h = src.bottom - src.top;
  std::vector<std::uint32_t> block(static_cast<std::size_t>(w * h));
  for (std::int64_t row = 0; row < h; ++row) {
    const std::uint32_t* line = from.data() + (src.top + row) * source.width + src.left;
    std::copy(line, line + w, block.begin() + row * w);
  }
  for (std::int64_t row = 0; row < h; ++row) {
    std::uint32_t* line = to.data() + (dst.top + row) * target.width + dst.left;
    for (std::int64_t col = 0; col < w; ++col) line[col] = CombinePixels(mode, block[row * w + col], line[col]);
  }
}

}  // namespace horavia::runtime::commands
