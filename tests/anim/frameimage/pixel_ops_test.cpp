#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/bitmap.h"
#include "anim/picture/pixel_size.h"
#include "tests/anim/frameimage/test_images.h"

namespace horavia::anim {
namespace {

using testing::Frames;
using testing::Image;
using testing::Numbered;

TEST(Flip, MirrorsTurnsOrBoth) {
  FrameImage image = Numbered();
  Flip(image, 1);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{3, 2, 1, 6, 5, 4}));
  image = Numbered();
  Flip(image, 2);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{4, 5, 6, 1, 2, 3}));
  image = Numbered();
  Flip(image, 3);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{6, 5, 4, 3, 2, 1}));
  image = Numbered();
  Flip(image, 4);
  EXPECT_EQ(image.frames[0].pixels, Numbered().frames[0].pixels);
}

TEST(Scale, ShrinksThenGrowsInTwoPassesAndDropsKeys) {
  // 4 × 2: halving the width keeps columns 0 and 2; doubling the height
  // repeats each row.
  FrameImage image = Image(4, 2, {1, 2, 3, 4, 5, 6, 7, 8}, 0x000001);
  Scale(image, 500, 2000);
  ASSERT_EQ(image.width, 2);
  ASSERT_EQ(image.height, 4);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{1, 3, 1, 3, 5, 7, 5, 7}));
  EXPECT_EQ(image.frames[0].keyColour, kNoKey);
}

TEST(Scale, RoundsSizesLikeMulDivAndSteps88) {
  FrameImage image = Image(3, 1, {1, 2, 3});
  Scale(image, 1500, 1000);  // MulDiv(3, 1500, 1000) = 4.5 -> 5
  ASSERT_EQ(image.width, 5);
  // step = trunc(3 / 5 × 256) = 153: columns 0, 0, 1, 1, 2
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{1, 1, 2, 2, 3}));
}

TEST(Scale, DoesNothingOrEmpties) {
  FrameImage image = Numbered();
  image.frames[0].keyColour = 5;
  Scale(image, 1000, 1000);
  Scale(image, 0, 500);
  EXPECT_TRUE(Equal(image, Image(3, 2, {1, 2, 3, 4, 5, 6}, 5)));
  Scale(image, 100, 1000);  // width 0.3 -> 0
  EXPECT_FALSE(image.usable());
}

// [ceiling] -----------------------------------------------------------------------

TEST(Scale, SizesFromTheSizesAloneMatchWhatScalingGives) {
  const std::pair<int, int> zooms[] = {{1000, 1000}, {500, 2000}, {2000, 500}, {1500, 1500}, {1, 1000},
                                       {0, 3000},    {999, 1001}, {333, 3000}, {3000, 333}};
  for (const auto& [zx, zy] : zooms) {
    FrameImage image = Frames(7, 5, 2);
    Scale(image, zx, zy);
    const auto planned = ScaledSize({7, 5}, 2, zx, zy);
    ASSERT_EQ(image.usable(), planned.has_value()) << zx << " " << zy;
    if (planned) {
      EXPECT_EQ(*planned, (ImageSize{image.width, image.height})) << zx << " " << zy;
    }
  }
}

TEST(Scale, EmptiesAnImageScaledBeyondTheCeiling) {
  // 10 × 10 by 300: 3000 × 3000 is 9 million pixels; two frames 18 million.
  EXPECT_EQ(ScaledSize({10, 10}, 1, 300000, 300000), (ImageSize{3000, 3000}));
  EXPECT_FALSE(ScaledSize({10, 10}, 2, 300000, 300000));
  FrameImage two = Frames(10, 10, 2);
  Scale(two, 300000, 300000);
  EXPECT_FALSE(two.usable());
  // Two passes: 10 × 2000 grown to 16000 wide before it shrinks to 20 rows
  // would pass the ceiling in between, so it fails although the end fits.
  EXPECT_FALSE(ScaledSize({10, 2000}, 1, 1600000, 10));
  FrameImage tall = Frames(10, 2000, 1);
  Scale(tall, 1600000, 10);
  EXPECT_FALSE(tall.usable());
  // MulDiv's overflow counts as too large, not as a wrapped size.
  EXPECT_FALSE(ScaledSize({16384, 1}, 1, 2147483647, 1000));
}

