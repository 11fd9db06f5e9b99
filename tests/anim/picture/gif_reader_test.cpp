#include "anim/picture/gif_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::Bytes;
using testing::EncodeGif;
using testing::EncodeLzw;
using testing::GifFile;
using testing::GifFrame;

// Codes for pixels 0 1 2 3 1 with minimum code size 2: clear(4) 0 1 2 in
// 3 bits; after the third code the next free code is 8, so 3, 1 and the end
// code (5) take 4 bits. A decoder that grew one code late would read the
// last "1" out of step and see a 2.
const Bytes kGrowingCodes = {
    0x44,  // 100 clear, 000 "0", 10 (low bits of "1")
    0x34,  // 0 (high bit of "1"), 010 "2", 1100 "3" in 4 bits
    0x51,  // 1000 "1" in 4 bits, 1010 end in 4 bits
};

TEST(GifLzw, GrowsCodeSizeAtPowerOfTwo) {
  std::vector<std::uint8_t> pixels(5, 0xAA);
  ASSERT_TRUE(DecodeGifLzw(kGrowingCodes, 2, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 1, 2, 3, 1}));
  // Our encoder agrees, so the larger tests below test the same rule.
  EXPECT_EQ(EncodeLzw({0, 1, 2, 3, 1}, 2), kGrowingCodes);
}

TEST(GifLzw, DecodesWhatTheEncoderWroteAtEveryCodeSize) {
  std::mt19937 random(7);
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    std::vector<std::uint8_t> input(20000);
    // Few distinct runs make long strings; a random tail fills the table.
    for (std::size_t i = 0; i < input.size(); ++i) {
      input[i] = static_cast<std::uint8_t>((i < 8000 ? (i / 37) : random()) % (1u << codeSize));
    }
    std::vector<std::uint8_t> output(input.size());
    ASSERT_TRUE(DecodeGifLzw(EncodeLzw(input, codeSize), codeSize, output)) << "code size " << codeSize;
    EXPECT_EQ(output, input) << "code size " << codeSize;
  }
}

TEST(GifLzw, KeepsTheLowByteOfLiteralsAboveAnIndex) {
  // Minimum code size 9: clear 512, end 513, codes of 10 bits. Literals
  // 300 and 301 are pixels 44 and 45, and so are the bytes of table code
  // 514 that they define.
  const unsigned codes[] = {512, 300, 301, 514, 513};
  Bytes data((std::size(codes) * 10 + 7) / 8);
  for (std::size_t i = 0; i < std::size(codes); ++i) {
    for (int bit = 0; bit < 10; ++bit) {
      if (codes[i] >> bit & 1) data[(i * 10 + bit) / 8] |= static_cast<std::uint8_t>(1u << ((i * 10 + bit) % 8));
    }
  }
  std::vector<std::uint8_t> pixels(4);
  ASSERT_TRUE(DecodeGifLzw(data, 9, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{44, 45, 44, 45}));
}

TEST(GifLzw, KeepsDecodingWithAFullTable) {
  // Without a clear code the encoder keeps emitting 12-bit codes from the
  // full table; a decoder that added entries past 4096 or grew past 12
  // bits would lose its way.
  std::mt19937 random(11);
  std::vector<std::uint8_t> input(60000);
  for (auto& v : input) v = static_cast<std::uint8_t>(random() % 200);
  std::vector<std::uint8_t> output(input.size());
  ASSERT_TRUE(DecodeGifLzw(EncodeLzw(input, 8, {.clearWhenFull = false}), 8, output));
  EXPECT_EQ(output, input);
}

TEST(GifLzw, FailsOnATableCodeRightAfterClear) {
  std::vector<std::uint8_t> pixels(2);
  // 100 clear, then 111 (7 > clear + 2)
  EXPECT_FALSE(DecodeGifLzw(Bytes{0x3C}, 2, pixels));
  // 100 clear, then 110 (6 = clear + 2: nothing yet to extend)
  EXPECT_FALSE(DecodeGifLzw(Bytes{0x34}, 2, pixels));
}

TEST(GifLzw, FailsOnACodeNotYetInTheTable) {
  std::vector<std::uint8_t> pixels(4);
  // 100 clear, 000 "0", then 111 (7; only 6 could be defined next)
  EXPECT_FALSE(DecodeGifLzw(Bytes{0xC4, 0x01}, 2, pixels));
}

TEST(GifLzw, DropsPixelsBeyondTheBuffer) {
  std::vector<std::uint8_t> pixels(3);
  ASSERT_TRUE(DecodeGifLzw(kGrowingCodes, 2, pixels));
  EXPECT_EQ(pixels, (std::vector<std::uint8_t>{0, 1, 2}));
}

