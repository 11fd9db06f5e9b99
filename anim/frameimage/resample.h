// Resampling pictures to a display scale with a smooth filter: a clock
// shown at another size gets pictures made for that size once, when they
// are set or the size changes, so that nothing is scaled per frame and a
// large clock is as sharp as its pictures allow.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

// A length in picture pixels at `percent`, rounded to nearest.
int ScaledLength(int length, int percent);

// The size Resample gives: each side scaled and rounded, at least one pixel.
// Nothing when percent lies outside the accepted scales or all frames would
// exceed the picture ceiling.
std::optional<ImageSize> ResampledSize(ImageSize size, int frames, int percent);

// Pixels (0xTTRRGGBB, T the transparency) resampled to `to` with a
// Catmull-Rom filter widened when shrinking, so that shrunk pictures
// average instead of dropping rows. Colours are weighted by their opacity:
// transparent pixels and pixels of `keyPixel` (0x00RRGGBB, or kNoKey) lend
// no colour to their neighbours, and an edge against them becomes partly
// transparent instead of fringed. Pixels that end fully transparent are
// kEmptyPixel. Empty when either size is empty; the source must hold
// width × height pixels.
std::vector<std::uint32_t> ResamplePixels(ConstPixelView source, ImageSize to, std::uint32_t keyPixel);

// Every frame resampled to ResampledSize; the keys become transparency (the
// frames have no key afterwards), delays stay. An unchanged copy at 100.
// Nothing when the image is unusable or ResampledSize gives nothing.
std::optional<FrameImage> Resample(const FrameImage& image, int percent);

}  // namespace horavia::anim
