#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <random>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/png_reader.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::Bytes;
using testing::PngPicture;

std::vector<std::uint8_t> RandomSamples(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> samples(count);
  for (auto& s : samples) s = static_cast<std::uint8_t>(random());
  return samples;
}

struct PngCase {
  const char* name;
  int colourType;
  int bitDepth;
  bool interlaced;
  friend void PrintTo(const PngCase& c, std::ostream* out) { *out << c.name; }
};

class PngAgainstLibpng : public ::testing::TestWithParam<PngCase> {};

// Our frame pixels against libpng's own expansion of the same file, with
// transparency = 255 - alpha.
TEST_P(PngAgainstLibpng, MatchesPixelForPixel) {
  const PngCase& c = GetParam();
  PngPicture picture;
  picture.width = 13;
  picture.height = 11;
  picture.colourType = c.colourType;
  picture.bitDepth = c.bitDepth;
  picture.interlaced = c.interlaced;
  int channels = 1;
  if (c.colourType == PNG_COLOR_TYPE_RGB) channels = 3;
  if (c.colourType == PNG_COLOR_TYPE_RGB_ALPHA) channels = 4;
  if (c.colourType == PNG_COLOR_TYPE_GRAY_ALPHA) channels = 2;
  const std::size_t rowBytes = (static_cast<std::size_t>(picture.width) * channels * c.bitDepth + 7) / 8;
  picture.samples = RandomSamples(rowBytes * picture.height, 99);
  if (c.colourType == PNG_COLOR_TYPE_PALETTE) {
    const int entries = 1 << c.bitDepth;
    for (int i = 0; i < entries; ++i) picture.palette.push_back((i * 0x9E3779B9u) & 0xFFFFFF);
  }
  const Bytes png = testing::EncodePng(picture);
  auto want = testing::DecodePngReference(png);
  ASSERT_TRUE(want);
  FrameImage have = FrameImage::LoadFromBytes(png, kNoKey, false);
  ASSERT_TRUE(have.usable());
  ASSERT_EQ(have.width, want->width);
  ASSERT_EQ(have.height, want->height);
  for (std::size_t i = 0; i < want->bgra.size(); ++i) {
    const std::uint32_t w = want->bgra[i];
    const std::uint32_t expected = (w & 0x00FFFFFF) | (255u - (w >> 24)) << 24;
    ASSERT_EQ(have.frames[0].pixels[i], expected) << "pixel " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PngAgainstLibpng,
    ::testing::Values(PngCase{"Grey1", PNG_COLOR_TYPE_GRAY, 1, false}, PngCase{"Grey2", PNG_COLOR_TYPE_GRAY, 2, false},
                      PngCase{"Grey4", PNG_COLOR_TYPE_GRAY, 4, true}, PngCase{"Grey8", PNG_COLOR_TYPE_GRAY, 8, false},
                      PngCase{"Grey16", PNG_COLOR_TYPE_GRAY, 16, true},
                      PngCase{"Palette1", PNG_COLOR_TYPE_PALETTE, 1, false},
                      PngCase{"Palette4", PNG_COLOR_TYPE_PALETTE, 4, false},
                      PngCase{"Palette8", PNG_COLOR_TYPE_PALETTE, 8, true},
                      PngCase{"Rgb8", PNG_COLOR_TYPE_RGB, 8, false}, PngCase{"Rgb16", PNG_COLOR_TYPE_RGB, 16, true},
                      PngCase{"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8, true},
                      PngCase{"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false},
                      PngCase{"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PngLoad, CompositesOverTheBackgroundChunk) {
  PngPicture picture;
  picture.width = 2;
  picture.height = 1;
  picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  picture.samples = {255, 0, 0, 255,  // opaque red
                  255, 0, 0, 0};   // fully transparent red
  picture.background = 0x0000FF;      // blue
  FrameImage image = FrameImage::LoadFromBytes(testing::EncodePng(picture), kNoKey, false);
  ASSERT_TRUE(image.usable());
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{0xFF0000, 0x0000FF}));
}

TEST(PngLoad, FailsCleanlyOnBrokenFiles) {
  PngPicture picture;
  picture.width = 4;
  picture.height = 4;
  picture.samples = RandomSamples(4 * 4 * 3, 5);
  const Bytes png = testing::EncodePng(picture);
  ASSERT_TRUE(ReadPng(png));
  EXPECT_EQ(LoadFrameImage(Bytes(png.begin(), png.begin() + 8), kNoKey, false).error, DecodeError::Truncated);
  const FrameImageLoad cut = LoadFrameImage(Bytes(png.begin(), png.end() - 20), kNoKey, false);
  EXPECT_FALSE(cut.image.usable());
  EXPECT_EQ(cut.error, DecodeError::Truncated);
  Bytes badCrc = png;
  badCrc[30] ^= 0xFF;  // inside the header chunk
  EXPECT_EQ(ReadPng(badCrc).error(), DecodeError::DamagedData);
}

// The header chunk of our encoder's files starts at byte 8: length, type,
// width, height (big-endian), five bytes, then its CRC.
void SetPngSize(Bytes& png, std::uint32_t width, std::uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

TEST(PngLoad, RefusesASizeItsDataCannotHoldBeforeAllocatingRows) {
  PngPicture picture;
  picture.width = 4;
  picture.height = 4;
  picture.samples = RandomSamples(4 * 4 * 3, 5);
  Bytes png = testing::EncodePng(picture);
  SetPngSize(png, 4, 4);
  ASSERT_TRUE(ReadPng(png)) << "the rewritten header is sound";
  SetPngSize(png, 4000, 4000);  // 48 MB of rows from some hundred bytes
  EXPECT_EQ(ReadPng(png).error(), DecodeError::Truncated);
  SetPngSize(png, 5000, 4000);
  EXPECT_EQ(ReadPng(png).error(), DecodeError::TooLarge);
}

TEST(LoadFromBytes, ReadsOtherPicturesAsOneOpaqueFrame) {
  const Bytes bmp = testing::EncodeBmpTrueColour(2, 1, {0x102030, 0x405060}, 24);
  FrameImage image = FrameImage::LoadFromBytes(bmp, kNoKey, true);
  ASSERT_EQ(image.frameCount(), 1);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{0x102030, 0x405060}));
  EXPECT_EQ(image.frames[0].keyColour, 0x302010u);  // the top-left pixel as 0x00BBGGRR
  EXPECT_EQ(image.frames[0].delay, 0);
  EXPECT_FALSE(FrameImage::LoadFromBytes(Bytes{}, kNoKey, false).usable());
  EXPECT_EQ(LoadFrameImage(Bytes{1, 2, 3, 4, 5, 6, 7}, kNoKey, false).error, DecodeError::UnknownFormat);
  Bytes compressed = bmp;
  compressed[30] = 1;
  EXPECT_EQ(LoadFrameImage(compressed, kNoKey, false).error, DecodeError::Unsupported) << "the service's reason";
}

// Draws each character as a 3 × 4 block: the left column in the text colour,
// the rest in a grey that stands for anti-aliased edges.
class BlockRenderer : public TextRenderer {
 public:
  LineSize Measure(std::string_view line) override { return {static_cast<int>(line.size()) * 3, 4}; }
  void Draw(std::string_view line, int x, int y, std::uint32_t colour, Bitmap& surface) override {
    lines.emplace_back(line);
    tops.push_back(y);
    for (std::size_t i = 0; i < line.size(); ++i) {
      for (int dy = 0; dy < 4; ++dy) {
        for (int dx = 0; dx < 3; ++dx) {
          surface.at(x + static_cast<int>(i) * 3 + dx, y + dy) = dx == 0 ? PixelFromColour(colour) : 0x808080;
        }
      }
    }
  }
  std::vector<std::string> lines;
  std::vector<int> tops;
};

TEST(LoadFromText, SplitsLinesTwoPixelsApartInTwoColours) {
  BlockRenderer renderer;
  FrameImage image = FrameImage::LoadFromText("ab\r\nc\n", renderer, 0x0000FF);
  ASSERT_TRUE(image.usable());
  EXPECT_EQ(renderer.lines, (std::vector<std::string>{"ab", "c"}));
  EXPECT_EQ(renderer.tops, (std::vector<int>{0, 6}));
  EXPECT_EQ(image.width, 6);
  EXPECT_EQ(image.height, 10);
  const ImageFrame& frame = image.frames[0];
  EXPECT_EQ(frame.keyColour, 0xFFFFFFu);
  EXPECT_EQ(frame.delay, 0);
  for (std::uint32_t pixel : frame.pixels) EXPECT_TRUE(pixel == 0xFFFFFF || pixel == 0xFF0000) << std::hex << pixel;
  EXPECT_EQ(frame.pixels[5 * 6 + 0], 0xFFFFFFu);  // the gap row
  EXPECT_EQ(frame.pixels[6 * 6 + 3], 0xFFFFFFu);  // right of the short line
  EXPECT_EQ(frame.pixels[6 * 6 + 1], 0xFF0000u);  // an "edge" pixel turned to text
}

TEST(LoadFromText, DrawsNothingBeyondTheCeiling) {
  // Lines that measure 5000 × 1000: four of them are 20 million pixels.
  class WideRenderer : public TextRenderer {
   public:
    LineSize Measure(std::string_view) override { return {5000, 1000}; }
    void Draw(std::string_view, int, int, std::uint32_t, Bitmap&) override { ++drawn; }
    int drawn = 0;
  } renderer;
  EXPECT_FALSE(FrameImage::LoadFromText("a\nb\nc\nd", renderer, 0).usable());
  EXPECT_EQ(renderer.drawn, 0) << "refused before a surface was made";
}

TEST(LoadFromText, DrawsWhiteTextOnABlackKey) {
  BlockRenderer renderer;
  FrameImage image = FrameImage::LoadFromText("x", renderer, 0xFFFFFF);
  ASSERT_TRUE(image.usable());
  EXPECT_EQ(image.frames[0].keyColour, 0u);
  EXPECT_EQ(image.frames[0].pixels[0], 0xFFFFFFu);
  EXPECT_FALSE(FrameImage::LoadFromText("", renderer, 0).usable());
}

}  // namespace
}  // namespace horavia::anim
