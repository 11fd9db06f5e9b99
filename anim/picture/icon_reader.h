// Icon and cursor containers: a directory of entries, each holding either a
// device-independent bitmap with an AND mask or a PNG file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "anim/picture/decoded.h"

namespace horavia::anim {

// A platform-independent icon or cursor: straight (not premultiplied)
// pixels 0x00RRGGBB with a separate opacity per pixel, 0 = transparent,
// 255 = opaque. Cursors carry their hot spot. Pixels an AND mask hides are
// transparent whatever colour they carry: the screen-inverting pixels of old
// cursors show as transparent, not inverted.
struct IconPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint8_t> opacity;
  bool cursor = false;
  int hotX = 0;
  int hotY = 0;
};

// The directory entry the container's users get: the first 32-pixel-wide
// entry with a colour count above 15, else the last entry. -1 when the
// directory is empty or does not fit.
int ChooseIconEntry(std::span<const std::uint8_t> container);

// Reads the chosen entry of an icon (type 1) or cursor (type 2) container.
Decoded<IconPicture> ReadIconContainer(std::span<const std::uint8_t> bytes);

// One entry's image bytes: a PNG file, or a DIB (information header, colour
// table, XOR pixels, AND mask) whose header height counts both bitmaps.
Decoded<IconPicture> ReadIconImage(std::span<const std::uint8_t> image);

}  // namespace horavia::anim
