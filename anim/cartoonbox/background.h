// The animation box's background surface: its colour and picture at the
// client size, in one of four modes, composed without any window so that a
// skin can be turned into a picture on its own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "anim/cartoonbox/stored_data.h"
#include "anim/picture/bitmap.h"
#include "anim/picture/picture.h"

namespace horavia::anim {

// A background picture decoded once (as the picture service decodes it)
// and realised as a bitmap.
struct BackgroundPicture {
  PictureRecord record;
  Bitmap bitmap;
};
// Nothing when the bytes do not decode.
std::optional<BackgroundPicture> DecodeBackground(std::span<const std::uint8_t> bytes);
// The picture as shown at `percent` of its size: its bitmap realised anew
// from the record and resampled (the record stays as it is: a stretched
// background covers the client at any scale). Unchanged when the size is
// beyond the ceiling.
void ScaleBackground(BackgroundPicture& picture, int percent);

// The surface at width × height: `colour` (0x00BBGGRR) and the picture by
// mode (BackgroundMode); modes outside 0-3 count as 0. An empty size gives an empty bitmap.
// Pixels are 0x00RRGGBB with the fourth byte 0.
Bitmap BuildBackground(const BackgroundPicture* picture, int mode, std::uint32_t colour, int width, int height);

}  // namespace horavia::anim
