// JPEG through libjpeg from memory, into a record of kind Jpeg (grey
// pictures repeated into three channels).
#pragma once

#include <cstdint>
#include <span>

#include "anim/picture/picture.h"

namespace horavia::anim {

// The record, or why there is none.
Decoded<PictureRecord> ReadJpeg(std::span<const std::uint8_t> bytes);

}  // namespace horavia::anim
