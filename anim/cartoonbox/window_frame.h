// The window as the desktop shows it, composed without a screen: the
// animation box's client area with the window's outline cut out of it.
// The skin tool's previews and the control interface's overlay frames are
// both made by this one function, so the two cannot drift apart.
#pragma once

#include <cstdint>
#include <vector>

#include "anim/cartoonbox/cartoon_box.h"
#include "anim/picture/bitmap.h"

namespace horavia::anim {

// width × height pixels 0xAARRGGBB (not premultiplied), top row first:
// inside the outline the composed colour with A = 0xFF, outside it 0.
struct WindowFrame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The whole client area of `box`. `outline` is the window's shape in the
// box's pixels (the box fills the window from its top-left corner); null
// stands for a window without a shape, every pixel of which shows.
WindowFrame ComposeWindowFrame(CartoonBox& box, const Region* outline);

}  // namespace horavia::anim