// [colour] -------------------------------------------------------------------------

TEST(Tint, DepthAboveHundredTurnsEveryNonKeyPixelIntoTheColour) {
  FrameImage image = Image(2, 1, {0x12345678, 0x00FF0000}, 0x0000FF);  // key: red
  Tint(image, 0x00AA5533, 150);
  // Fourth byte kept; the red key pixel untouched.
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{0x123355AA, 0x00FF0000}));
}

TEST(Tint, MovesPartWay) {
  FrameImage image = Image(1, 1, {0x000000});
  Tint(image, 0xFFFFFF, 50);  // MulDiv(255, 50, 100) = 127.5 -> 128
  EXPECT_EQ(image.frames[0].pixels[0], 0x808080u);
}

// Every channel value of every channel, against the rule written out: the
// table both operations walk through gives the rule's value for each.
TEST(Tint, FollowsMulDivOnEveryChannelValue) {
  std::vector<std::uint32_t> pixels;
  for (std::uint32_t v = 0; v < 256; ++v) pixels.push_back(0x5A000000 | v << 16 | (255 - v) << 8 | (v * 7 & 0xFF));
  FrameImage image = Image(256, 1, pixels);
  Tint(image, 0x00336699, 37);  // blue 0x33, green 0x66, red 0x99
  const int target[3] = {0x33, 0x66, 0x99};
  for (int x = 0; x < 256; ++x) {
    for (int channel = 0; channel < 3; ++channel) {
      const int v = static_cast<int>(pixels[x] >> (8 * channel) & 0xFF);
      ASSERT_EQ(static_cast<int>(image.frames[0].pixels[x] >> (8 * channel) & 0xFF),
                v + MulDiv(target[channel] - v, 37, 100))
          << "value " << v << " channel " << channel;
    }
    ASSERT_EQ(image.frames[0].pixels[x] >> 24, 0x5Au) << "the fourth byte is kept";
  }
}

TEST(Brighten, FollowsMulDivOnEveryChannelValue) {
  for (int percent : {-63, 41, 250}) {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t v = 0; v < 256; ++v) pixels.push_back(v << 16 | (255 - v) << 8 | v);
    FrameImage image = Image(256, 1, pixels, 0x00FF00);  // the key: green, the pixel at x = 0
    Brighten(image, percent);
    EXPECT_EQ(image.frames[0].pixels[0], pixels[0]) << "the key pixel is left";
    for (int x = 1; x < 256; ++x) {
      for (int channel = 0; channel < 3; ++channel) {
        const int v = static_cast<int>(pixels[x] >> (8 * channel) & 0xFF);
        ASSERT_EQ(static_cast<int>(image.frames[0].pixels[x] >> (8 * channel) & 0xFF),
                  std::clamp(v + MulDiv(v, percent, 100), 0, 255))
            << "value " << v << " at " << percent << "%";
      }
    }
  }
}

TEST(Brighten, ClampsAndDarkens) {
  FrameImage image = Image(2, 1, {0x00804020, 0x00FFFFFF});
  Brighten(image, 100);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{0x00FF8040, 0x00FFFFFF}));
  Brighten(image, -50);
  // MulDiv(255, -50, 100) = -127.5 -> -128
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{0x007F4020, 0x007F7F7F}));
  Brighten(image, -2000000000);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{0, 0}));
}

struct Canvas {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  PixelView view() { return {pixels.data(), width, height}; }
};

TEST(BlendFrame, ClipsANegativeOriginIntoTheSource) {
  Canvas canvas{3, 1, {0, 0, 0}};
  const std::vector<std::uint32_t> source = {1, 2, 3};
  BlendFrame(canvas.view(), {source.data(), 3, 1}, {.destinationX = -1, .width = 3, .height = 1}, 0, kNoKey);
  EXPECT_EQ(canvas.pixels, (std::vector<std::uint32_t>{2, 3, 0}));
}

