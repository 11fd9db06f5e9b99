#include "anim/picture/pcx_reader.h"

#include <algorithm>

#include "anim/picture/pixel_size.h"
#include "base/bytes.h"

namespace horavia::anim {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kPaletteMarker = 0x0C;
// The most one run can stand for: a count byte of 0xFF repeats 63 times.
constexpr std::size_t kLongestRun = 0xFF - 0xC0;

struct PcxHeader {
  int bitsPerPixel = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  int planes = 0;
  std::size_t bytesPerLine = 0;
};

PcxHeader ReadHeader(base::ByteReader& reader) {
  PcxHeader header;
  reader.skip(3);  // manufacturer, version, encoding: checked by the kind test
  header.bitsPerPixel = reader.u8();
  const std::int16_t xMin = static_cast<std::int16_t>(reader.u16());
  const std::int16_t yMin = static_cast<std::int16_t>(reader.u16());
  const std::int16_t xMax = static_cast<std::int16_t>(reader.u16());
  const std::int16_t yMax = static_cast<std::int16_t>(reader.u16());
  header.width = std::int64_t{xMax} - xMin + 1;
  header.height = std::int64_t{yMax} - yMin + 1;
  reader.seek(65);
  header.planes = reader.u8();
  header.bytesPerLine = reader.u16();
  reader.seek(kHeaderSize);
  return header;
}

// Run-length decoding, one scan line at a time: a byte above 0xC0 repeats
// the next byte (byte - 0xC0) times, any other byte stands for itself. Runs
// may cross from one line into the next.
class PcxRuns {
 public:
  explicit PcxRuns(base::ByteReader& reader) : reader_(reader) {}

  // Fills the line; false when the data ends first.
  bool readLine(std::vector<std::uint8_t>& line) {
    for (std::size_t i = 0; i < line.size();) {
      if (runLeft_ == 0) {
        if (reader_.atEnd()) return false;
        const std::uint8_t byte = reader_.u8();
        if (byte > 0xC0) {
          if (reader_.atEnd()) return false;
          runLeft_ = byte - 0xC0;
          runValue_ = reader_.u8();
        } else {
          runLeft_ = 1;
          runValue_ = byte;
        }
      }
      const std::size_t count = std::min<std::size_t>(runLeft_, line.size() - i);
      std::fill_n(line.begin() + static_cast<std::ptrdiff_t>(i), count, runValue_);
      i += count;
      runLeft_ -= static_cast<int>(count);
    }
    return true;
  }

 private:
  base::ByteReader& reader_;
  int runLeft_ = 0;
  std::uint8_t runValue_ = 0;
};

// The most decoded bytes `coded` bytes of runs can give: two bytes per
// longest run, a literal for an odd byte left over.
std::size_t MostDecodedBytes(std::size_t coded) { return coded / 2 * kLongestRun + coded % 2; }

}  // namespace

Decoded<PictureRecord> ReadPcx(std::span<const std::uint8_t> bytes) {
  if (bytes.size() <= kHeaderSize) return DecodeError::Truncated;
  base::ByteReader reader(bytes);
  const PcxHeader header = ReadHeader(reader);
  if (!reader.ok()) return DecodeError::Truncated;
  if (header.bitsPerPixel != 8 && header.bitsPerPixel != 1) return DecodeError::Unsupported;
  // Several planes (24-bit or 16-colour files) would decode as garbage.
  if (header.planes != 1) return DecodeError::Unsupported;
  if (header.bytesPerLine == 0) return DecodeError::Malformed;
  if (const DecodeError error = PictureSizeError(header.width, header.height); error != DecodeError::None) {
    return error;
  }
  // A size the runs that follow cannot fill is refused before anything is
  // allocated for it: the header alone must not decide how much memory a
  // few bytes take.
  if (MostDecodedBytes(reader.remaining()) / header.bytesPerLine < static_cast<std::size_t>(header.height)) {
    return DecodeError::Truncated;
  }

  PictureRecord record;
  record.width = record.imageWidth = static_cast<int>(header.width);
  record.height = record.imageHeight = static_cast<int>(header.height);
  const std::size_t width = static_cast<std::size_t>(header.width);
  const std::size_t height = static_cast<std::size_t>(header.height);
  const bool eightBit = header.bitsPerPixel == 8;
  record.kind = eightBit ? PictureKind::Pcx8 : PictureKind::Pcx1;
  const std::size_t rowBytes = eightBit ? width : (width + 15) / 16 * 2;
  std::vector<std::uint8_t>& rows = eightBit ? record.indices : record.pixels;
  rows.assign(rowBytes * height, 0);

  std::vector<std::uint8_t> line(header.bytesPerLine);
  PcxRuns runs(reader);
  const std::size_t kept = std::min(rowBytes, line.size());
  for (std::size_t y = 0; y < height; ++y) {
    if (!runs.readLine(line)) return DecodeError::Truncated;
    std::copy_n(line.begin(), kept, rows.begin() + static_cast<std::ptrdiff_t>(y * rowBytes));
  }
  if (!eightBit) return record;

  // Without the marker and its 256 triples the picture keeps a grey ramp.
  for (int i = 0; i < 256; ++i) record.palette[i] = static_cast<std::uint32_t>(i) * 0x010101;
  if (reader.remaining() >= 1 + 768 && reader.u8() == kPaletteMarker) {
    for (int i = 0; i < 256; ++i) {
      const std::uint32_t red = reader.u8();
      const std::uint32_t green = reader.u8();
      const std::uint32_t blue = reader.u8();
      record.palette[i] = red << 16 | green << 8 | blue;
    }
  }
  return record;
}

}  // namespace horavia::anim
