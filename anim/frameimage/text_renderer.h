// The seam through which frame images get text drawn: the window layer
// fills it with its toolkit's fonts; tests fill it with a fake.
#pragma once

#include <cstdint>
#include <string_view>

#include "anim/picture/bitmap.h"

namespace horavia::anim {

class TextRenderer {
 public:
  struct LineSize {
    int width = 0;
    int height = 0;
  };

  virtual ~TextRenderer() = default;
  // The size of one line (code page 936, no line breaks) in the renderer's
  // font.
  virtual LineSize Measure(std::string_view line) = 0;
  // Draws the line's glyphs in `colour` (0x00BBGGRR) with their top-left at
  // (x, y), leaving the background as it is and clipping to the surface.
  // Anti-aliased edges may produce other colours; the caller reduces the
  // result to two colours.
  virtual void Draw(std::string_view line, int x, int y, std::uint32_t colour, Bitmap& surface) = 0;
};

}  // namespace horavia::anim