TEST(GifLzw, RejectsCodeSizesOutsideOneToEleven) {
  std::vector<std::uint8_t> pixels(1);
  EXPECT_FALSE(DecodeGifLzw(Bytes{0}, 0, pixels));
  EXPECT_FALSE(DecodeGifLzw(Bytes{0}, 12, pixels));
}

// A 3×1 picture whose only sub-block claims 2 bytes but holds 1.
const Bytes kShortSubBlock = {
    'G', 'I', 'F', '8', '9', 'a',
    3, 0, 1, 0,        // screen 3 × 1
    0x80, 0, 0,        // global table of 2 entries, background 0, aspect 0
    0, 0, 0, 255, 255, 255,
    ',', 0, 0, 0, 0, 3, 0, 1, 0, 0x00,  // image at 0,0, 3 × 1, no local table
    2,                 // minimum code size
    2, 0x8C,           // sub-block of "2" bytes: 100 clear, 100 "1", 011... (code 6 = "1 1")
};

TEST(GifReader, ReadsMissingSubBlockBytesAsFF) {
  GifReader reader;
  ASSERT_TRUE(reader.Open(kShortSubBlock));
  auto image = reader.NextImage();
  ASSERT_TRUE(image);
  // The last bit of code 6 comes from the missing byte: read as 0 it would
  // give code 2.
  EXPECT_EQ(image->indices, (std::vector<std::uint8_t>{1, 1, 1}));
}

GifFile TwoColourFile(int width, int height) {
  GifFile file;
  file.screenWidth = width;
  file.screenHeight = height;
  file.globalTable = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00};
  file.minimumCodeSize = 2;
  return file;
}

GifFrame FrameOf(int width, int height, std::uint8_t value) {
  GifFrame frame;
  frame.width = width;
  frame.height = height;
  frame.indices.assign(static_cast<std::size_t>(width) * height, value);
  return frame;
}

TEST(GifReader, UndoesTheInterlacePasses) {
  GifFile file = TwoColourFile(2, 11);
  file.minimumCodeSize = 4;
  file.globalTable.resize(16);
  GifFrame frame = FrameOf(2, 11, 0);
  for (int row = 0; row < 11; ++row) frame.indices[row * 2] = frame.indices[row * 2 + 1] = static_cast<std::uint8_t>(row);
  frame.interlaced = true;
  file.frames = {frame};

  GifReader reader;
  ASSERT_TRUE(reader.Open(EncodeGif(file)));
  auto image = reader.NextImage();
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->interlaced());
  EXPECT_EQ(image->indices, frame.indices);
}

TEST(GifReader, KeepsGraphicControlValues) {
  GifFile file = TwoColourFile(2, 2);
  GifFrame frame = FrameOf(2, 2, 1);
  frame.disposalMethod = 2;
  frame.delayHundredths = 7;
  frame.transparentIndex = 2;
  file.frames = {frame};
  GifReader reader;
  ASSERT_TRUE(reader.Open(EncodeGif(file)));
  ASSERT_TRUE(reader.NextImage());
  EXPECT_EQ(reader.disposal(), 8);  // method 2 kept in place in bits 2-4
  EXPECT_EQ(reader.delayHundredths(), 7);
  EXPECT_TRUE(reader.transparentFlag());
  EXPECT_EQ(reader.transparentIndex(), 2);
  EXPECT_EQ(reader.transparentColour(), 0x0000FFu);  // red as 0x00BBGGRR
}

TEST(GifReader, UsesTheLocalColourTable) {
  GifFile file = TwoColourFile(1, 1);
  GifFrame frame = FrameOf(1, 1, 1);
  frame.localTable = {0x123456, 0xABCDEF};
  file.frames = {frame};
  GifReader reader;
  ASSERT_TRUE(reader.Open(EncodeGif(file)));
  auto image = reader.NextImage();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->palette[1], 0xABCDEFu);
  EXPECT_EQ(image->palette[2], 0u);  // entries past the table are black
}

TEST(GifReader, RewindsAtTheTrailerOrStops) {
  GifFile file = TwoColourFile(1, 1);
  file.frames = {FrameOf(1, 1, 1), FrameOf(1, 1, 2)};
  const Bytes bytes = EncodeGif(file);
  GifReader looping;
  ASSERT_TRUE(looping.Open(bytes));
  EXPECT_EQ(looping.NextImage()->indices[0], 1);
  EXPECT_EQ(looping.NextImage()->indices[0], 2);
  EXPECT_EQ(looping.NextImage()->indices[0], 1);

  GifReader stopping;
  ASSERT_TRUE(stopping.Open(bytes));
  stopping.NextImage(GifReader::AtTrailer::Stop);
  stopping.NextImage(GifReader::AtTrailer::Stop);
  EXPECT_FALSE(stopping.NextImage(GifReader::AtTrailer::Stop));
}

