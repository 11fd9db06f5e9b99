// The settings window's OK button: three 65 × 24 looks (normal, pressed,
// hover) that the program carries as constants. They are drawn opaque, on
// the dialog's own grey, because the button shows them without a key.
#pragma once

#include "assets/gif_encoder.h"

namespace horavia::assets {

inline constexpr int kOkWidth = 65;
inline constexpr int kOkHeight = 24;

enum class OkLook { Normal, Pressed, Hover };

RgbPicture DrawOkButton(OkLook look);

}  // namespace horavia::assets
