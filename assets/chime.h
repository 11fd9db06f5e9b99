// The hourly chime's animation, 192 × 110: a panel pops up, a bell swings
// and rings beside "整点报时", and the panel shrinks away. It plays once.
// Everything outside the panel is the key colour, the top-left pixel.
#pragma once

#include <cstdint>

#include "assets/gif_encoder.h"

namespace horavia::assets {

inline constexpr int kChimeWidth = 192;
inline constexpr int kChimeHeight = 110;

RgbPicture DrawChime(std::uint32_t key);

}  // namespace horavia::assets
