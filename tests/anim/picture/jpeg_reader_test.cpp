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

// The offset of the first frame header's height in a file from our encoder.
std::size_t FrameHeaderSize(const testing::Bytes& jpeg) {
  for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) return i + 5;
  }
  return 0;
}

TEST(JpegReader, RefusesAHeaderClaimingMorePixelsThanItsBytesCanCode) {
  testing::Bytes jpeg = testing::EncodeJpeg(8, 8, 1, std::vector<std::uint8_t>(64, 1));
  const std::size_t size = FrameHeaderSize(jpeg);
  ASSERT_NE(size, 0u);
  jpeg[size] = 0x0F, jpeg[size + 1] = 0xA0;      // height 4000
  jpeg[size + 2] = 0x0F, jpeg[size + 3] = 0xA0;  // width 4000
  EXPECT_EQ(ReadJpeg(jpeg).error(), DecodeError::Truncated) << jpeg.size() << " bytes for 16 million pixels";
  jpeg[size] = 0x40, jpeg[size + 2] = 0x40;  // 16384 × 16384: beyond the ceiling
  EXPECT_EQ(ReadJpeg(jpeg).error(), DecodeError::TooLarge);
}

TEST(JpegReader, StopsAProgressiveFileOfEndlessScans) {
  std::vector<std::uint8_t> samples(16 * 16 * 3);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::uint8_t>(i * 13);
  testing::Bytes jpeg = testing::EncodeJpeg(16, 16, 3, samples, true);
  ASSERT_TRUE(ReadJpeg(jpeg)) << "libjpeg's own progression is read";
  // The last scan (its header up to the end marker) over and over: each one
  // costs a pass over every coefficient, and the file asks for 300.
  std::size_t lastScan = 0;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) lastScan = i;
  }
  ASSERT_NE(lastScan, 0u);
  const testing::Bytes scan(jpeg.begin() + static_cast<std::ptrdiff_t>(lastScan), jpeg.end() - 2);
  for (int i = 0; i < 300; ++i) jpeg.insert(jpeg.end() - 2, scan.begin(), scan.end());
  EXPECT_EQ(ReadJpeg(jpeg).error(), DecodeError::Unsupported);
}

}  // namespace
}  // namespace horavia::anim
