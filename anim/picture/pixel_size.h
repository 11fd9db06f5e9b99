// The one place where picture sizes read from a file become allocation sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace horavia::anim {

// Ceiling on any picture a decoder accepts: 16384 pixels a side, and at most
// 256 MiB of 32-bit pixels (64 Mi pixels) in all. A file cannot make the
// program allocate more than this for one picture.
inline constexpr std::int64_t kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{256} << 20;
inline constexpr std::int64_t kMaxPicturePixels = kMaxPictureBytes / 4;

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

}  // namespace horavia::anim