TEST(BlendFrame, LimitsToTheDestinationAndRefusesOutsideSources) {
  Canvas canvas{3, 1, {0, 0, 0}};
  const std::vector<std::uint32_t> source = {1, 2, 3};
  BlendFrame(canvas.view(), {source.data(), 3, 1}, {.destinationX = 2, .width = 3, .height = 1}, 0, kNoKey);
  EXPECT_EQ(canvas.pixels, (std::vector<std::uint32_t>{0, 0, 1}));
  Canvas untouched{3, 1, {0, 0, 0}};
  BlendFrame(untouched.view(), {source.data(), 3, 1}, {.sourceX = 1, .width = 3, .height = 1}, 0, kNoKey);
  BlendFrame(untouched.view(), {source.data(), 3, 1}, {.sourceX = -1, .width = 1, .height = 1}, 0, kNoKey);
  BlendFrame(untouched.view(), {source.data(), 3, 1}, {.destinationX = 5, .width = 1, .height = 1}, 0, kNoKey);
  EXPECT_EQ(untouched.pixels, (std::vector<std::uint32_t>{0, 0, 0}));
}

TEST(BlendFrame, AppliesKeyTransparencyAndFade) {
  Canvas canvas{4, 1, {0x00000000, 0x00000000, 0x00000000, 0x00000000}};
  const std::vector<std::uint32_t> source = {
      0x000000FF,  // blue, the key -> skipped
      0x7F00FF00,  // green, half transparent
      0xFF00FF00,  // fully transparent
      0x00FFFFFF,  // opaque white
  };
  BlendFrame(canvas.view(), {source.data(), 4, 1}, {.width = 4, .height = 1}, 0, 0xFF0000);
  // 255 - 127 = 128 of 255: MulDiv(255, 128, 255) = 128.
  EXPECT_EQ(canvas.pixels, (std::vector<std::uint32_t>{0, 0x00008000, 0, 0x00FFFFFF}));

  Canvas faded{1, 1, {0x55000000}};
  const std::vector<std::uint32_t> white = {0x00FFFFFF};
  BlendFrame(faded.view(), {white.data(), 1, 1}, {.width = 1, .height = 1}, 20, kNoKey);
  // t = MulDiv(20, 255, 100) = 51; weight 204: MulDiv(255, 204, 255) = 204.
  // The destination keeps its fourth byte.
  EXPECT_EQ(faded.pixels[0], 0x55CCCCCCu);
}

TEST(BlendFrame, MovesEachChannelByTheRoundedMulDiv) {
  // Every transparency against every pair of channel values, checked with
  // MulDiv itself.
  for (int transparency = 1; transparency < 255; transparency += 7) {
    std::vector<std::uint32_t> source, destination;
    for (int s = 0; s < 256; ++s) {
      for (int d = 0; d < 256; ++d) {
        source.push_back(static_cast<std::uint32_t>(transparency) << 24 | static_cast<std::uint32_t>(s));
        destination.push_back(0x7F000000u | static_cast<std::uint32_t>(d) << 8);
      }
    }
    BlendFrame({destination.data(), 256, 256}, {source.data(), 256, 256}, {.width = 256, .height = 256}, 0, kNoKey);
    for (int s = 0; s < 256; ++s) {
      for (int d = 0; d < 256; ++d) {
        const std::uint32_t have = destination[s * 256 + d];
        const int weight = 255 - transparency;
        ASSERT_EQ(have & 0xFF, static_cast<std::uint32_t>(MulDiv(s, weight, 255))) << s << " over 0, " << transparency;
        ASSERT_EQ(have >> 8 & 0xFF, static_cast<std::uint32_t>(d + MulDiv(-d, weight, 255))) << "0 over " << d;
        ASSERT_EQ(have >> 24, 0x7Fu);
      }
    }
  }
}

