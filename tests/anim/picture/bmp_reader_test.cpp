#include "anim/picture/bmp_reader.h"

#include <gtest/gtest.h>

#include "anim/picture/picture.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::Bytes;

// A 3 × 2 picture of 1 bit per pixel: a 54-byte header, two palette
// entries, and two rows padded to 4 bytes, bottom row first.
const Bytes kOneBit = {
    'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,  // file header: size 70, data at 62
    40, 0, 0, 0,                                     // information header size
    3, 0, 0, 0, 2, 0, 0, 0,                          // width 3, height 2
    1, 0, 1, 0,                                      // planes 1, 1 bit per pixel
    0, 0, 0, 0, 8, 0, 0, 0,                          // no compression, image size 8
    0, 0, 0, 0, 0, 0, 0, 0,                          // resolution
    0, 0, 0, 0, 0, 0, 0, 0,                          // colours used 0 (= 2), important 0
    0x10, 0x20, 0x30, 0,                             // entry 0: B G R
    0xF0, 0xE0, 0xD0, 0,                             // entry 1
    0b10100000, 0, 0, 0,                             // bottom row: 1 0 1
    0b01000000, 0, 0, 0,                             // top row: 0 1 0
};

std::uint32_t At(const Bitmap& bitmap, int x, int y) { return bitmap.at(x, y); }

TEST(BmpReader, UnpacksOneBitPixelsMostSignificantFirst) {
  auto bitmap = PictureToBitmap(kOneBit);
  ASSERT_TRUE(bitmap);
  ASSERT_EQ(bitmap->width, 3);
  ASSERT_EQ(bitmap->height, 2);
  const std::uint32_t zero = 0x302010, one = 0xD0E0F0;
  EXPECT_EQ(At(*bitmap, 0, 0), zero);
  EXPECT_EQ(At(*bitmap, 1, 0), one);
  EXPECT_EQ(At(*bitmap, 2, 0), zero);
  EXPECT_EQ(At(*bitmap, 0, 1), one);
  EXPECT_EQ(At(*bitmap, 1, 1), zero);
  EXPECT_EQ(At(*bitmap, 2, 1), one);
}

TEST(BmpReader, ReadsTrueColourBottomUpAndTopDown) {
  const std::vector<std::uint32_t> pixels = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};  // 3 × 2
  for (int depth : {24, 32}) {
    for (bool topDown : {false, true}) {
      auto bitmap = PictureToBitmap(testing::EncodeBmpTrueColour(3, 2, pixels, depth, topDown));
      ASSERT_TRUE(bitmap);
      EXPECT_EQ(bitmap->pixels, pixels) << depth << " bits, top-down " << topDown;
    }
  }
}

TEST(BmpReader, KeepsRecordRowsBottomFirst) {
  auto record = ReadBmp(testing::EncodeBmpTrueColour(1, 2, {0x0000FF, 0xFF0000}, 24));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->size(), 6u);
  EXPECT_EQ(record->pixels, (std::vector<std::uint8_t>{0, 0, 0xFF, 0xFF, 0, 0}));  // the bottom (red) row first, as B, G, R
}

TEST(BmpReader, RejectsMalformedFilesAndSaysWhy) {
  EXPECT_TRUE(ReadBmp(kOneBit));
  for (std::size_t length = 0; length < kOneBit.size(); ++length) {
    const auto record = ReadBmp(Bytes(kOneBit.begin(), kOneBit.begin() + length));
    EXPECT_FALSE(record) << "short read of " << length;
    EXPECT_EQ(record.error(), length < 2 ? DecodeError::UnknownFormat : DecodeError::Truncated) << length;
  }
  Bytes compressed = kOneBit;
  compressed[30] = 1;  // run-length coding
  EXPECT_EQ(ReadBmp(compressed).error(), DecodeError::Unsupported);
  Bytes sixteenBits = kOneBit;
  sixteenBits[28] = 16;
  EXPECT_EQ(ReadBmp(sixteenBits).error(), DecodeError::Unsupported);
  Bytes dataInTable = kOneBit;
  dataInTable[10] = 58;  // pixels would start inside the colour table
  EXPECT_EQ(ReadBmp(dataInTable).error(), DecodeError::Malformed);
  Bytes huge = kOneBit;
  huge[20] = 0x7F;  // width 0x007F0003: beyond the size ceiling
  EXPECT_EQ(ReadBmp(huge).error(), DecodeError::TooLarge);
  Bytes hugeTable = kOneBit;
  hugeTable[49] = 0x40;  // colours used 0x40000000: the table cannot fit
  EXPECT_EQ(ReadBmp(hugeTable).error(), DecodeError::Truncated);
  Bytes noWidth = kOneBit;
  noWidth[18] = 0;  // width 0
  EXPECT_EQ(ReadBmp(noWidth).error(), DecodeError::Malformed);
}

}  // namespace
}  // namespace horavia::anim
