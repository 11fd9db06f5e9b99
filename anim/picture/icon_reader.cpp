// Index
//   directory   ChooseIconEntry, ReadIconContainer
//   DIB image   colour table, XOR pixels, AND mask
//   PNG image   through ReadPng
#include "anim/picture/icon_reader.h"

#include "anim/picture/pixel_size.h"
#include "anim/picture/png_reader.h"
#include "base/bytes.h"

namespace horavia::anim {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

struct IconEntry {
  int width = 0;
  int colourCount = 0;
  int planesOrHotX = 0;
  int bitCountOrHotY = 0;
  std::uint32_t byteSize = 0;
  std::uint32_t offset = 0;
};

IconEntry ReadEntry(std::span<const std::uint8_t> container, int index) {
  base::ByteReader reader(container);
  reader.seek(kHeaderSize + static_cast<std::size_t>(index) * kEntrySize);
  IconEntry entry;
  entry.width = reader.u8();
  reader.u8();  // height
  entry.colourCount = reader.u8();
  reader.u8();  // reserved
  entry.planesOrHotX = reader.u16();
  entry.bitCountOrHotY = reader.u16();
  entry.byteSize = reader.u32();
  entry.offset = reader.u32();
  return entry;
}

int EntryCount(std::span<const std::uint8_t> container) {
  base::ByteReader reader(container);
  reader.skip(4);
  const int count = reader.u16();
  if (!reader.ok() || count == 0) return -1;
  if (kHeaderSize + static_cast<std::size_t>(count) * kEntrySize > container.size()) return -1;
  return count;
}

inline unsigned BitAt(const std::uint8_t* row, int x) { return row[x >> 3] >> (7 - (x & 7)) & 1; }

Decoded<IconPicture> ReadDibIcon(std::span<const std::uint8_t> image) {
  base::ByteReader reader(image);
  const std::uint32_t headerSize = reader.u32();
  const std::int32_t width = reader.i32();
  const std::int32_t doubleHeight = reader.i32();
  reader.u16();  // planes
  const int depth = reader.u16();
  const std::uint32_t compression = reader.u32();
  reader.skip(12);
  std::uint32_t coloursUsed = reader.u32();
  if (!reader.ok()) return DecodeError::Truncated;
  if (headerSize < 40) return DecodeError::Malformed;
  if (compression != 0) return DecodeError::Unsupported;
  // The header's height counts the colour bitmap and the mask together.
  const int height = doubleHeight / 2;
  if (const DecodeError error = PictureSizeError(width, height); error != DecodeError::None) return error;
  const std::size_t count = static_cast<std::size_t>(width) * height;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    return DecodeError::Unsupported;
  }

  std::uint32_t palette[256] = {};
  if (!reader.seek(headerSize)) return DecodeError::Truncated;
  if (depth <= 8) {
    const std::uint32_t entries = coloursUsed && coloursUsed < (1u << depth) ? coloursUsed : 1u << depth;
    for (std::uint32_t i = 0; i < entries; ++i) palette[i] = reader.u32() & 0x00FFFFFF;
  }
  const std::size_t colourStride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
  const std::size_t maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  auto colourBits = reader.take(colourStride * height);
  // Some 32-bit icons leave the mask out; their alpha says everything.
  auto maskBits = reader.remaining() >= maskStride * height ? reader.take(maskStride * height)
                                                           : std::span<const std::uint8_t>{};
  if (!reader.ok() || (depth != 32 && maskBits.empty())) return DecodeError::Truncated;

  IconPicture icon;
  icon.width = width;
  icon.height = height;
  icon.pixels.resize(count);
  icon.opacity.resize(count);
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    // Both bitmaps store the bottom row first.
    const std::uint8_t* in = colourBits.data() + static_cast<std::size_t>(height - 1 - y) * colourStride;
    const std::size_t base = static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      std::uint8_t alpha = 255;
      switch (depth) {
        case 1: pixel = palette[BitAt(in, x)]; break;
        case 4: pixel = palette[(x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4]; break;
        case 8: pixel = palette[in[x]]; break;
        case 16: {  // 5-5-5
          const unsigned v = in[x * 2] | in[x * 2 + 1] << 8;
          const unsigned r = v >> 10 & 31, g = v >> 5 & 31, b = v & 31;
          pixel = (r << 3 | r >> 2) << 16 | (g << 3 | g >> 2) << 8 | (b << 3 | b >> 2);
          break;
        }
        case 24: pixel = static_cast<std::uint32_t>(in[x * 3 + 2]) << 16 | in[x * 3 + 1] << 8 | in[x * 3]; break;
        default:
          pixel = static_cast<std::uint32_t>(in[x * 4 + 2]) << 16 | in[x * 4 + 1] << 8 | in[x * 4];
          alpha = in[x * 4 + 3];
          anyAlpha = anyAlpha || alpha != 0;
      }
      icon.pixels[base + x] = pixel;
      icon.opacity[base + x] = alpha;
    }
  }
  // A 32-bit image whose alpha is all zero is an old-style icon: the AND
  // mask decides, as it does for every other depth.
  if (depth == 32 && anyAlpha) return icon;
  if (maskBits.empty()) return DecodeError::Truncated;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* mask = maskBits.data() + static_cast<std::size_t>(height - 1 - y) * maskStride;
    for (int x = 0; x < width; ++x) {
      icon.opacity[static_cast<std::size_t>(y) * width + x] = BitAt(mask, x) ? 0 : 255;
    }
  }
  return icon;
}

Decoded<IconPicture> ReadPngIcon(std::span<const std::uint8_t> image) {
  auto png = ReadPng(image);
  if (!png) return png.error();
  IconPicture icon;
  icon.width = png->width;
  icon.height = png->height;
  icon.pixels.resize(png->pixels.size());
  icon.opacity.resize(png->pixels.size());
  for (std::size_t i = 0; i < png->pixels.size(); ++i) {
    icon.pixels[i] = png->pixels[i] & 0x00FFFFFF;
    icon.opacity[i] = static_cast<std::uint8_t>(255 - (png->pixels[i] >> 24));
  }
  return icon;
}

}  // namespace

int ChooseIconEntry(std::span<const std::uint8_t> container) {
  const int count = EntryCount(container);
  if (count < 0) return -1;
  for (int i = 0; i < count; ++i) {
    const IconEntry entry = ReadEntry(container, i);
    if (entry.width == 32 && entry.colourCount > 15) return i;
  }
  return count - 1;
}

Decoded<IconPicture> ReadIconImage(std::span<const std::uint8_t> image) {
  if (HasPngSignature(image)) return ReadPngIcon(image);
  return ReadDibIcon(image);
}

Decoded<IconPicture> ReadIconContainer(std::span<const std::uint8_t> bytes) {
  base::ByteReader reader(bytes);
  const int reserved = reader.u16();
  const int type = reader.u16();
  if (!reader.ok()) return DecodeError::Truncated;
  if (reserved != 0 || (type != 1 && type != 2)) return DecodeError::UnknownFormat;
  const int index = ChooseIconEntry(bytes);
  if (index < 0) return DecodeError::Truncated;
  const IconEntry entry = ReadEntry(bytes, index);
  if (entry.offset > bytes.size() || entry.byteSize > bytes.size() - entry.offset) return DecodeError::Truncated;
  auto icon = ReadIconImage(bytes.subspan(entry.offset, entry.byteSize));
  if (!icon) return icon.error();
  if (type == 2) {
    icon->cursor = true;
    icon->hotX = entry.planesOrHotX;
    icon->hotY = entry.bitCountOrHotY;
  }
  return icon;
}

}  // namespace horavia::anim
