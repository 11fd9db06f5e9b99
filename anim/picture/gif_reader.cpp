// Index
//   LZW          DecodeGifLzw: code stream -> indices
//   interlace    row order of the four passes
//   GifReader    header, extensions, image descriptors
#include "anim/picture/gif_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "anim/picture/pixel_size.h"
#include "base/bytes.h"

namespace horavia::anim {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

// Codes are packed least significant bit first. Bytes past the end of the
// data read as 0xFF, so a code cut short by the end still completes.
class LzwBitReader {
 public:
  explicit LzwBitReader(std::span<const std::uint8_t> data) : data_(data) {}

  unsigned read(int bits) {
    if (count_ < bits) refill();
    const unsigned code = static_cast<unsigned>(buffer_ & ((1u << bits) - 1));
    buffer_ >>= bits;
    count_ -= bits;
    return code;
  }

 private:
  void refill() {
    if (position_ + 8 <= data_.size()) {
      std::uint64_t word;
      std::memcpy(&word, data_.data() + position_, 8);
      buffer_ |= word << count_;
      const int taken = (63 - count_) >> 3;
      position_ += static_cast<std::size_t>(taken);
      count_ += taken * 8;
      return;
    }
    while (count_ <= 56) {
      const std::uint64_t byte = position_ < data_.size() ? data_[position_] : 0xFF;
      ++position_;
      buffer_ |= byte << count_;
      count_ += 8;
    }
  }

