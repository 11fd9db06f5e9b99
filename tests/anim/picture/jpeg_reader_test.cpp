#include "anim/picture/jpeg_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

bool Near(std::uint32_t have, std::uint32_t want, int tolerance) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>(have >> shift & 0xFF) - static_cast<int>(want >> shift & 0xFF)) > tolerance) return false;
  }
  return true;
}

TEST(JpegReader, DecodesColourTopHalfRedBottomHalfBlue) {
  const int width = 16, height = 16;
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (y < 8) rgb.insert(rgb.end(), {250, 10, 10});
      else rgb.insert(rgb.end(), {10, 10, 250});
    }
  }
  auto record = ReadJpeg(testing::EncodeJpeg(width, height, 3, rgb));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->kind, PictureKind::Jpeg);
  EXPECT_EQ(record->size(), static_cast<std::size_t>(width * height * 3));
  // Record rows run bottom first in B, G, R order.
  EXPECT_GT(record->pixels[0], 200);  // bottom row: blue
  EXPECT_LT(record->pixels[2], 50);
  auto bitmap = RealisePicture(*record);
  ASSERT_TRUE(bitmap);
  EXPECT_TRUE(Near(bitmap->at(3, 2), 0xFA0A0A, 24)) << std::hex << bitmap->at(3, 2);
  EXPECT_TRUE(Near(bitmap->at(3, 13), 0x0A0AFA, 24)) << std::hex << bitmap->at(3, 13);
}

TEST(JpegReader, RepeatsGreyIntoThreeChannels) {
  std::vector<std::uint8_t> grey(8 * 8, 0x80);
  auto bitmap = PictureToBitmap(testing::EncodeJpeg(8, 8, 1, grey));
  ASSERT_TRUE(bitmap);
  const std::uint32_t p = bitmap->at(4, 4);
  EXPECT_EQ(p & 0xFF, p >> 8 & 0xFF);
  EXPECT_EQ(p & 0xFF, p >> 16 & 0xFF);
  EXPECT_NEAR(static_cast<int>(p & 0xFF), 0x80, 2);
}

TEST(JpegReader, FailsCleanlyOnBrokenData) {
  auto good = testing::EncodeJpeg(8, 8, 1, std::vector<std::uint8_t>(64, 1));
  EXPECT_FALSE(ReadJpeg(testing::Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 0}));
  EXPECT_FALSE(ReadJpeg(testing::Bytes(good.begin(), good.begin() + 20))) << "cut inside the tables";
  EXPECT_TRUE(ReadJpeg(good));
}

}  // namespace
}  // namespace horavia::anim
