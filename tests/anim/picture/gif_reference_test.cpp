// Our GifReader against giflib on files the encoder makes: every image's
// indices, position and colour table must match.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "anim/picture/gif_reader.h"
#include "tests/anim/support/encoders.h"
#include "tests/anim/support/giflib_memory.h"

namespace horavia::anim {
namespace {

using testing::Bytes;
using testing::GifMemoryInput;
using testing::ReadGifMemory;
using testing::GifFile;
using testing::GifFrame;

void ExpectSameAsGiflib(const Bytes& bytes) {
  GifMemoryInput input{&bytes, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadGifMemory, &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);

  GifReader reader;
  ASSERT_TRUE(reader.Open(bytes));
  EXPECT_EQ(reader.screenWidth(), gif->SWidth);
  EXPECT_EQ(reader.screenHeight(), gif->SHeight);
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& want = gif->SavedImages[i];
    auto have = reader.NextImage(GifReader::AtTrailer::Stop);
    ASSERT_TRUE(have) << "image " << i;
    EXPECT_EQ(have->left, want.ImageDesc.Left);
    EXPECT_EQ(have->top, want.ImageDesc.Top);
    ASSERT_EQ(have->width, want.ImageDesc.Width);
    ASSERT_EQ(have->height, want.ImageDesc.Height);
    const std::size_t count = static_cast<std::size_t>(have->width) * have->height;
    EXPECT_TRUE(std::equal(have->indices.begin(), have->indices.end(), want.RasterBits, want.RasterBits + count))
        << "image " << i;
    const ColorMapObject* map = want.ImageDesc.ColorMap ? want.ImageDesc.ColorMap : gif->SColorMap;
    for (int c = 0; c < map->ColorCount; ++c) {
      const GifColorType& rgb = map->Colors[c];
      EXPECT_EQ(have->palette[c], static_cast<std::uint32_t>(rgb.Red) << 16 | rgb.Green << 8 | rgb.Blue);
    }
  }
  EXPECT_FALSE(reader.NextImage(GifReader::AtTrailer::Stop));
  DGifCloseFile(gif, &error);
}

std::vector<std::uint32_t> RampTable(int entries, std::uint32_t seed) {
  std::vector<std::uint32_t> table(entries);
  for (int i = 0; i < entries; ++i) table[i] = (seed * (i + 1) * 2654435761u) & 0xFFFFFF;
  return table;
}

// A photo-like picture: smooth gradients with noise, so that codes of all
// sizes and several clears occur.
std::vector<std::uint8_t> PhotoIndices(int width, int height, int colours, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int base = (x * 3 + y * 5) / 7 + static_cast<int>(random() % 3);
      indices[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(base % colours);
    }
  }
  return indices;
}

TEST(GifReference, MatchesGiflibOnAPhotoLikePicture) {
  GifFile file;
  file.screenWidth = 320;
  file.screenHeight = 200;
  file.globalTable = RampTable(256, 3);
  GifFrame frame;
  frame.width = 320;
  frame.height = 200;
  frame.indices = PhotoIndices(320, 200, 256, 5);
  file.frames = {frame};
  ExpectSameAsGiflib(testing::EncodeGif(file));
}

TEST(GifReference, MatchesGiflibOnAnAnimationWithLocalTablesAndInterlacing) {
  GifFile file;
  file.screenWidth = 64;
  file.screenHeight = 48;
  file.minimumCodeSize = 4;
  file.globalTable = RampTable(16, 9);
  for (int i = 0; i < 6; ++i) {
    GifFrame frame;
    frame.left = i * 3;
    frame.top = i * 2;
    frame.width = 40 - i * 2;
    frame.height = 30 - i;
    frame.indices = PhotoIndices(frame.width, frame.height, 16, 20 + i);
    frame.interlaced = i % 2 == 1;
    if (i % 3 == 2) frame.localTable = RampTable(16, 40 + i);
    frame.disposalMethod = i % 4;
    frame.transparentIndex = i % 2 ? 3 : -1;
    file.frames.push_back(frame);
  }
  ExpectSameAsGiflib(testing::EncodeGif(file));
}

TEST(GifReference, MatchesGiflibAtSmallCodeSizes) {
  for (int codeSize = 2; codeSize <= 7; ++codeSize) {
    GifFile file;
    file.screenWidth = 97;
    file.screenHeight = 61;
    file.minimumCodeSize = codeSize;
    file.globalTable = RampTable(1 << codeSize, 17);
    GifFrame frame;
    frame.width = 97;
    frame.height = 61;
    frame.indices = PhotoIndices(97, 61, 1 << codeSize, 30 + codeSize);
    file.frames = {frame};
    ExpectSameAsGiflib(testing::EncodeGif(file));
  }
}

}  // namespace
}  // namespace horavia::anim
