// GifReader: the program's own GIF parser and LZW decoder, shared by the
// picture service (first image), the frame-image loader (every image) and
// the GIF player (endless walk).
//
// Open() checks the header and global colour table; each NextImage() walks
// extensions up to the next image descriptor and decodes it into 8-bit
// indices with its 256-entry colour table. Graphic-control values of the last
// graphic control extension stay readable between calls.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "anim/picture/bitmap.h"
#include "anim/picture/decoded.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

// How long an image stays when its graphic-control delay is 0.
inline constexpr int kDefaultGifDelayMs = 50;

// An image's delay in milliseconds: hundredths × 10, or the default for 0.
constexpr int GifDelayMs(int hundredths) { return hundredths <= 0 ? kDefaultGifDelayMs : hundredths * 10; }

// One decoded GIF image: indices top row first (rows unpadded, interlacing
// already undone) and its colour table as pixels 0x00RRGGBB. Entries the
// file does not define are black.
struct GifImage {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::uint8_t packed = 0;
  std::array<std::uint32_t, 256> palette{};
  std::vector<std::uint8_t> indices;  // width × height

  bool interlaced() const { return (packed & 0x40) != 0; }
};

// The realised image: every index looked up in the colour table.
Bitmap GifImageToBitmap(const GifImage& image);

// Decodes GIF LZW data that has already been gathered out of its sub-blocks
// into `indices` (width × height bytes, row order as stored in the file).
// Missing input reads as 0xFF bytes; pixels past the buffer are dropped.
// False when the code stream is corrupt.
bool DecodeGifLzw(std::span<const std::uint8_t> data, int minimumCodeSize, std::span<std::uint8_t> indices);

class GifReader {
 public:
  // What NextImage does at the trailer (or a 0x00 byte): start over from the
  // first block (the player's endless loop) or end the walk.
  enum class AtTrailer { Rewind, Stop };

  // False when the data is 13 bytes or less, the signature is wrong or the
  // global colour table does not fit; error() says which.
  bool Open(std::span<const std::uint8_t> bytes);

  // The next image, or nothing at the end of the walk or on malformed data
  // (error() tells the two apart). With Rewind the walk starts over at the
  // trailer once per call, so a file without images ends instead of
  // spinning. An image of more than `maxPixels` is refused as TooLarge
  // before anything is decoded or allocated for it.
  std::optional<GifImage> NextImage(AtTrailer atTrailer = AtTrailer::Rewind,
                                    std::int64_t maxPixels = kMaxPicturePixels);

  // Why the last Open or NextImage gave nothing; None after a walk that
  // simply ended.
  DecodeError error() const { return error_; }

  // The walk's read position within the data after the header and global
  // colour table, and that data's length: after an image, a position at the
  // last byte (the trailer) or past it means no further image follows.
  std::size_t position() const { return position_; }
  std::size_t dataSize() const { return source_.size(); }
  // Back to the first block after the header; the graphic-control values of
  // the last extension read stay until the next one.
  void Rewind() { position_ = 0; }

  int screenWidth() const { return screenWidth_; }
  int screenHeight() const { return screenHeight_; }
  int backgroundIndex() const { return backgroundIndex_; }
  int globalColourCount() const { return globalColourCount_; }

  // Graphic-control values. disposal() keeps the packed byte's bits 2-4 in
  // place: 0, 4, 8 (restore to background), 12 (restore to previous) ...
  std::uint8_t disposal() const { return disposal_; }
  void clearDisposal() { disposal_ = 0; }
  bool transparentFlag() const { return transparentFlag_; }
  int delayHundredths() const { return delay_; }
  int transparentIndex() const { return transparentIndex_; }
  // Colour value 0x00BBGGRR of the transparent index in the last image's
  // colour table.
  std::uint32_t transparentColour() const { return transparentColour_; }

 private:
  bool SkipSubBlocks();
  DecodeError ReadExtension();
  std::optional<GifImage> ReadImage(std::int64_t maxPixels);
  // Records why the walk stopped; always answers nothing.
  std::nullopt_t Fail(DecodeError error) {
    error_ = error;
    return std::nullopt;
  }

  std::vector<std::uint8_t> source_;  // everything after the header and global table
  std::size_t position_ = 0;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  int backgroundIndex_ = 0;
  int globalColourCount_ = 0;
  std::array<std::uint32_t, 256> globalPalette_{};

  std::uint8_t disposal_ = 0;
  bool transparentFlag_ = false;
  int delay_ = 0;
  int transparentIndex_ = 0;
  std::uint32_t transparentColour_ = 0;
  DecodeError error_ = DecodeError::None;
};

}  // namespace horavia::anim