  std::span<const std::uint8_t> data_;
  std::size_t position_ = 0;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

// Copies a string of at most 16 bytes with two 8-byte loads before the
// stores; the caller guarantees 16 bytes of room at both ends and that the
// wanted bytes of the source end at or before the destination.
inline void CopyShort(std::uint8_t* to, const std::uint8_t* from) {
  std::uint64_t a;
  std::uint64_t b;
  std::memcpy(&a, from, 8);
  std::memcpy(&b, from + 8, 8);
  std::memcpy(to, &a, 8);
  std::memcpy(to + 8, &b, 8);
}

// The string of literal code c is kLiteralBytes[c & 0xFF], with room after
// it for CopyShort's 16-byte loads. With code sizes above 8 a literal code
// can exceed 255; its pixel is the low byte, as an 8-bit index must be.
constexpr std::array<std::uint8_t, 256 + 16> kLiteralBytes = [] {
  std::array<std::uint8_t, 256 + 16> bytes{};
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}();

}  // namespace

// Every string the decoder emits also lies in the output already written (a
// literal in kLiteralBytes), so a table entry is just where one occurrence
// starts and its length: emitting a code is one short copy, the same for a
// literal and a table code, with no per-code chain walk and no branch on the
// kind of code that photographs make impossible to predict.
bool DecodeGifLzw(std::span<const std::uint8_t> data, int minimumCodeSize, std::span<std::uint8_t> indices) {
  if (minimumCodeSize < 1 || minimumCodeSize > kMaxCodeBits - 1) return false;
  const unsigned clearCode = 1u << minimumCodeSize;
  const unsigned endCode = clearCode + 1;
  std::uint8_t* pos = indices.data();
  std::uint8_t* const end = pos + indices.size();

  const std::uint8_t* starts[kTableSize];
  std::uint16_t lengths[kTableSize];
  for (unsigned code = 0; code < clearCode; ++code) {
    starts[code] = &kLiteralBytes[code & 0xFF];
    lengths[code] = 1;
  }

  LzwBitReader bits(data);
  int codeSize = minimumCodeSize + 1;
  unsigned nextFree = clearCode + 2;
  const std::uint8_t* previous = nullptr;  // the last string emitted, null after a clear
  std::size_t previousLen = 0;

  while (pos < end) {
    const unsigned code = bits.read(codeSize);
    if (code == clearCode) {
      codeSize = minimumCodeSize + 1;
      nextFree = clearCode + 2;
      previous = nullptr;
      continue;
    }
    if (code == endCode) break;

    if (previous == nullptr) {
      // The first code after a clear must be a literal: no string exists
      // yet that a table code could extend.
      if (code > clearCode) return false;
      *pos = static_cast<std::uint8_t>(code);
      previous = pos++;
      previousLen = 1;
      continue;
    }
    if (code > nextFree) return false;  // a code the table does not hold yet

    // The code being defined right now is the previous string followed by
    // its own first byte; the copy brings the previous string, which ends
    // where this one starts, and the last byte follows it.
    const bool extendsPrevious = code == nextFree;
    const std::uint8_t* from = extendsPrevious ? previous : starts[code];
    const std::size_t length = extendsPrevious ? previousLen + 1 : lengths[code];
    const std::size_t room = static_cast<std::size_t>(end - pos);
    if (length <= 16 && room >= 16) {
      CopyShort(pos, from);
    } else {
      std::memcpy(pos, from, std::min(length - extendsPrevious, room));
    }
    if (extendsPrevious && room > previousLen) pos[previousLen] = *previous;

    if (nextFree < kTableSize) {
      starts[nextFree] = previous;
      lengths[nextFree] = static_cast<std::uint16_t>(previousLen + 1);
      ++nextFree;
      if (nextFree == (1u << codeSize) && codeSize < kMaxCodeBits) ++codeSize;
    }
    previous = pos;
    previousLen = length;
    pos += std::min(length, room);
  }
  return true;
}

Bitmap GifImageToBitmap(const GifImage& image) {
  Bitmap bitmap;
  bitmap.width = image.width;
  bitmap.height = image.height;
  bitmap.pixels.resize(image.indices.size());
  for (std::size_t i = 0; i < image.indices.size(); ++i) bitmap.pixels[i] = image.palette[image.indices[i]];
  return bitmap;
}

namespace {

// Row order of an interlaced image: every 8th row from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
void Deinterlace(std::vector<std::uint8_t>& indices, int width, int height) {
  std::vector<std::uint8_t> stored(indices.size());
  stored.swap(indices);
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  const std::size_t rowBytes = static_cast<std::size_t>(width);
  std::size_t storedRow = 0;
  for (int pass = 0; pass < 4; ++pass) {
    for (int row = kStart[pass]; row < height; row += kStep[pass]) {
      std::memcpy(indices.data() + row * rowBytes, stored.data() + storedRow * rowBytes, rowBytes);
      ++storedRow;
    }
  }
}

// Colour table entries as pixels; returns false when they do not fit.
bool ReadColourTable(base::ByteReader& reader, int entries, std::array<std::uint32_t, 256>& palette) {
  palette.fill(0);
  auto bytes = reader.take(static_cast<std::size_t>(entries) * 3);
  if (!reader.ok()) return false;
  for (int i = 0; i < entries; ++i) {
    palette[i] = static_cast<std::uint32_t>(bytes[i * 3]) << 16 | bytes[i * 3 + 1] << 8 | bytes[i * 3 + 2];
  }
  return true;
}

}  // namespace

bool GifReader::Open(std::span<const std::uint8_t> bytes) {
  *this = GifReader{};
  if (bytes.size() < 6 || (std::memcmp(bytes.data(), "GIF87a", 6) != 0 && std::memcmp(bytes.data(), "GIF89a", 6) != 0)) {
    error_ = DecodeError::UnknownFormat;
    return false;
  }
  if (bytes.size() <= 13) {
    error_ = DecodeError::Truncated;
    return false;
  }
  base::ByteReader reader(bytes);
  reader.skip(6);
  screenWidth_ = reader.u16();
  screenHeight_ = reader.u16();
  const std::uint8_t packed = reader.u8();
  backgroundIndex_ = reader.u8();
  reader.u8();  // pixel aspect ratio
  if (packed & 0x80) {
    globalColourCount_ = 1 << ((packed & 7) + 1);
    if (!ReadColourTable(reader, globalColourCount_, globalPalette_)) {
      error_ = DecodeError::Truncated;
      return false;
    }
  }
  auto rest = reader.rest();
  source_.assign(rest.begin(), rest.end());
  return true;
}

bool GifReader::SkipSubBlocks() {
  base::ByteReader reader(source_);
  reader.seek(position_);
  for (;;) {
    const std::uint8_t length = reader.u8();
    if (!reader.ok()) return false;
    if (length == 0) break;
    if (!reader.skip(length)) return false;
  }
  position_ = reader.position();
  return true;
}

// None, or why the extension at the read position cannot be walked over.
DecodeError GifReader::ReadExtension() {
  base::ByteReader reader(source_);
  reader.seek(position_);
  const std::uint8_t label = reader.u8();
  switch (label) {
    case 0x01:  // plain text: block size and 12 header bytes
      reader.skip(13);
      break;
    case 0xF9: {  // graphic control
      const std::uint8_t size = reader.u8();
      if (reader.ok() && size < 4) return DecodeError::Malformed;
      const std::uint8_t packed = reader.u8();
      const int delay = reader.u16();
      const int transparentIndex = reader.u8();
      reader.skip(size - 4u);
      if (!reader.ok()) return DecodeError::Truncated;
      delay_ = delay;
      transparentIndex_ = transparentIndex;
      disposal_ = packed & 0x1C;
      transparentFlag_ = (packed & 1) != 0;
      break;
    }
    case 0xFE:  // comment: sub-blocks only
      break;
    case 0xFF:  // application: block size and 11 header bytes
      reader.skip(12);
      break;
    default:
      return reader.ok() ? DecodeError::Malformed : DecodeError::Truncated;
  }
  if (!reader.ok()) return DecodeError::Truncated;
  position_ = reader.position();
  return SkipSubBlocks() ? DecodeError::None : DecodeError::Truncated;
}

std::optional<GifImage> GifReader::ReadImage(std::int64_t maxPixels) {
  base::ByteReader reader(source_);
  reader.seek(position_);
  GifImage image;
  image.left = reader.u16();
  image.top = reader.u16();
  image.width = reader.u16();
  image.height = reader.u16();
  image.packed = reader.u8();
  if (!reader.ok()) return Fail(DecodeError::Truncated);
  if (image.packed & 0x80) {
    if (!ReadColourTable(reader, 1 << ((image.packed & 7) + 1), image.palette)) return Fail(DecodeError::Truncated);
  } else {
    image.palette = globalPalette_;
  }
  if (transparentFlag_) transparentColour_ = ColourFromPixel(image.palette[transparentIndex_]);

  const int minimumCodeSize = reader.u8();
  if (!reader.ok()) return Fail(DecodeError::Truncated);

  // Gather the code stream out of its sub-blocks. A sub-block that runs past
  // the data keeps what is there; the decoder reads 0xFF beyond.
  std::vector<std::uint8_t> data;
  for (;;) {
    const std::uint8_t length = reader.u8();
    if (!reader.ok() || length == 0) break;
    const std::size_t present = std::min<std::size_t>(length, reader.remaining());
    auto piece = reader.take(present);
    data.insert(data.end(), piece.begin(), piece.end());
    if (present < length) break;
  }
  position_ = reader.position();

  if (image.width == 0 || image.height == 0) {
    if (minimumCodeSize < 1 || minimumCodeSize >= kMaxCodeBits) return Fail(DecodeError::DamagedData);
    return image;
  }
  const auto count = CheckedPixelCount(image.width, image.height);
  if (!count || static_cast<std::int64_t>(*count) > maxPixels) return Fail(DecodeError::TooLarge);
  image.indices.assign(*count, 0);
  if (!DecodeGifLzw(data, minimumCodeSize, image.indices)) return Fail(DecodeError::DamagedData);
  if (image.interlaced()) Deinterlace(image.indices, image.width, image.height);
  return image;
}

std::optional<GifImage> GifReader::NextImage(AtTrailer atTrailer, std::int64_t maxPixels) {
  error_ = DecodeError::None;
  bool rewound = false;
  for (;;) {
    // A file may end without its trailer: the walk ends there too.
    if (position_ >= source_.size()) return std::nullopt;
    const std::uint8_t introducer = source_[position_];
    if (introducer == 0x00 || introducer == ';') {
      if (atTrailer == AtTrailer::Stop || rewound) return std::nullopt;
      position_ = 0;
      rewound = true;
      continue;
    }
    ++position_;
    if (introducer == '!') {
      if (const DecodeError error = ReadExtension(); error != DecodeError::None) return Fail(error);
      continue;
    }
    if (introducer == ',') return ReadImage(maxPixels);
    return Fail(DecodeError::Malformed);
  }
}

}  // namespace horavia::anim
