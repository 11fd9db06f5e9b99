#include "anim/picture/bmp_reader.h"

#include <cstdlib>
#include <cstring>

#include "anim/picture/pixel_size.h"
#include "base/bytes.h"

namespace horavia::anim {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoHeaderSize = 40;

struct BmpHeader {
  std::uint32_t dataOffset = 0;
  std::uint32_t infoSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint16_t depth = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
};

DecodeError ReadHeader(base::ByteReader& reader, BmpHeader& header) {
  if (reader.u8() != 'B' || reader.u8() != 'M') return DecodeError::UnknownFormat;
  reader.skip(8);  // file size, reserved
  header.dataOffset = reader.u32();
  header.infoSize = reader.u32();
  header.width = reader.i32();
  header.height = reader.i32();
  reader.u16();  // planes
  header.depth = reader.u16();
  header.compression = reader.u32();
  reader.skip(12);  // image size, resolution
  header.coloursUsed = reader.u32();
  reader.u32();  // important colours
  if (!reader.ok()) return DecodeError::Truncated;
  return header.infoSize >= kMinInfoHeaderSize ? DecodeError::None : DecodeError::Malformed;
}

bool IsSupportedDepth(int depth) { return depth == 1 || depth == 4 || depth == 8 || depth == 24 || depth == 32; }

// Index of pixel x in a palette row, most significant bits first.
inline unsigned PaletteIndex(const std::uint8_t* row, std::int64_t x, int depth) {
  switch (depth) {
    case 1:
      return row[x >> 3] >> (7 - (x & 7)) & 1;
    case 4:
      return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

}  // namespace

Decoded<PictureRecord> ReadBmp(std::span<const std::uint8_t> bytes) {
  base::ByteReader reader(bytes);
  BmpHeader header;
  if (const DecodeError error = ReadHeader(reader, header); error != DecodeError::None) return error;
  // Run-length and bit-field bitmaps, and 16-bit ones, are valid files the
  // program does not read.
  if (header.compression != 0 || !IsSupportedDepth(header.depth)) return DecodeError::Unsupported;

  const std::int64_t width = std::llabs(header.width);
  const std::int64_t height = std::llabs(header.height);
  if (const DecodeError error = PictureSizeError(width, height); error != DecodeError::None) return error;

  // The colour table follows the information header, whatever its version.
  std::uint32_t palette[256] = {};
  std::uint64_t tableEnd = kFileHeaderSize + std::uint64_t{header.infoSize};
  if (header.depth <= 8) {
    const std::uint64_t entries = header.coloursUsed ? header.coloursUsed : 1u << header.depth;
    if (!reader.seek(kFileHeaderSize + header.infoSize)) return DecodeError::Truncated;
    const std::uint64_t kept = entries < 256 ? entries : 256;
    for (std::uint64_t i = 0; i < kept; ++i) palette[i] = reader.u32() & 0x00FFFFFF;
    if (!reader.ok()) return DecodeError::Truncated;
    tableEnd += entries * 4;
  }
  if (header.dataOffset < tableEnd) return DecodeError::Malformed;

  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * header.depth + 31) / 32 * 4;
  if (header.dataOffset > bytes.size() || stride * height > bytes.size() - header.dataOffset) {
    return DecodeError::Truncated;
  }

  PictureRecord record;
  record.kind = PictureKind::Bmp;
  record.width = static_cast<int>(width);
  record.height = static_cast<int>(height);
  record.pixels.resize(static_cast<std::size_t>(width * height * 3));
  // A positive height stores the bottom row first, as the record does; a
  // negative one stores the top row first and is turned over here.
  const bool topDown = header.height < 0;
  for (std::int64_t fileRow = 0; fileRow < height; ++fileRow) {
    const std::uint8_t* in = bytes.data() + header.dataOffset + fileRow * stride;
    const std::int64_t recordRow = topDown ? height - 1 - fileRow : fileRow;
    std::uint8_t* out = record.pixels.data() + recordRow * width * 3;
    for (std::int64_t x = 0; x < width; ++x, out += 3) {
      if (header.depth == 24) {
        std::memcpy(out, in + x * 3, 3);
      } else if (header.depth == 32) {
        std::memcpy(out, in + x * 4, 3);
      } else {
        const std::uint32_t colour = palette[PaletteIndex(in, x, header.depth)];
        out[0] = static_cast<std::uint8_t>(colour);
        out[1] = static_cast<std::uint8_t>(colour >> 8);
        out[2] = static_cast<std::uint8_t>(colour >> 16);
      }
    }
  }
  return record;
}

}  // namespace horavia::anim
