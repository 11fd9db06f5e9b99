#include "anim/cartoonbox/window_frame.h"

#include <algorithm>

namespace horavia::anim {

WindowFrame ComposeWindowFrame(CartoonBox& box, const Region* outline) {
  const int width = box.width();
  const int height = box.height();
  WindowFrame frame{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0)};
  if (frame.pixels.empty()) return frame;
  // Composed with the fourth byte 0: every pixel starts outside.
  box.compose({0, 0, width, height}, {frame.pixels.data(), width, height}, 0);
  auto showRun = [&](int y, int left, int right) {
    std::uint32_t* row = frame.pixels.data() + static_cast<std::size_t>(y) * width;
    for (int x = left; x < right; ++x) row[x] |= 0xFF000000u;
  };
  if (outline == nullptr) {
    for (int y = 0; y < height; ++y) showRun(y, 0, width);
    return frame;
  }
  // The outline's rectangles are read as they come: clipped to the box,
  // however far outside it they reach.
  for (const RegionRect& r : outline->rects) {
    const int left = std::clamp(r.left, 0, width);
    const int right = std::clamp(r.right, 0, width);
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y) showRun(y, left, right);
  }
  // Outside is transparent black, whatever the box drew there.
  for (std::uint32_t& pixel : frame.pixels) {
    if ((pixel & 0xFF000000u) == 0) pixel = 0;
  }
  return frame;
}

}  // namespace horavia::anim
