// BMP files: uncompressed 1, 4, 8, 24 and 32 bits per pixel, into a record of
// kind Bmp.
#pragma once

#include <cstdint>
#include <span>

#include "anim/picture/picture.h"

namespace horavia::anim {

// The record, or why there is none.
Decoded<PictureRecord> ReadBmp(std::span<const std::uint8_t> bytes);

}  // namespace horavia::anim
