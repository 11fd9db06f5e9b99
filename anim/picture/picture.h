// Pictures as the units and the window layer see them: detect the kind,
// decode into a PictureRecord, realise it as a device Bitmap, draw it onto a
// Bitmap and cut a window Region from a Bitmap.
//
// All functions are pure over the bytes they are given; none of them reads
// files (the caller reads the file and passes its bytes).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "anim/picture/bitmap.h"
#include "anim/picture/decoded.h"
#include "anim/picture/icon_reader.h"

namespace horavia::anim {

enum class PictureKind : int {
  Unknown = 0,
  Jpeg = 1,
  Bmp = 2,
  Icon = 3,
  Cursor = 4,
  Gif = 5,
  Pcx8 = 6,
  Pcx1 = 7,
};

// The kind from the leading bytes (at least 6 are needed), tested in the
// order BMP, JPEG, icon, cursor, GIF, PCX 8-bit, PCX 1-bit: the order of
// the rows of the format table in picture.cpp.
PictureKind DetectPictureKind(std::span<const std::uint8_t> bytes);

// A decoded picture. Which fields carry the pixels depends on the kind:
//   Jpeg, Bmp   pixels: 24-bit rows B, G, R, bottom row first, rows unpadded
//   Gif         indices + palette: the first image, top row first, rows
//               unpadded, placed at (imageLeft, imageTop) on a logical screen
//               of width × height
//   Pcx8        indices + palette, top row first, rows of imageWidth bytes
//   Pcx1        pixels: 1-bit rows padded to 16 bits, top row first, most
//               significant bit leftmost, 1 = white
//   Icon/Cursor icon
struct PictureRecord {
  PictureKind kind = PictureKind::Unknown;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
  std::vector<std::uint8_t> indices;
  std::array<std::uint32_t, 256> palette{};  // pixels 0x00RRGGBB
  int imageLeft = 0;
  int imageTop = 0;
  int imageWidth = 0;
  int imageHeight = 0;
  std::optional<IconPicture> icon;

  // Byte size of the pixel block, as the record's users measure it.
  std::size_t size() const { return pixels.size() + indices.size(); }
};

// The record through the decoder of the detected kind, or why there is none
// (UnknownFormat when no kind matches).
Decoded<PictureRecord> DecodePicture(std::span<const std::uint8_t> bytes);

// The record as a device bitmap: icons on white, a GIF's first image on a
// black logical screen, everything else at its own size.
std::optional<Bitmap> RealisePicture(const PictureRecord& record);

// Decode, then realise; the request units and the animation box use.
std::optional<Bitmap> PictureToBitmap(std::span<const std::uint8_t> bytes);

// Raster operations for DrawPicture, as ternary codes over pattern, source
// and destination (the pattern is the white default brush).
inline constexpr std::int32_t kRopSourceCopy = 0x00CC0020;
inline constexpr std::int32_t kRopSourceAnd = 0x008800C6;
inline constexpr std::int32_t kRopSourceInvert = 0x00660046;
inline constexpr std::int32_t kRopSourcePaint = 0x00EE0086;

// Draws the picture stretched to (x, y, width, height) on the target; a width
// or height of -1 takes the picture's own. rasterOp >= 0 combines with that
// operation; rasterOp = -c draws with transparent colour c (0x00BBGGRR):
// pixels of that colour leave the target unchanged. Icons blend by their own
// transparency at the requested size. Parts outside the target are clipped.
void DrawPicture(Bitmap& target, const PictureRecord& record, int x, int y, int width, int height,
                 std::int32_t rasterOp);

// The area of all pixels whose colour differs from `colour` (0x00BBGGRR), as
// one-pixel-high runs from the top row down; nothing for an empty bitmap.
std::optional<Region> RegionFromBitmap(const Bitmap& bitmap, std::uint32_t colour);
std::optional<Region> RegionFromPictureBytes(std::span<const std::uint8_t> bytes, std::uint32_t colour);

// The region at `percent` (above 0): every edge scaled and rounded by the same
// rule, so that rectangles that met still meet and none overlap; a
// rectangle that shrinks to nothing is left out.
Region ScaledRegion(const Region& region, int percent);

}  // namespace horavia::anim
