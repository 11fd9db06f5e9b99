// What a picture would cost to decode, read from its headers alone: the
// format, the size and (for GIF) how many frames, so that a picture too large
// for a clock is reported without decoding it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace horavia::tools::skin {

enum class PictureFormat { Gif, Png, Bmp, Jpeg, Icon, Pcx };
const char* FormatName(PictureFormat format);

struct PictureShape {
  PictureFormat format = PictureFormat::Gif;
  int width = 0;   // a GIF's logical screen; an icon's largest image
  int height = 0;
  int frames = 1;  // GIF images counted (0 when there is none); 1 otherwise
  // The largest single image inside (a GIF image may be larger than its
  // screen, and the reader decodes it whole before clipping).
  std::int64_t largestPart = 0;
  // A GIF whose blocks run past the end of the file: its last image shows
  // only what arrived.
  bool cutShort = false;
};

// The shape from the headers, or nothing when the format is not one the
// program reads or its header is cut short (the decoders then refuse it).
std::optional<PictureShape> ProbePicture(std::span<const std::uint8_t> bytes);

// Ceiling on what the tool decodes: sides of at most 2048 pixels, generous
// for a 300 × 300 clock. (How many frames of a picture are decoded is the
// program's own ceiling, which the tool's decoding keeps too.)
inline constexpr int kMaxCheckedSide = 2048;

// The bytes all the frames would take decoded, in 64 bits (no overflow).
std::uint64_t DecodedBytes(const PictureShape& shape);
// Whether the sides, and the largest image inside, are within the ceiling.
bool WithinLimits(const PictureShape& shape);

}  // namespace horavia::tools::skin
