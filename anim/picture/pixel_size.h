// The one place where picture sizes read from a file, or asked for by a
// zoom, a turn or a text, become allocation sizes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "anim/picture/decoded.h"

namespace horavia::anim {

// Ceiling on any picture a decoder accepts and on any frame image the
// animation units build or keep: 16384 pixels a side and 4096 × 4096 pixels
// (64 MiB of 32-bit pixels) in all, for all of an image's frames together.
// That is more than any screen shows of one picture; a file, a zoom or a
// frame count cannot make the program allocate more than this for one.
inline constexpr std::int64_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{4096} * 4096;
inline constexpr std::int64_t kMaxPictureBytes = kMaxPicturePixels * 4;
// Each frame of a frame image counts as at least this many pixels: its
// record and its own block cost about that much however small it is, so a
// flood of 1 × 1 frames is bounded too.
inline constexpr std::int64_t kMinFrameCost = 16;

// The display scales, in percent, that pictures and outlines are resampled
// to: a clock from a tenth of its size to four times it.
inline constexpr int kMinDisplayPercent = 10;
inline constexpr int kMaxDisplayPercent = 400;

// Returns width × height when both are in 1..kMaxPictureSide and the product
// fits under kMaxPicturePixels, else nothing. Computed in 64 bits, so no
// input can overflow it.
inline std::optional<std::size_t> CheckedPixelCount(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1) return std::nullopt;
  if (width > kMaxPictureSide || height > kMaxPictureSide) return std::nullopt;
  const std::int64_t count = width * height;
  if (count > kMaxPicturePixels) return std::nullopt;
  return static_cast<std::size_t>(count);
}

// Why CheckedPixelCount refuses a size: a side below 1 is malformed, one
// beyond the ceiling too large; None when it accepts it.
inline DecodeError PictureSizeError(std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1) return DecodeError::Malformed;
  return CheckedPixelCount(width, height) ? DecodeError::None : DecodeError::TooLarge;
}

// How many frames of width × height fit under the ceiling together (each
// costing at least kMinFrameCost); 0 when not even one does.
inline std::int64_t MaxFramesOf(std::int64_t width, std::int64_t height) {
  const std::optional<std::size_t> count = CheckedPixelCount(width, height);
  if (!count) return 0;
  return kMaxPicturePixels / std::max<std::int64_t>(static_cast<std::int64_t>(*count), kMinFrameCost);
}

// Returns width × height × frames, the pixels of all frames, when that many
// frames fit under the ceiling together, else nothing.
inline std::optional<std::size_t> CheckedFramePixels(std::int64_t width, std::int64_t height, std::int64_t frames) {
  if (frames < 1 || frames > MaxFramesOf(width, height)) return std::nullopt;
  return static_cast<std::size_t>(width * height * frames);
}

}  // namespace horavia::anim