// The blend of one pixel as the rule states it, channel by channel with
// MulDiv: the reference every vector path must meet.
std::uint32_t BlendByTheRule(std::uint32_t s, std::uint32_t d, int transparencyPercent, std::uint32_t key) {
  if (key != kNoKey && (s & 0x00FFFFFF) == PixelFromColour(key)) return d;
  const int o = MulDiv(transparencyPercent, 255, 100) + static_cast<int>(s >> 24);
  if (o <= 0) return s;
  if (o >= 255) return d;
  std::uint32_t out = d & 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8) {
    const int sc = static_cast<int>(s >> shift & 0xFF);
    const int dc = static_cast<int>(d >> shift & 0xFF);
    out |= static_cast<std::uint32_t>(dc + MulDiv(sc - dc, 255 - o, 255)) << shift;
  }
  return out;
}

TEST(BlendFrame, EveryRowWidthMatchesTheRuleWithKeysAndFades) {
  std::mt19937 random(3);
  const std::uint32_t fourths[] = {0x00, 0xFF, 0x01, 0xFE, 0x80};
  for (int width = 1; width <= 41; ++width) {
    for (int fade : {0, 20, -30, 100}) {
      std::vector<std::uint32_t> source(static_cast<std::size_t>(width) * 3), destination(source.size());
      for (std::size_t i = 0; i < source.size(); ++i) {
        // Runs of one kind now and then, so the eight-of-a-kind shortcuts run too.
        const std::uint32_t fourth = i / 8 % 3 == 0 ? 0 : (random() % 2 ? fourths[random() % 5] : random() & 0xFF);
        source[i] = fourth << 24 | (random() & 0x00FFFFFF);
        destination[i] = static_cast<std::uint32_t>(random());
      }
      const std::uint32_t key = width % 2 ? PixelColour(source[1]) : kNoKey;
      std::vector<std::uint32_t> want(destination.size());
      for (std::size_t i = 0; i < want.size(); ++i) want[i] = BlendByTheRule(source[i], destination[i], fade, key);
      BlendFrame({destination.data(), width, 3}, {source.data(), width, 3}, {.width = width, .height = 3}, fade, key);
      ASSERT_EQ(destination, want) << "width " << width << " fade " << fade;
    }
  }
}

TEST(CopyRect, CopiesWholePixelsWithTheSameClipping) {
  Canvas canvas{2, 2, {0, 0, 0, 0}};
  const std::vector<std::uint32_t> source = {0xFF000001, 2, 3, 4};
  CopyRect(canvas.view(), {source.data(), 2, 2}, {.destinationX = 1, .destinationY = -1, .width = 2, .height = 2});
  EXPECT_EQ(canvas.pixels, (std::vector<std::uint32_t>{0, 3, 0, 0}));
}

TEST(HitTest, NeedsAVisibleNonKeyPixelInsideTheImage) {
  FrameImage image = Image(3, 1, {0x00112233, 0xFF112233, 0x00FF0000}, 0x0000FF);
  EXPECT_TRUE(HitTest(image, 10, 20, 0, 10, 20));
  EXPECT_FALSE(HitTest(image, 10, 20, 0, 11, 20)) << "fully transparent";
  EXPECT_FALSE(HitTest(image, 10, 20, 0, 12, 20)) << "key colour";
  EXPECT_FALSE(HitTest(image, 10, 20, 0, 13, 20)) << "right of the image";
  EXPECT_FALSE(HitTest(image, 10, 20, 0, 10, 19)) << "above the image";
  EXPECT_FALSE(HitTest(image, 10, 20, 1, 10, 20)) << "no such frame";
}

