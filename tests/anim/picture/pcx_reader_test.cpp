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

TEST(PcxReader, RejectsMalformedFiles) {
  const Bytes good = testing::EncodePcx(4, 2, {1, 2, 3, 4, 5, 6, 7, 8}, 8, {});
  ASSERT_TRUE(ReadPcx(good));
  EXPECT_FALSE(ReadPcx(Bytes(good.begin(), good.begin() + 128))) << "header alone";
  EXPECT_FALSE(ReadPcx(Bytes(good.begin(), good.end() - 1))) << "runs end early";
  Bytes negative = good;
  negative[4] = 9;  // xmin 9 > xmax 3
  EXPECT_FALSE(ReadPcx(negative));
  Bytes planes = good;
  planes[65] = 3;
  EXPECT_FALSE(ReadPcx(planes));
}

}  // namespace
}  // namespace horavia::anim
