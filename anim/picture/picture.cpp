// Index
//   formats      the format table: signature tests and decoders, the GIF
//                first-image record, DetectPictureKind, DecodePicture
//   realising    RealisePicture, PictureToBitmap
//   drawing      DrawPicture: stretch, raster operations, transparent colour
//   regions      RegionFromBitmap, RegionFromPictureBytes
#include "anim/picture/picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "anim/picture/bmp_reader.h"
#include "anim/picture/gif_reader.h"
#include "anim/picture/jpeg_reader.h"
#include "anim/picture/pcx_reader.h"
#include "anim/picture/pixel_size.h"
#include "base/bytes.h"

namespace horavia::anim {

// [SECTION] formats

namespace {

using Bytes = std::span<const std::uint8_t>;

// Signature tests; each may read the first 6 bytes.
bool IsBmp(Bytes b) { return b[0] == 'B' && b[1] == 'M'; }
bool IsJpeg(Bytes b) { return b[0] == 0xFF && b[1] == 0xD8; }
bool IsIconDirectory(Bytes bytes, std::uint16_t type) {
  base::ByteReader reader(bytes);
  return reader.u16() == 0 && reader.u16() == type && reader.u16() > 0;
}
bool IsIcon(Bytes b) { return IsIconDirectory(b, 1); }
bool IsCursor(Bytes b) { return IsIconDirectory(b, 2); }
bool IsGif(Bytes b) { return std::memcmp(b.data(), "GIF87a", 6) == 0 || std::memcmp(b.data(), "GIF89a", 6) == 0; }
bool IsPcx8(Bytes b) { return b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8; }
bool IsPcx1(Bytes b) { return b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1; }

// The first image, on its logical screen.
Decoded<PictureRecord> ReadGifFirstImage(Bytes bytes) {
  GifReader reader;
  if (!reader.Open(bytes)) return reader.error();
  auto image = reader.NextImage(GifReader::AtTrailer::Stop);
  if (!image) return reader.error() == DecodeError::None ? DecodeError::NoImage : reader.error();
  PictureRecord record;
  record.kind = PictureKind::Gif;
  record.width = reader.screenWidth();
  record.height = reader.screenHeight();
  record.imageLeft = image->left;
  record.imageTop = image->top;
  record.imageWidth = image->width;
  record.imageHeight = image->height;
  record.palette = image->palette;
  record.indices = std::move(image->indices);
  return record;
}

Decoded<PictureRecord> ReadIconPicture(Bytes bytes, PictureKind kind) {
  auto icon = ReadIconContainer(bytes);
  if (!icon) return icon.error();
  PictureRecord record;
  record.kind = kind;
  record.width = icon->width;
  record.height = icon->height;
  record.icon = std::move(*icon);
  return record;
}

Decoded<PictureRecord> ReadIcon(Bytes bytes) { return ReadIconPicture(bytes, PictureKind::Icon); }
Decoded<PictureRecord> ReadCursor(Bytes bytes) { return ReadIconPicture(bytes, PictureKind::Cursor); }

struct PictureFormat {
  PictureKind kind;
  bool (*sniff)(Bytes);
  Decoded<PictureRecord> (*decode)(Bytes);
};

// Every format the picture service reads, in the order the signatures are
// tested; a new format is one row (and its kind).
constexpr PictureFormat kFormats[] = {
    {PictureKind::Bmp, IsBmp, ReadBmp},
    {PictureKind::Jpeg, IsJpeg, ReadJpeg},
    {PictureKind::Icon, IsIcon, ReadIcon},
    {PictureKind::Cursor, IsCursor, ReadCursor},
    {PictureKind::Gif, IsGif, ReadGifFirstImage},
    {PictureKind::Pcx8, IsPcx8, ReadPcx},
    {PictureKind::Pcx1, IsPcx1, ReadPcx},
};

const PictureFormat* FormatOf(Bytes bytes) {
  if (bytes.size() < 6) return nullptr;
  for (const PictureFormat& format : kFormats) {
    if (format.sniff(bytes)) return &format;
  }
  return nullptr;
}

}  // namespace

PictureKind DetectPictureKind(std::span<const std::uint8_t> bytes) {
  const PictureFormat* format = FormatOf(bytes);
  return format != nullptr ? format->kind : PictureKind::Unknown;
}

Decoded<PictureRecord> DecodePicture(std::span<const std::uint8_t> bytes) {
  const PictureFormat* format = FormatOf(bytes);
  if (format == nullptr) return DecodeError::UnknownFormat;
  return format->decode(bytes);
}

// [SECTION] realising

namespace {

std::optional<Bitmap> BlankBitmap(int width, int height, std::uint32_t fill) {
  const auto count = CheckedPixelCount(width, height);
  if (!count) return std::nullopt;
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.pixels.assign(*count, fill);
  return bitmap;
}

// Straight blend of one channel: colour over base by opacity / 255.
inline std::uint32_t BlendChannel(std::uint32_t colour, std::uint32_t base, std::uint32_t opacity) {
  return (colour * opacity + base * (255 - opacity) + 127) / 255;
}

inline std::uint32_t BlendPixel(std::uint32_t colour, std::uint32_t base, std::uint32_t opacity) {
  if (opacity == 255) return colour & 0x00FFFFFF;
  if (opacity == 0) return base;
  return BlendChannel(colour >> 16 & 0xFF, base >> 16 & 0xFF, opacity) << 16 |
         BlendChannel(colour >> 8 & 0xFF, base >> 8 & 0xFF, opacity) << 8 |
         BlendChannel(colour & 0xFF, base & 0xFF, opacity);
}

std::optional<Bitmap> RealiseIcon(const IconPicture& icon) {
  auto bitmap = BlankBitmap(icon.width, icon.height, 0x00FFFFFF);
  if (!bitmap) return std::nullopt;
  for (std::size_t i = 0; i < bitmap->pixels.size(); ++i) {
    bitmap->pixels[i] = BlendPixel(icon.pixels[i], 0x00FFFFFF, icon.opacity[i]);
  }
  return bitmap;
}

std::optional<Bitmap> RealiseBottomUpBgr(const PictureRecord& record) {
  auto bitmap = BlankBitmap(record.width, record.height, 0);
  if (!bitmap || record.pixels.size() < bitmap->pixels.size() * 3) return std::nullopt;
  for (int y = 0; y < record.height; ++y) {
    const std::uint8_t* in = record.pixels.data() + static_cast<std::size_t>(record.height - 1 - y) * record.width * 3;
    for (int x = 0; x < record.width; ++x, in += 3) {
      bitmap->at(x, y) = static_cast<std::uint32_t>(in[2]) << 16 | in[1] << 8 | in[0];
    }
  }
  return bitmap;
}

// The first image on a black logical screen, at its own position; parts
// outside the screen are cut off.
std::optional<Bitmap> RealiseGif(const PictureRecord& record) {
  auto bitmap = BlankBitmap(record.width, record.height, 0);
  if (!bitmap) return std::nullopt;
  const int right = std::min(record.width, record.imageLeft + record.imageWidth);
  const int bottom = std::min(record.height, record.imageTop + record.imageHeight);
  for (int y = record.imageTop; y < bottom; ++y) {
    const std::uint8_t* row = record.indices.data() + static_cast<std::size_t>(y - record.imageTop) * record.imageWidth;
    for (int x = record.imageLeft; x < right; ++x) bitmap->at(x, y) = record.palette[row[x - record.imageLeft]];
  }
  return bitmap;
}

std::optional<Bitmap> RealisePcx8(const PictureRecord& record) {
  auto bitmap = BlankBitmap(record.width, record.height, 0);
  if (!bitmap || record.indices.size() < bitmap->pixels.size()) return std::nullopt;
  for (std::size_t i = 0; i < bitmap->pixels.size(); ++i) bitmap->pixels[i] = record.palette[record.indices[i]];
  return bitmap;
}

std::optional<Bitmap> RealiseMonochrome(const PictureRecord& record) {
  auto bitmap = BlankBitmap(record.width, record.height, 0);
  if (!bitmap) return std::nullopt;
  const std::size_t rowBytes = (static_cast<std::size_t>(record.width) + 15) / 16 * 2;
  if (record.pixels.size() < rowBytes * record.height) return std::nullopt;
  for (int y = 0; y < record.height; ++y) {
    const std::uint8_t* row = record.pixels.data() + y * rowBytes;
    for (int x = 0; x < record.width; ++x) {
      bitmap->at(x, y) = (row[x >> 3] >> (7 - (x & 7)) & 1) ? 0x00FFFFFF : 0;
    }
  }
  return bitmap;
}

}  // namespace

std::optional<Bitmap> RealisePicture(const PictureRecord& record) {
  switch (record.kind) {
    case PictureKind::Icon:
    case PictureKind::Cursor:
      if (!record.icon) return std::nullopt;
      return RealiseIcon(*record.icon);
    case PictureKind::Jpeg:
    case PictureKind::Bmp: return RealiseBottomUpBgr(record);
    case PictureKind::Gif: return RealiseGif(record);
    case PictureKind::Pcx8: return RealisePcx8(record);
    case PictureKind::Pcx1: return RealiseMonochrome(record);
    case PictureKind::Unknown: break;
  }
  return std::nullopt;
}

std::optional<Bitmap> PictureToBitmap(std::span<const std::uint8_t> bytes) {
  auto record = DecodePicture(bytes);
  if (!record) return std::nullopt;
  return RealisePicture(*record);
}

// [SECTION] drawing

namespace {

// A ternary raster operation with the pattern fixed to the white default
// brush: the code's bits 4-7 give the result for (source, destination)
// = (0,0), (0,1), (1,0), (1,1).
inline std::uint32_t ApplyRasterOp(std::uint32_t code, std::uint32_t source, std::uint32_t destination) {
  std::uint32_t result = 0;
  if (code & 0x10) result |= ~source & ~destination;
  if (code & 0x20) result |= ~source & destination;
  if (code & 0x40) result |= source & ~destination;
  if (code & 0x80) result |= source & destination;
  return result & 0x00FFFFFF;
}

struct StretchArea {
  int x0, y0, x1, y1;  // destination pixels covered, clipped to the target
};

StretchArea ClipToTarget(const Bitmap& target, std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  StretchArea area;
  area.x0 = static_cast<int>(std::clamp<std::int64_t>(x, 0, target.width));
  area.y0 = static_cast<int>(std::clamp<std::int64_t>(y, 0, target.height));
  area.x1 = static_cast<int>(std::clamp<std::int64_t>(x + width, 0, target.width));
  area.y1 = static_cast<int>(std::clamp<std::int64_t>(y + height, 0, target.height));
  return area;
}

// Nearest-neighbour source coordinate of destination offset d in a stretch
// of `source` pixels over `span` pixels.
inline int SourceAt(std::int64_t d, int source, std::int64_t span) { return static_cast<int>(d * source / span); }

template <typename PixelFn>
void Stretch(Bitmap& target, int sourceWidth, int sourceHeight, int x, int y, int width, int height, PixelFn pixel) {
  const StretchArea area = ClipToTarget(target, x, y, width, height);
  for (int ty = area.y0; ty < area.y1; ++ty) {
    const int sy = SourceAt(std::int64_t{ty} - y, sourceHeight, height);
    for (int tx = area.x0; tx < area.x1; ++tx) {
      const int sx = SourceAt(std::int64_t{tx} - x, sourceWidth, width);
      std::uint32_t& out = target.at(tx, ty);
      out = pixel(sx, sy, out);
    }
  }
}

}  // namespace

void DrawPicture(Bitmap& target, const PictureRecord& record, int x, int y, int width, int height,
                 std::int32_t rasterOp) {
  if (width == -1) width = record.width;
  if (height == -1) height = record.height;
  if (width <= 0 || height <= 0 || target.empty()) return;

  if (record.icon) {
    const IconPicture& icon = *record.icon;
    if (icon.width <= 0 || icon.height <= 0) return;
    Stretch(target, icon.width, icon.height, x, y, width, height, [&](int sx, int sy, std::uint32_t under) {
      const std::size_t i = static_cast<std::size_t>(sy) * icon.width + sx;
      return BlendPixel(icon.pixels[i], under, icon.opacity[i]);
    });
    return;
  }

  auto source = RealisePicture(record);
  if (!source) return;
  if (rasterOp < 0) {
    // Transparent colour: what the mask sequence (invert, and with mask,
    // invert) leaves is the source wherever it differs from the colour and
    // the untouched target where it equals it.
    const std::uint32_t key = PixelFromColour(static_cast<std::uint32_t>(-std::int64_t{rasterOp}));
    Stretch(target, source->width, source->height, x, y, width, height, [&](int sx, int sy, std::uint32_t under) {
      const std::uint32_t pixel = source->at(sx, sy);
      return pixel == key ? under : pixel;
    });
    return;
  }
  const std::uint32_t code = static_cast<std::uint32_t>(rasterOp) >> 16 & 0xFF;
  Stretch(target, source->width, source->height, x, y, width, height, [&](int sx, int sy, std::uint32_t under) {
    return ApplyRasterOp(code, source->at(sx, sy), under);
  });
}

// [SECTION] regions

namespace {

// Rectangles are handed to the region in blocks of this many, keeping each
// combination step small.
constexpr std::size_t kRegionBlock = 2000;

}  // namespace

std::optional<Region> RegionFromBitmap(const Bitmap& bitmap, std::uint32_t colour) {
  if (bitmap.empty()) return std::nullopt;
  // Our bitmaps hold full 24-bit colour, so the colour needs no reduction
  // before it is compared.
  const std::uint32_t key = PixelFromColour(colour);
  Region region;
  std::vector<RegionRect> block;
  block.reserve(kRegionBlock);
  for (int y = 0; y < bitmap.height; ++y) {
    const std::uint32_t* row = bitmap.pixels.data() + static_cast<std::size_t>(y) * bitmap.width;
    int x = 0;
    while (x < bitmap.width) {
      while (x < bitmap.width && (row[x] & 0x00FFFFFF) == key) ++x;
      if (x == bitmap.width) break;
      const int start = x;
      while (x < bitmap.width && (row[x] & 0x00FFFFFF) != key) ++x;
      block.push_back({start, y, x, y + 1});
      if (block.size() == kRegionBlock) {
        region.unite(block);
        block.clear();
      }
    }
  }
  region.unite(block);
  return region;
}

std::optional<Region> RegionFromPictureBytes(std::span<const std::uint8_t> bytes, std::uint32_t colour) {
  auto bitmap = PictureToBitmap(bytes);
  if (!bitmap) return std::nullopt;
  return RegionFromBitmap(*bitmap, colour);
}

Region ScaledRegion(const Region& region, int percent) {
  const auto edge = [percent](int at) {
    return static_cast<int>(std::clamp<std::int64_t>((std::int64_t{at} * percent + 50) / 100, 0, INT32_MAX));
  };
  Region scaled;
  scaled.rects.reserve(region.rects.size());
  for (const RegionRect& r : region.rects) {
    const RegionRect s{edge(r.left), edge(r.top), edge(r.right), edge(r.bottom)};
    if (s.left < s.right && s.top < s.bottom) scaled.rects.push_back(s);
  }
  return scaled;
}

}  // namespace horavia::anim
