// PCX files with one 8-bit plane (kind Pcx8) or one 1-bit plane (kind Pcx1),
// run-length coded.
#pragma once

#include <cstdint>
#include <span>

#include "anim/picture/picture.h"

namespace horavia::anim {

// The record, or why there is none.
Decoded<PictureRecord> ReadPcx(std::span<const std::uint8_t> bytes);

}  // namespace horavia::anim
