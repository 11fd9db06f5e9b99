// Small encoders for building test pictures in memory: GIF (with our own
// LZW encoder), BMP, PCX, icon containers, PNG through libpng and JPEG
// through libjpeg. Tests, the fuzz seed maker and the benchmarks share them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace horavia::anim::testing {

using Bytes = std::vector<std::uint8_t>;

// [GIF] -----------------------------------------------------------------------

struct LzwOptions {
  // Emit a clear code when the table is full (what encoders usually do);
  // false keeps coding with the full table.
  bool clearWhenFull = true;
};

// The LZW code stream (not yet cut into sub-blocks), clear code first and
// end code last, with the code size growing as decoders expect.
Bytes EncodeLzw(const std::vector<std::uint8_t>& indices, int minimumCodeSize, LzwOptions options = {});
// Sub-blocks of at most 255 bytes and the terminator.
Bytes ToSubBlocks(const Bytes& data);

struct GifFrame {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;     // width × height, top row first
  std::vector<std::uint32_t> localTable;  // 0xRRGGBB; empty: use the global one
  bool interlaced = false;
  bool graphicControl = true;
  int disposalMethod = 0;  // 0..3
  int delayHundredths = 0;
  int transparentIndex = -1;  // -1: none
};

struct GifFile {
  int screenWidth = 0;
  int screenHeight = 0;
  std::vector<std::uint32_t> globalTable;  // 0xRRGGBB, padded to a power of two
  std::vector<GifFrame> frames;
  int minimumCodeSize = 8;
  LzwOptions lzw;
};

Bytes EncodeGif(const GifFile& file);

// [BMP, PCX, icons] -----------------------------------------------------------

// Rows given top row first as pixels 0xRRGGBB; depth 24 or 32.
Bytes EncodeBmpTrueColour(int width, int height, const std::vector<std::uint32_t>& pixels, int depth,
                          bool topDown = false);
// Palette picture with depth 1, 4 or 8; indices top row first.
Bytes EncodeBmpPalette(int width, int height, const std::vector<std::uint8_t>& indices, int depth,
                       const std::vector<std::uint32_t>& palette);

// 8-bit or 1-bit (indices 0/1) PCX, one plane, run-length coded; the 8-bit
// one ends with the 0x0C marker and palette when `palette` is not empty.
Bytes EncodePcx(int width, int height, const std::vector<std::uint8_t>& indices, int bitsPerPixel,
                const std::vector<std::uint32_t>& palette);

struct IconImage {
  int width = 0;
  int height = 0;
  int colourCount = 0;              // the directory's colour count byte
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, top row first
  std::vector<bool> transparent;      // AND mask, top row first
  bool asPng = false;                 // store as a PNG with alpha instead of a DIB
  int hotX = 0;
  int hotY = 0;
};
// type 1 icon, 2 cursor; 24-bit DIBs with AND masks (or PNG entries).
Bytes EncodeIconContainer(const std::vector<IconImage>& images, int type);

// [PNG, JPEG] -----------------------------------------------------------------

struct PngPicture {
  int width = 0;
  int height = 0;
  int colourType = 2;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<std::uint8_t> samples;      // packed rows as libpng expects them (big-endian 16-bit)
  std::vector<std::uint32_t> palette;     // 0xRRGGBB for colour type 3
  std::optional<std::uint32_t> background;  // bKGD: grey level, palette index or 0xRRGGBB
};
Bytes EncodePng(const PngPicture& picture);

// Quality 95; components 1 (grey) or 3 (RGB); samples top row first;
// baseline, or progressive in libjpeg's standard scans.
Bytes EncodeJpeg(int width, int height, int components, const std::vector<std::uint8_t>& samples,
                 bool progressive = false);

// [reference decoders] --------------------------------------------------------

// libpng's own expansion of any PNG to 8-bit B, G, R, A rows (palette and
// grey expanded, 16 bits cut, interlace handled).
struct ReferencePng {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> bgra;  // 0xAARRGGBB
};
std::optional<ReferencePng> DecodePngReference(const Bytes& png);

}  // namespace horavia::anim::testing
