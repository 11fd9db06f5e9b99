#include "anim/picture/pcx_reader.h"

#include <gtest/gtest.h>

#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::Bytes;

TEST(PcxReader, KeepsAGreyRampWithoutThePaletteMarker) {
  auto record = ReadPcx(testing::EncodePcx(2, 1, {9, 250}, 8, {}));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->kind, PictureKind::Pcx8);
  auto bitmap = RealisePicture(*record);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->pixels, (std::vector<std::uint32_t>{0x090909, 0xFAFAFA}));
}

TEST(PcxReader, DecodesOneBitIntoSixteenBitRows) {
  const std::vector<std::uint8_t> bits = {1, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1,  // 18 × 2
                                          0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1};
  auto record = ReadPcx(testing::EncodePcx(18, 2, bits, 1, {}));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->kind, PictureKind::Pcx1);
  EXPECT_EQ(record->pixels.size(), 8u);  // two rows of 32 bits
  auto bitmap = RealisePicture(*record);
  ASSERT_TRUE(bitmap);
  for (int i = 0; i < 36; ++i) EXPECT_EQ(bitmap->pixels[i], bits[i] ? 0xFFFFFFu : 0u) << "pixel " << i;
}

TEST(PcxReader, RejectsMalformedFilesAndSaysWhy) {
  const Bytes good = testing::EncodePcx(4, 2, {1, 2, 3, 4, 5, 6, 7, 8}, 8, {});
  ASSERT_TRUE(ReadPcx(good));
  EXPECT_EQ(ReadPcx(Bytes(good.begin(), good.begin() + 128)).error(), DecodeError::Truncated) << "header alone";
  EXPECT_EQ(ReadPcx(Bytes(good.begin(), good.end() - 1)).error(), DecodeError::Truncated) << "runs end early";
  Bytes negative = good;
  negative[4] = 9;  // xmin 9 > xmax 3
  EXPECT_EQ(ReadPcx(negative).error(), DecodeError::Malformed);
  Bytes planes = good;
  planes[65] = 3;
  EXPECT_EQ(ReadPcx(planes).error(), DecodeError::Unsupported);
}

TEST(PcxReader, RefusesASizeItsRunsCannotFillBeforeAllocatingIt) {
  // 4000 × 4000 in the header, four bytes of runs after it: at most 126
  // pixels' worth, so the 16 million are never allocated.
  Bytes huge = testing::EncodePcx(4, 2, {1, 2, 3, 4, 5, 6, 7, 8}, 8, {});
  huge.resize(128);
  huge[8] = 0x9F, huge[9] = 0x0F;    // xmax 3999
  huge[10] = 0x9F, huge[11] = 0x0F;  // ymax 3999
  huge[66] = 0xA0, huge[67] = 0x0F;  // 4000 bytes a line
  huge.insert(huge.end(), {0xFF, 7, 0xFF, 7});
  EXPECT_EQ(ReadPcx(huge).error(), DecodeError::Truncated);
  // At the edge: two of the longest runs, four bytes, fill a line of 126.
  const Bytes runs = testing::EncodePcx(126, 1, std::vector<std::uint8_t>(126, 7), 8, {});
  ASSERT_EQ(runs.size(), 128u + 4);
  EXPECT_TRUE(ReadPcx(runs));
}

}  // namespace
}  // namespace horavia::anim
