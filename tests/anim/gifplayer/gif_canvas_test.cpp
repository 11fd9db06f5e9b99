// The GIF player's canvas: what each composed image leaves on the logical
// screen.
#include "anim/gifplayer/gif_canvas.h"

#include <gtest/gtest.h>

#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::EncodeGif;
using testing::GifFile;
using testing::GifFrame;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr std::uint32_t kBackground = 0x123456;  // the player's fill, as a pixel

// A frame of one palette index over its whole rectangle.
GifFrame Solid(int left, int top, int width, int height, std::uint8_t index, int disposal = 0, int delay = 0) {
  GifFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.indices.assign(static_cast<std::size_t>(width) * height, index);
  f.disposalMethod = disposal;
  f.delayHundredths = delay;
  return f;
}

// Palette: 0 red, 1 green, 2 blue, 3 white.
GifFile Screen(int width, int height, std::vector<GifFrame> frames) {
  GifFile file;
  file.screenWidth = width;
  file.screenHeight = height;
  file.globalTable = {kRed, kGreen, kBlue, kWhite};
  file.minimumCodeSize = 2;
  file.frames = std::move(frames);
  return file;
}

std::vector<std::uint32_t> Row(const GifCanvas& c, int y) {
  std::vector<std::uint32_t> row;
  for (int x = 0; x < c.width(); ++x) row.push_back(c.canvas().at(x, y));
  return row;
}

TEST(GifCanvas, ASingleImageIsComposedAtOnceAndNeverAnimates) {
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(Screen(3, 1, {Solid(1, 0, 2, 1, 1)})), kBackground));
  EXPECT_TRUE(c.singleImage());
  ASSERT_TRUE(c.hasPicture());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kBackground, kGreen, kGreen}));
}

TEST(GifCanvas, AnAnimationStartsEmptyComposesEachImageInTurnAndLoops) {
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(Screen(2, 1, {Solid(0, 0, 2, 1, 0), Solid(0, 0, 2, 1, 2)})), kBackground));
  EXPECT_FALSE(c.singleImage());
  EXPECT_FALSE(c.hasPicture());  // the worker draws the first image
  for (std::uint32_t expected : {kRed, kBlue, kRed, kBlue}) {
    ASSERT_TRUE(c.composeNext());
    EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{expected, expected}));
  }
}

TEST(GifCanvas, AnImageWithoutDelayStaysFiftyMilliseconds) {
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(Screen(1, 1, {Solid(0, 0, 1, 1, 0, 0, 0), Solid(0, 0, 1, 1, 1, 0, 7)})), 0));
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(c.delayMs(), 50u);
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(c.delayMs(), 70u);
}

TEST(GifCanvas, TransparentPixelsShowTheBackgroundThenEarlierImages) {
  GifFrame first = Solid(0, 0, 3, 1, 0);
  first.indices = {3, 0, 3};  // white is transparent: red in the middle only
  first.transparentIndex = 3;
  GifFrame second = Solid(0, 0, 3, 1, 3);
  second.indices = {1, 3, 3};  // green at the left, the rest transparent
  second.transparentIndex = 3;
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(Screen(3, 1, {first, second})), kBackground));
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kBackground, kRed, kBackground}));
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kGreen, kRed, kBackground}));
}

// Disposal 2 and 3 both put back what the area held before the image.
class GifDisposal : public ::testing::TestWithParam<int> {};

TEST_P(GifDisposal, RestoresTheAreaBeforeTheNextImage) {
  const GifFile file = Screen(2, 1, {Solid(0, 0, 2, 1, 0), Solid(0, 0, 1, 1, 1, GetParam()), Solid(1, 0, 1, 1, 2)});
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(file), kBackground));
  ASSERT_TRUE(c.composeNext());
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kGreen, kRed}));
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kRed, kBlue}));
}

INSTANTIATE_TEST_SUITE_P(Methods, GifDisposal, ::testing::Values(2, 3), ::testing::PrintToStringParamName());

TEST(GifCanvas, KeptImagesStayAndImagesPastTheScreenAreClipped) {
  const GifFile file = Screen(2, 2, {Solid(0, 0, 2, 2, 0, 1), Solid(1, 1, 5, 5, 1), Solid(0, 0, 1, 1, 2)});
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(file), kBackground));
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kBlue, kRed}));
  EXPECT_EQ(Row(c, 1), (std::vector<std::uint32_t>{kRed, kGreen}));
}

TEST(GifCanvas, ARewindStartsAgainFromTheFirstImageOverWhatIsShown) {
  GifCanvas c;
  ASSERT_TRUE(c.open(EncodeGif(Screen(2, 1, {Solid(0, 0, 2, 1, 0), Solid(0, 0, 1, 1, 2), Solid(0, 0, 1, 1, 1)})),
                     kBackground));
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(c.composeNext());
  c.rewind();
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kRed, kRed}));
}

TEST(GifCanvas, DataThatIsNoGifOrBreaksOffFailsCleanly) {
  GifCanvas c;
  EXPECT_FALSE(c.open(std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a'}, 0));
  EXPECT_FALSE(c.hasPicture());
  EXPECT_FALSE(c.composeNext());

  // An animation cut inside its second image still plays its first.
  std::vector<std::uint8_t> bytes = EncodeGif(Screen(2, 1, {Solid(0, 0, 2, 1, 0), Solid(0, 0, 2, 1, 1)}));
  bytes.resize(bytes.size() - 6);
  ASSERT_TRUE(c.open(bytes, kBackground));
  EXPECT_FALSE(c.singleImage());
  ASSERT_TRUE(c.composeNext());
  EXPECT_EQ(Row(c, 0), (std::vector<std::uint32_t>{kRed, kRed}));
}

}  // namespace
}  // namespace horavia::anim
