// Index
//   [readers]  one header reader per format
//   [formats]  which format the leading bytes announce
//   [limits]   decoded size and the ceilings
#include "tools/skin/picture_probe.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "base/bytes.h"

namespace horavia::tools::skin {

namespace {

using Span = std::span<const std::uint8_t>;

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool StartsWith(Span bytes, const void* prefix, std::size_t length) {
  return bytes.size() >= length && std::memcmp(bytes.data(), prefix, length) == 0;
}

std::uint32_t BigEndian32(Span bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
}

// A side read from a header as the int the decoders keep; absurd values stay
// absurd (clamped into int) so the limits catch them.
int Side(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(std::llabs(value), 0, 1 << 30)); }

PictureShape Still(PictureFormat format, std::int64_t width, std::int64_t height) {
  PictureShape shape{format, Side(width), Side(height), 1, 0};
  shape.largestPart = std::int64_t{shape.width} * shape.height;
  return shape;
}

// [readers] ------------------------------------------------------------------

bool SkipSubBlocks(base::ByteReader& reader) {
  for (;;) {
    const std::uint8_t length = reader.u8();
    if (!reader.ok()) return false;
    if (length == 0) return true;
    if (!reader.skip(length)) return false;
  }
}

void SkipColourTable(base::ByteReader& reader, std::uint8_t packed) {
  if (packed & 0x80) reader.skip(std::size_t{3} << ((packed & 7) + 1));
}

// Counts the image descriptors without decoding any: an image whose data is
// cut short still counts, as the reader decodes what is there.
std::optional<PictureShape> ProbeGif(Span bytes) {
  base::ByteReader reader(bytes);
  reader.skip(6);
  const int width = reader.u16();
  const int height = reader.u16();
  const std::uint8_t packed = reader.u8();
  reader.skip(2);
  SkipColourTable(reader, packed);
  if (!reader.ok()) return std::nullopt;
  PictureShape shape{PictureFormat::Gif, width, height, 0, 0};
  while (!reader.atEnd()) {
    const std::uint8_t introducer = reader.u8();
    if (introducer == '!') {
      reader.u8();  // the label; every extension is sub-blocks after it
      if (!SkipSubBlocks(reader)) break;
      continue;
    }
    if (introducer != ',') return shape;  // the trailer, or bytes the loader stops at
    reader.skip(4);
    const int imageWidth = reader.u16();
    const int imageHeight = reader.u16();
    const std::uint8_t imagePacked = reader.u8();
    if (!reader.ok()) break;
    ++shape.frames;
    shape.largestPart = std::max(shape.largestPart, std::int64_t{imageWidth} * imageHeight);
    SkipColourTable(reader, imagePacked);
    reader.u8();  // LZW minimum code size
    if (!SkipSubBlocks(reader)) break;
  }
  // Only a read past the end leaves the walk here with a failed reader.
  shape.cutShort = !reader.ok();
  return shape;
}

std::optional<PictureShape> ProbePng(Span bytes) {
  // Signature, then the IHDR chunk: length, type, width, height (big-endian).
  if (bytes.size() < 24 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) return std::nullopt;
  return Still(PictureFormat::Png, BigEndian32(bytes, 16), BigEndian32(bytes, 20));
}

std::optional<PictureShape> ProbeBmp(Span bytes) {
  base::ByteReader reader(bytes);
  reader.seek(18);
  const std::int32_t width = reader.i32();
  const std::int32_t height = reader.i32();
  if (!reader.ok()) return std::nullopt;
  return Still(PictureFormat::Bmp, width, height);
}

bool IsFrameHeader(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments to the first frame header.
std::optional<PictureShape> ProbeJpeg(Span bytes) {
  std::size_t at = 2;
  while (at + 4 <= bytes.size()) {
    if (bytes[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = bytes[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // end, or a scan before any frame
    const std::size_t length = static_cast<std::size_t>(bytes[at + 2]) << 8 | bytes[at + 3];
    if (length < 2) return std::nullopt;
    if (IsFrameHeader(marker)) {
      if (at + 9 > bytes.size()) return std::nullopt;
      const int height = bytes[at + 5] << 8 | bytes[at + 6];
      const int width = bytes[at + 7] << 8 | bytes[at + 8];
      return Still(PictureFormat::Jpeg, width, height);
    }
    at += 2 + length;
  }
  return std::nullopt;
}

// The largest image any directory entry holds, by the image's own header:
// a PNG's, or a bitmap header whose height counts the mask too.
std::optional<PictureShape> ProbeIcon(Span bytes) {
  base::ByteReader directory(bytes);
  directory.skip(4);
  const int count = directory.u16();
  std::optional<PictureShape> largest;
  for (int i = 0; i < count && directory.ok(); ++i) {
    directory.skip(8);
    directory.u32();  // byte size
    const std::uint32_t offset = directory.u32();
    if (!directory.ok() || offset >= bytes.size()) continue;
    const Span image = bytes.subspan(offset);
    std::optional<PictureShape> shape;
    if (StartsWith(image, kPngSignature, sizeof kPngSignature)) {
      shape = ProbePng(image);
    } else if (image.size() >= 12) {
      base::ByteReader header(image);
      header.u32();
      const std::int32_t width = header.i32();
      const std::int32_t height = header.i32();
      shape = Still(PictureFormat::Icon, width, height / 2);
    }
    if (!shape) continue;
    shape->format = PictureFormat::Icon;
    if (!largest || shape->largestPart > largest->largestPart) largest = shape;
  }
  return largest;
}

std::optional<PictureShape> ProbePcx(Span bytes) {
  base::ByteReader reader(bytes);
  reader.skip(4);
  const int left = reader.u16(), top = reader.u16(), right = reader.u16(), bottom = reader.u16();
  if (!reader.ok() || right < left || bottom < top) return std::nullopt;
  return Still(PictureFormat::Pcx, right - left + 1, bottom - top + 1);
}

}  // namespace

const char* FormatName(PictureFormat format) {
  switch (format) {
    case PictureFormat::Gif: return "GIF";
    case PictureFormat::Png: return "PNG";
    case PictureFormat::Bmp: return "BMP";
    case PictureFormat::Jpeg: return "JPEG";
    case PictureFormat::Icon: return "icon";
    case PictureFormat::Pcx: return "PCX";
  }
  return "?";
}

// [formats] --------------------------------------------------------------------

// The signatures the program's decoders test; PNG is read by the object
// pictures only, but its size matters all the same.
std::optional<PictureShape> ProbePicture(Span bytes) {
  if (bytes.size() < 6) return std::nullopt;
  const std::uint8_t* b = bytes.data();
  if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6)) return ProbeGif(bytes);
  if (StartsWith(bytes, kPngSignature, sizeof kPngSignature)) return ProbePng(bytes);
  if (b[0] == 'B' && b[1] == 'M') return ProbeBmp(bytes);
  if (b[0] == 0xFF && b[1] == 0xD8) return ProbeJpeg(bytes);
  if (b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0 && (b[4] | b[5]) != 0) return ProbeIcon(bytes);
  if (b[0] == 0x0A && b[2] == 1 && (b[3] == 8 || b[3] == 1)) return ProbePcx(bytes);
  return std::nullopt;
}

// [limits] ---------------------------------------------------------------------

// Saturates instead of wrapping: sides are at most 2^30, so one frame fits,
// but a frame count read from a file may not.
std::uint64_t DecodedBytes(const PictureShape& shape) {
  constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();
  const auto frameBytes =
      static_cast<std::uint64_t>(std::max<std::int64_t>(std::int64_t{shape.width} * shape.height, shape.largestPart)) * 4;
  const auto frames = static_cast<std::uint64_t>(std::max(shape.frames, 1));
  if (frameBytes != 0 && frames > kSaturated / frameBytes) return kSaturated;
  return frameBytes * frames;
}

bool WithinLimits(const PictureShape& shape) {
  if (shape.width > kMaxCheckedSide || shape.height > kMaxCheckedSide) return false;
  return shape.largestPart <= std::int64_t{kMaxCheckedSide} * kMaxCheckedSide;
}

}  // namespace horavia::tools::skin