TEST(GifReader, EndsAFileWithoutImagesInsteadOfSpinning) {
  const Bytes bytes = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, ';'};
  GifReader reader;
  ASSERT_TRUE(reader.Open(bytes));
  EXPECT_FALSE(reader.NextImage());
  EXPECT_EQ(reader.error(), DecodeError::None) << "a walk that ends is no failure";
}

TEST(GifReader, SkipsCommentApplicationAndPlainTextBlocks) {
  GifFile file = TwoColourFile(1, 1);
  file.frames = {FrameOf(1, 1, 3)};
  Bytes bytes = EncodeGif(file);
  const Bytes extensions = {
      '!', 0xFE, 3, 'a', 'b', 'c', 0,                                     // comment
      '!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',  // application header
      3, 1, 0, 0, 0,                                                      // its sub-block
      '!', 0x01, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 'x', 0,       // plain text
  };
  const std::size_t afterTable = 13 + 4 * 3;
  bytes.insert(bytes.begin() + afterTable, extensions.begin(), extensions.end());
  GifReader reader;
  ASSERT_TRUE(reader.Open(bytes));
  auto image = reader.NextImage();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->indices[0], 3);
}

TEST(GifReader, FailsCleanly) {
  GifFile file = TwoColourFile(1, 1);
  file.frames = {FrameOf(1, 1, 1)};
  const Bytes good = EncodeGif(file);
  GifReader reader;

  EXPECT_FALSE(reader.Open(Bytes(good.begin(), good.begin() + 13))) << "13 bytes are too few";
  EXPECT_EQ(reader.error(), DecodeError::Truncated);
  Bytes badSignature = good;
  badSignature[4] = '8';
  EXPECT_FALSE(reader.Open(badSignature));
  EXPECT_EQ(reader.error(), DecodeError::UnknownFormat);
  Bytes tableTooLong = good;
  tableTooLong[10] = 0x87;  // 256 entries do not fit
  EXPECT_FALSE(reader.Open(tableTooLong));
  EXPECT_EQ(reader.error(), DecodeError::Truncated);

  Bytes unknownLabel = good;
  unknownLabel[13 + 12 + 1] = 0x42;  // the graphic control label
  ASSERT_TRUE(reader.Open(unknownLabel));
  EXPECT_FALSE(reader.NextImage());
  EXPECT_EQ(reader.error(), DecodeError::Malformed);

  Bytes strayByte = good;
  strayByte[13 + 12] = 0x42;  // where the graphic control's "!" was
  ASSERT_TRUE(reader.Open(strayByte));
  EXPECT_FALSE(reader.NextImage());
  EXPECT_EQ(reader.error(), DecodeError::Malformed);

  const Bytes damaged = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,  // 1 × 1, two colours
                         0, 0, 0, 255, 255, 255,                               // the colour table
                         ',', 0, 0, 0, 0, 1, 0, 1, 0, 0,                       // an image of 1 × 1
                         2, 1, 0x3C, 0,  // code size 2: clear (100), then 7 (111), no literal
                         ';'};
  ASSERT_TRUE(reader.Open(damaged));
  EXPECT_FALSE(reader.NextImage());
  EXPECT_EQ(reader.error(), DecodeError::DamagedData);

  // Every truncation fails or yields an image, never reads past the end
  // (the sanitizer build checks the second part).
  for (std::size_t length = 14; length < good.size(); ++length) {
    GifReader truncated;
    if (truncated.Open(Bytes(good.begin(), good.begin() + length))) truncated.NextImage();
  }
}

TEST(GifReader, RefusesAnImageAboveTheLimitBeforeDecodingIt) {
  GifFile file = TwoColourFile(3, 2);
  file.frames = {FrameOf(3, 2, 1)};
  const Bytes bytes = EncodeGif(file);
  GifReader reader;
  ASSERT_TRUE(reader.Open(bytes));
  EXPECT_FALSE(reader.NextImage(GifReader::AtTrailer::Stop, 5)) << "6 pixels where 5 are allowed";
  EXPECT_EQ(reader.error(), DecodeError::TooLarge);
  ASSERT_TRUE(reader.Open(bytes));
  EXPECT_TRUE(reader.NextImage(GifReader::AtTrailer::Stop, 6));

  // A descriptor of 65535 × 65535 is refused whatever the caller allows:
  // its size alone says nothing of what its few bytes could hold.
  Bytes huge = bytes;
  const std::size_t descriptor = huge.size() - 1;  // in place of the trailer
  huge.resize(descriptor);
  const Bytes image = {',', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 2, 0, ';'};
  huge.insert(huge.end(), image.begin(), image.end());
  ASSERT_TRUE(reader.Open(huge));
  ASSERT_TRUE(reader.NextImage(GifReader::AtTrailer::Stop));
  EXPECT_FALSE(reader.NextImage(GifReader::AtTrailer::Stop));
  EXPECT_EQ(reader.error(), DecodeError::TooLarge);
}

}  // namespace
}  // namespace horavia::anim
