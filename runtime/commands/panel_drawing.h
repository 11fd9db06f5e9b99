// The rules of the window and unit commands that need no window: moving a
// rectangle, the area a draw panel clears, gradient colours, copy modes, and
// the pixel work of gradients and copies over plain 32-bit pixel spans.
//
// Index
//   [rectangles]  MoveUnit's and ClearDrawPanel's rectangles
//   [gradients]   colour along a gradient, FillGradient
//   [copies]      copy modes, CopyArea
//
// Colours are 0x00BBGGRR. Pixels of a surface are 0xFFRRGGBB (opaque), rows
// of `width` pixels from the top.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "runtime/runtime_app.h"

namespace horavia::runtime::commands {

using OptionalInt = std::optional<std::int32_t>;

// [rectangles] -----------------------------------------------------------------

// A given left moves the rectangle keeping its width, a given top keeping its
// height; a given width or height other than -1 replaces it.
UnitRect MovedRect(const UnitRect& current, OptionalInt left, OptionalInt top, OptionalInt width,
                   OptionalInt height);

// The client area (0, 0, width, height) with the given parts replacing its
// own: left and top move the corner, width and height count from the
// resulting left and top; then normalised, so the width and height are never
// negative.
UnitRect ClearArea(std::int32_t clientWidth, std::int32_t clientHeight, OptionalInt left, OptionalInt top,
                   OptionalInt width, OptionalInt height);

// Whether two rectangles share at least one pixel.
bool Overlaps(const UnitRect& a, const UnitRect& b);

// [gradients] ------------------------------------------------------------------

inline constexpr std::int32_t kDefaultGradientMode = 2;
inline constexpr std::int32_t kGradientTile = 50;

// The mode argument clamped to 1-8; 2 (left to right) when not given.
std::int32_t GradientMode(OptionalInt mode);

// The colour at position p along a length L, for colours c0 … c(k-1) (k ≥ 2):
// segment s = L div (k - 1); for s = 0 the first colour; else i = p div s,
// the last colour when i > k - 2, else ci moved towards c(i+1) by the
// fraction (p mod s) / s, channel by channel, the move truncated toward zero.
// The last colour itself is reached only at p = L.
std::uint32_t ColourAlong(std::int64_t p, std::int64_t length, std::span<const std::uint32_t> colours);

// The colour of pixel (x, y) of a width × height rectangle in gradient mode
// 1-8: 1 top to bottom, 2 left to right, 3 from the top-left corner, 4 from
// the top-right, 5 bottom to top, 6 right to left, 7 from the bottom-right,
// 8 from the bottom-left (the corner modes along 2 × the shorter side).
std::uint32_t GradientColourAt(std::int32_t mode, std::int32_t width, std::int32_t height, std::int32_t x,
                               std::int32_t y, std::span<const std::uint32_t> colours);

// A picture to draw on; `pixels` must hold width × height pixels, or
// nothing is drawn.
struct PixelSurface {
  std::span<std::uint32_t> pixels;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Paints `area` (surface coordinates) with the gradient, in 50 × 50 tiles
// from the area's top-left, each clipped to the surface; pixels outside the
// clip are not touched. Fewer than two colours, or an area of no size, paint
// nothing.
void FillGradient(PixelSurface surface, const UnitRect& area, std::int32_t mode,
                  std::span<const std::uint32_t> colours);

// [copies] ---------------------------------------------------------------------

enum class CopyMode : std::int32_t {
  Copy = 1,         // the source
  Inverted = 2,     // the source inverted
  ExclusiveOr = 3,  // source XOR target
  Or = 4,           // source OR target
  And = 5,          // source AND target
};

// Modes 1-5 as themselves; anything else (or none) is a plain copy.
CopyMode CopyModeOf(OptionalInt mode);

// One pixel of the result, kept opaque.
std::uint32_t CombinePixels(CopyMode mode, std::uint32_t source, std::uint32_t target);

// Copies `area` of the source to (x, y) of the target, clipped to both
// surfaces. The source is read whole before the target is written, so a
// surface may copy onto itself.
void CopyArea(PixelSurface source, const UnitRect& area, PixelSurface target, std::int32_t x, std::int32_t y,
              CopyMode mode);

}  // namespace horavia::runtime::commands
