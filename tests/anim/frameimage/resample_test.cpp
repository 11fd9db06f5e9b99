#include "anim/frameimage/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "anim/picture/picture.h"
#include "test_images.h"

namespace horavia::anim {
namespace {

using testing::Image;

constexpr std::uint32_t kRed = 0x00FF0000;    // pixel 0xTTRRGGBB, opaque
constexpr std::uint32_t kWhiteKey = 0xFFFFFF;  // colour value and pixel alike

int Transparency(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }

FrameImage Filled(int width, int height, std::uint32_t pixel, std::uint32_t key = kNoKey) {
  return Image(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, pixel), key);
}

// A square of `inner` in the middle of a w × w picture of `outer`.
FrameImage Square(int width, std::uint32_t outer, std::uint32_t inner, std::uint32_t key) {
  FrameImage image = Filled(width, width, outer, key);
  for (int y = width / 4; y < width * 3 / 4; ++y)
    for (int x = width / 4; x < width * 3 / 4; ++x) image.frames[0].pixels[y * width + x] = inner;
  return image;
}

TEST(ResampleSize, SidesAreScaledAndRoundedWithinTheAcceptedScalesAndTheCeiling) {
  EXPECT_EQ(ResampledSize({300, 300}, 1, 150), (ImageSize{450, 450}));
  EXPECT_EQ(ResampledSize({65, 3}, 1, 50), (ImageSize{33, 2}));  // halves round up
  EXPECT_EQ(ResampledSize({1, 1}, 1, 10), (ImageSize{1, 1}));    // never below one pixel
  EXPECT_FALSE(ResampledSize({300, 300}, 1, kMinDisplayPercent - 1));
  EXPECT_FALSE(ResampledSize({300, 300}, 1, kMaxDisplayPercent + 1));
  EXPECT_FALSE(ResampledSize({4096, 4096}, 1, 200));  // beyond the ceiling
  EXPECT_FALSE(ResampledSize({1024, 1024}, 8, 200));  // all frames together too
  EXPECT_FALSE(Resample(Filled(4096, 4096, kRed), 200));
}

// The weights of every output pixel sum to one, growing or shrinking.
TEST(Resample, AnEvenColourStaysExactlyThatColourAtEveryScale) {
  for (int percent : {50, 75, 100, 133, 200, 400}) {
    const std::optional<FrameImage> out = Resample(Filled(30, 20, 0x00336699), percent);
    ASSERT_TRUE(out) << percent;
    for (std::uint32_t p : out->frames[0].pixels) ASSERT_EQ(p, 0x00336699u) << percent;
  }
}

// Keyed and transparent pixels lend no colour: the edge of a red square on a
// white key grows partly transparent, never pink.
TEST(Resample, KeyedSurroundingsBecomeTransparencyWithoutFringes) {
  for (int percent : {50, 150, 200}) {
    const std::optional<FrameImage> out = Resample(Square(40, 0x00FFFFFF, kRed, kWhiteKey), percent);
    ASSERT_TRUE(out) << percent;
    EXPECT_EQ(out->frames[0].keyColour, kNoKey);
    int partial = 0;
    for (std::uint32_t p : out->frames[0].pixels) {
      if (p == kEmptyPixel) continue;
      EXPECT_EQ(p & 0x00FFFFFF, kRed) << std::hex << p << " at " << std::dec << percent;
      if (Transparency(p) != 0) ++partial;
    }
    EXPECT_GT(partial, 0) << "the edge is smoothed at " << percent;
    const int side = out->width;
    EXPECT_EQ(out->frames[0].pixels[0], kEmptyPixel);
    EXPECT_EQ(out->frames[0].pixels[(side / 2) * side + side / 2], kRed);
  }
}

// Shrinking averages: fine stripes become their mean, not every other
// stripe as picking the nearest pixel would give.
TEST(Resample, ShrinkingAveragesInsteadOfDroppingRows) {
  FrameImage stripes = Filled(40, 40, 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) stripes.frames[0].pixels[y * 40 + x] = (x % 2 == 0) ? 0x00FFFFFF : 0x00000000;
  const std::optional<FrameImage> out = Resample(stripes, 50);
  ASSERT_TRUE(out);
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 18; ++x) EXPECT_NEAR(static_cast<int>(out->frames[0].pixels[y * 20 + x] & 0xFF), 128, 3);
}

TEST(Resample, EveryFrameIsResampledAndKeepsItsDelay) {
  FrameImage image = testing::Frames(8, 8, 3);
  image.frames[1].keyColour = 0x000000;
  const std::optional<FrameImage> out = Resample(image, 200);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->width, 16);
  ASSERT_EQ(out->frameCount(), 3);
  for (const ImageFrame& frame : out->frames) {
    EXPECT_EQ(frame.delay, 10);
    EXPECT_EQ(frame.keyColour, kNoKey);
    EXPECT_EQ(frame.pixels.size(), 256u);
  }
  EXPECT_TRUE(Equal(*Resample(image, 100), image));
  EXPECT_FALSE(Resample(FrameImage{}, 200));
}

// Edges scale by one rule, so runs that met still meet and none overlap:
// the area is the scaled area exactly.
TEST(ScaledRegion, RowsOfAnOutlineStillTileWithoutGapsOrOverlaps) {
  Region rows;
  for (int y = 0; y < 10; ++y) rows.unite({{0, y, 7, y + 1}, {7, y, 10, y + 1}});
  for (auto [percent, side] : {std::pair{200, 20}, {150, 15}, {50, 5}, {100, 10}}) {
    const Region scaled = ScaledRegion(rows, percent);
    long area = 0;
    for (const RegionRect& r : scaled.rects) area += long{r.right - r.left} * (r.bottom - r.top);
    EXPECT_EQ(area, long{side} * side) << percent;
    EXPECT_TRUE(scaled.contains(side - 1, side - 1)) << percent;
    EXPECT_FALSE(scaled.contains(side, 0)) << percent;
  }
  EXPECT_TRUE(ScaledRegion(rows, 0).empty());
}

}  // namespace
}  // namespace horavia::anim
