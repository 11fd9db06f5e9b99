// The window's geometric shapes (property 28): 0 none, 1 ellipse, 2 rounded
// rectangle, 3 ring, 4-29 closed outlines from the table below.
//
// Outline points are in units of 1/32767 of the window's width and height;
// a point is scaled as x × width / 32767 (multiply, then divide).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/forms/window_data.h"

namespace horavia::ui {

struct ShapePoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const ShapePoint&, const ShapePoint&) = default;
};

inline constexpr int kShapeCount = static_cast<int>(WindowShape::LastOutline) + 1;
inline constexpr int kFirstOutlineShape = static_cast<int>(WindowShape::FirstOutline);
inline constexpr std::int32_t kShapeUnit = 32767;

// The outline of shape 4-29 (empty for any other number), as stored: the
// last point repeats the first where the outline is written closed.
std::span<const ShapePoint> ShapeOutline(int shape);

// The outline scaled to a width × height window.
std::vector<ShapePoint> ScaledOutline(int shape, int width, int height);

}  // namespace horavia::ui