TEST(HitMask, FindsWhatHitTestFindsAtEveryPixel) {
  FrameImage image = Image(3, 2, {0x00112233, 0xFF112233, 0x00FF0000, 0xFE000001, 0x00FF0000, 0}, 0x0000FF);
  image.frames.push_back({kNoKey, 0, {0xFF000000, 0, 0, 0, 0, 0xFFFFFFFF}});
  for (int frame = 0; frame < 2; ++frame) {
    const std::vector<bool> mask = HitMask(image, frame);
    ASSERT_EQ(mask.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(mask[i], HitTest(image, 0, 0, frame, i % 3, i / 3)) << frame << ": " << i;
  }
  EXPECT_TRUE(HitMask(image, 2).empty());
  EXPECT_TRUE(HitMask(FrameImage{}, 0).empty());
}

TEST(ShownArea, BoundsThePixelsThatDrawOverAllFrames) {
  constexpr std::uint32_t kClear = 0xFF00FF00;  // fully transparent
  constexpr std::uint32_t kKeyed = 0x000000FF;  // blue, the key 0xFF0000 in colour order
  constexpr std::uint32_t kRed = 0x00FF0000;
  // 4 × 3; frame 0 shows (1,2) only, frame 1 shows (3,0) only.
  FrameImage image = Image(4, 3,
                           {kClear, kKeyed, kKeyed, kClear,  //
                            kKeyed, kClear, kClear, kKeyed,  //
                            kClear, kRed, kKeyed, kClear},
                           0xFF0000);
  EXPECT_EQ(ShownArea(image), (ImageArea{1, 2, 1, 1}));
  image.frames.push_back({kNoKey, 100, std::vector<std::uint32_t>(12, kClear)});
  image.frames[1].pixels[3] = 0xFE000000;  // nearly transparent still draws
  image.frames[1].pixels[8] = kRed;
  EXPECT_EQ(ShownArea(image), (ImageArea{0, 0, 4, 3}));

  EXPECT_EQ(ShownArea(Image(2, 1, {kClear, 0xFFFFFFFF})), ImageArea{}) << "nothing draws";
  EXPECT_EQ(ShownArea(Image(2, 1, {kRed, kRed}, 0xFF0000 ^ 0xFFFFFF)), (ImageArea{0, 0, 2, 1}));
  EXPECT_EQ(ShownArea(FrameImage{}), ImageArea{});
}

// Sparse pictures of widths around the four-pixel steps, a few pixels
// showing among transparent and keyed ones in one or two frames: the area
// is exactly the bounds of the pixels HitTest finds in any frame.
TEST(ShownArea, IsTheBoundsOfEveryPixelThatHitsWhereverTheyLie) {
  std::mt19937 random(5);
  for (int round = 0; round < 400; ++round) {
    const int width = 1 + static_cast<int>(random() % 19);
    const int height = 1 + static_cast<int>(random() % 9);
    const std::uint32_t key = round % 2 ? 0x0000FF : kNoKey;
    const std::uint32_t hidden[] = {0xFF00FF00, 0xFF000000, key == kNoKey ? 0xFFFFFFFF : 0x00FF0000};
    FrameImage image = Image(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height), key);
    if (round % 3 == 0) image.frames.push_back({kNoKey, 0, image.frames[0].pixels});
    int left = width, top = height, right = 0, bottom = 0;
    for (int f = 0; f < image.frameCount(); ++f) {
      for (std::uint32_t& pixel : image.frames[f].pixels) pixel = hidden[random() % 3];
      const int showing = static_cast<int>(random() % 4);
      for (int i = 0; i < showing; ++i) image.frames[f].pixels[random() % image.frames[f].pixels.size()] = 0x00123456;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          if (!HitTest(image, 0, 0, f, x, y)) continue;
          left = std::min(left, x);
          right = std::max(right, x + 1);
          top = std::min(top, y);
          bottom = std::max(bottom, y + 1);
        }
      }
    }
    const ImageArea expected = left < right ? ImageArea{left, top, right - left, bottom - top} : ImageArea{};
    ASSERT_EQ(ShownArea(image), expected) << "round " << round << ", " << width << " x " << height;
  }
}

TEST(Equal, ComparesKeysDelaysAndPixels) {
  FrameImage a = Numbered();
  EXPECT_TRUE(Equal(a, Numbered()));
  FrameImage b = Numbered();
  b.frames[0].delay = 1;
  EXPECT_FALSE(Equal(a, b));
  b = Numbered();
  b.frames[0].keyColour = 0;
  EXPECT_FALSE(Equal(a, b));
  b = Numbered();
  b.frames[0].pixels[5] = 7;
  EXPECT_FALSE(Equal(a, b));
  EXPECT_FALSE(Equal(a, Image(2, 3, {1, 2, 3, 4, 5, 6})));
}

TEST(MulDiv, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(3, 1500, 1000), 5);
  EXPECT_EQ(MulDiv(-3, 1500, 1000), -5);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

}  // namespace
}  // namespace horavia::anim
