// Turns: quarter turns and the general turn against their formulas, sizes
// from sizes alone, the ceiling, and parts of turned pictures turned alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/pixel_size.h"
#include "tests/anim/frameimage/test_images.h"

namespace horavia::anim {
namespace {

using testing::Frames;
using testing::Image;
using testing::Numbered;

// [whole turns] --------------------------------------------------------------------

TEST(Rotate, QuarterTurnOfTwoByOnePutsTheLeftPixelOnTop) {
  auto turned = Rotate(Image(2, 1, {0xAA, 0xBB}), 90);
  ASSERT_TRUE(turned);
  EXPECT_EQ(turned->width, 1);
  EXPECT_EQ(turned->height, 2);
  EXPECT_EQ(turned->frames[0].pixels, (std::vector<std::uint32_t>{0xAA, 0xBB}));
}

TEST(Rotate, QuarterTurnsMatchTheirFormulaAtEverySmallSize) {
  // Sizes around the 4 × 4 blocks the turns work in.
  for (int w = 1; w <= 9; ++w) {
    for (int h = 1; h <= 9; ++h) {
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
      for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint32_t>(i + 1);
      const FrameImage image = Image(w, h, pixels);
      auto clockwise = Rotate(image, 90);
      auto back = Rotate(image, 270);
      auto half = Rotate(image, 180);
      ASSERT_TRUE(clockwise && back && half);
      EXPECT_TRUE(Equal(*Rotate(image, -90), *back));
      for (int y = 0; y < w; ++y) {
        for (int x = 0; x < h; ++x) {
          ASSERT_EQ(clockwise->frames[0].pixels[y * h + x], pixels[(h - 1 - x) * w + y]) << w << "x" << h;
          ASSERT_EQ(back->frames[0].pixels[y * h + x], pixels[x * w + (w - 1 - y)]) << w << "x" << h;
        }
      }
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(half->frames[0].pixels[y * w + x], pixels[(h - 1 - y) * w + (w - 1 - x)]);
    }
  }
}

TEST(Rotate, WholeTurnsCopyExactly) {
  FrameImage image = Numbered();
  image.frames[0].keyColour = 0x123456;
  image.frames[0].delay = 70;
  for (double angle : {0.0, 360.0, -360.0, 720.0}) {
    auto turned = Rotate(image, angle);
    ASSERT_TRUE(turned) << angle;
    EXPECT_TRUE(Equal(*turned, image)) << angle;
  }
}

TEST(Rotate, FortyFiveDegreesGrowsWithEmptyCorners) {
  FrameImage image = Image(10, 10, std::vector<std::uint32_t>(100, 0x00FF00));
  auto turned = Rotate(image, 45);
  ASSERT_TRUE(turned);
  // ceil(10·cos 45° + 10·sin 45°) = ceil(14.142…)
  EXPECT_EQ(turned->width, 15);
  EXPECT_EQ(turned->height, 15);
  const auto& p = turned->frames[0].pixels;
  EXPECT_EQ(p[0], kEmptyPixel);
  EXPECT_EQ(p[14], kEmptyPixel);
  EXPECT_EQ(p[14 * 15], kEmptyPixel);
  EXPECT_EQ(p[14 * 15 + 14], kEmptyPixel);
  EXPECT_EQ(p[7 * 15 + 7], 0x00FF00u);
}

TEST(Rotate, FollowsTheTruncatedInverseMapping) {
  // Every destination pixel of a numbered picture turned by an odd angle is
  // the source pixel the inverse mapping names, or empty.
  for (double angle : {30.0, 7.0, 137.5, 200.0, 333.0}) {
    const int w = 11, h = 6;
    std::vector<std::uint32_t> pixels(w * h);
    for (int i = 0; i < w * h; ++i) pixels[i] = static_cast<std::uint32_t>(i);
    auto turned = Rotate(Image(w, h, pixels), angle);
    ASSERT_TRUE(turned);
    const double theta = angle * 0.017453292519444445, s = std::sin(theta), c = std::cos(theta);
    const double cornersX[4] = {0, w * c, -h * s, w * c - h * s};
    const double cornersY[4] = {0, w * s, h * c, w * s + h * c};
    const double minX = *std::min_element(cornersX, cornersX + 4), maxX = *std::max_element(cornersX, cornersX + 4);
    const double minY = *std::min_element(cornersY, cornersY + 4), maxY = *std::max_element(cornersY, cornersY + 4);
    ASSERT_EQ(turned->width, static_cast<int>(std::ceil(maxX - minX))) << angle;
    ASSERT_EQ(turned->height, static_cast<int>(std::ceil(maxY - minY))) << angle;
    for (int j = 0; j < turned->height; ++j) {
      for (int k = 0; k < turned->width; ++k) {
        const double x = k + minX, y = j + minY;
        const int sx = static_cast<int>(x * c + y * s), sy = static_cast<int>(y * c - x * s);
        const bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
        ASSERT_EQ(turned->frames[0].pixels[j * turned->width + k], inside ? pixels[sy * w + sx] : kEmptyPixel)
            << angle << "°: " << k << "," << j;
      }
    }
  }
}

TEST(Rotate, KeepsFramesKeysAndDelays) {
  FrameImage image = Numbered();
  image.frames.push_back({0x010203, 40, {7, 8, 9, 10, 11, 12}});
  auto turned = Rotate(image, 33);
  ASSERT_TRUE(turned);
  ASSERT_EQ(turned->frameCount(), 2);
  EXPECT_EQ(turned->frames[1].keyColour, 0x010203u);
  EXPECT_EQ(turned->frames[1].delay, 40);
  EXPECT_FALSE(Rotate(FrameImage{}, 10));
}

TEST(Rotate, SizesFromTheSizesAloneMatchWhatTheTurnGives) {
  for (const ImageSize size : {ImageSize{1, 1}, ImageSize{7, 3}, ImageSize{30, 10}, ImageSize{2, 41}}) {
    for (double angle : {0.0, 1.0, 33.0, 45.0, 90.0, 104.0, 180.0, 200.5, 270.0, -256.0, 359.0}) {
      const auto turned = Rotate(Frames(size.width, size.height, 2), angle);
      const auto planned = RotatedSize(size, 2, angle);
      ASSERT_EQ(turned.has_value(), planned.has_value()) << size.width << "x" << size.height << " at " << angle;
      if (turned) {
        EXPECT_EQ(*planned, (ImageSize{turned->width, turned->height})) << angle;
      }
    }
  }
}

TEST(Rotate, RefusesATurnBeyondTheCeilingOfAllItsFrames) {
  // A thin picture turned by 45° fills a square of about 2897 pixels a
  // side: one frame of it fits under 4096 × 4096, two do not.
  const auto one = RotatedSize({4096, 1}, 1, 45);
  ASSERT_TRUE(one);
  EXPECT_GT(std::int64_t{one->width} * one->height * 2, kMaxPicturePixels);
  EXPECT_FALSE(RotatedSize({4096, 1}, 2, 45));
  EXPECT_FALSE(Rotate(Frames(4096, 1, 2), 45)) << "refused before the turn allocates";
  EXPECT_FALSE(RotatedSize({4096, 1}, 1, std::nan("")));
}

// [parts] --------------------------------------------------------------------------

// The part of every frame of an image, copied out.
FrameImage Crop(const FrameImage& image, ImageArea part) {
  FrameImage out;
  out.width = part.width;
  out.height = part.height;
  for (const ImageFrame& frame : image.frames) {
    std::vector<std::uint32_t> pixels;
    for (int y = part.top; y < part.top + part.height; ++y) {
      const auto row = frame.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
      pixels.insert(pixels.end(), row + part.left, row + part.left + part.width);
    }
    out.frames.push_back({frame.keyColour, frame.delay, std::move(pixels)});
  }
  return out;
}

const double kAngles[] = {0, 6, 30, 45, 90, 137.5, 180, 200, 270, 333, 354, -84};

TEST(RotatePart, EqualsThatPartOfTheWholeTurnAtEveryAngle) {
  std::mt19937 random(7);
  for (const ImageSize size : {ImageSize{1, 1}, ImageSize{9, 5}, ImageSize{31, 40}, ImageSize{64, 3}}) {
    const FrameImage image = Frames(size.width, size.height, 2);
    for (double angle : kAngles) {
      const auto whole = Rotate(image, angle);
      ASSERT_TRUE(whole);
      for (int n = 0; n < 20; ++n) {
        const int left = static_cast<int>(random() % whole->width);
        const int top = static_cast<int>(random() % whole->height);
        const ImageArea part{left, top, 1 + static_cast<int>(random() % (whole->width - left)),
                             1 + static_cast<int>(random() % (whole->height - top))};
        const auto turned = RotatePart(image, angle, part);
        ASSERT_TRUE(turned) << angle;
        ASSERT_TRUE(Equal(*turned, Crop(*whole, part)))
            << size.width << "x" << size.height << " at " << angle << "°, part " << part.left << "," << part.top << " "
            << part.width << "x" << part.height;
      }
      EXPECT_TRUE(Equal(*RotatePart(image, angle, {0, 0, whole->width, whole->height}), *whole)) << angle;
    }
  }
}

TEST(RotatePart, RefusesPartsOutsideTheTurnedPicture) {
  const FrameImage image = Frames(10, 4, 1);
  const ImageSize turned = *RotatedSize({10, 4}, 1, 30);
  EXPECT_FALSE(RotatePart(image, 30, {0, 0, 0, 1}));
  EXPECT_FALSE(RotatePart(image, 30, {-1, 0, 2, 2}));
  EXPECT_FALSE(RotatePart(image, 30, {turned.width - 1, 0, 2, 1}));
  EXPECT_FALSE(RotatePart(image, 90, {0, 0, 5, 1})) << "4 wide once turned";
  EXPECT_FALSE(RotatePart(FrameImage{}, 30, {0, 0, 1, 1}));
  EXPECT_TRUE(RotatePart(image, 30, {turned.width - 1, turned.height - 1, 1, 1}));
}

// A thin hand and broader areas, on the source's edges too: inside `from`
// numbered opaque pixels, outside the key in frame 0 and fully transparent
// ones in frame 1. Turned with only `from` in view, every pixel that shows
// (the hit mask) is the one RotatePart gives, and nothing else shows.
TEST(RotateShownPart, ShowsAndHitsExactlyAsRotatePart) {
  constexpr std::uint32_t kKey = 0x00FFFFFF;  // white, frame 0's key
  std::mt19937 random(5);
  for (const ImageSize size : {ImageSize{9, 5}, ImageSize{40, 31}, ImageSize{120, 120}}) {
    for (double angle : kAngles) {
      for (int n = 0; n < 6; ++n) {
        const int left = n == 0 ? 0 : static_cast<int>(random() % size.width);
        const int top = n == 0 ? 0 : static_cast<int>(random() % size.height);
        const int width = n < 3 ? 1 + static_cast<int>(random() % std::min(3, size.width - left))
                                : 1 + static_cast<int>(random() % (size.width - left));
        const ImageArea from{left, top, width, 1 + static_cast<int>(random() % (size.height - top))};
        FrameImage image = Frames(size.width, size.height, 2);
        image.frames[0].keyColour = 0xFFFFFF;
        for (int y = 0; y < size.height; ++y) {
          for (int x = 0; x < size.width; ++x) {
            const bool inside = x >= from.left && x < from.left + from.width && y >= from.top && y < from.top + from.height;
            if (inside) continue;
            image.frames[0].pixels[static_cast<std::size_t>(y) * size.width + x] = kKey;
            image.frames[1].pixels[static_cast<std::size_t>(y) * size.width + x] = kEmptyPixel;
          }
        }
        const ImageArea shown = ShownArea(image);
        const ImageArea part = TurnedArea(size, 2, angle, shown);
        const auto theirs = RotatePart(image, angle, part);
        // The source whole, and trimmed to the part that shows.
        const auto crop = RotatePart(image, 0, shown);
        ASSERT_TRUE(crop);
        for (const auto& ours : {RotateShownPart(image, angle, part, shown),
                                 RotateShownPart(PicturePart{&*crop, size, shown}, angle, part)}) {
          ASSERT_TRUE(theirs && ours) << angle;
          ASSERT_EQ(ours->frameCount(), 2);
          for (int f = 0; f < 2; ++f) {
            const std::vector<bool> mask = HitMask(*theirs, f);
            ASSERT_EQ(HitMask(*ours, f), mask) << size.width << "x" << size.height << " at " << angle << "°, frame " << f;
            for (std::size_t i = 0; i < mask.size(); ++i) {
              if (mask[i]) {
                ASSERT_EQ(ours->frames[f].pixels[i], theirs->frames[f].pixels[i]) << angle << ": " << i;
              }
            }
          }
        }
      }
    }
  }
  EXPECT_FALSE(RotateShownPart(Frames(10, 4, 1), 30, {-1, 0, 2, 2}, {0, 0, 10, 4}));
  // A trimmed source whose pixels are not its part, or whose part leaves
  // the picture, turns into nothing rather than reading beyond its pixels.
  const FrameImage three = Frames(3, 2, 1);
  EXPECT_FALSE(RotateShownPart(PicturePart{&three, {10, 4}, {0, 0, 3, 3}}, 30, {0, 0, 2, 2}));
  EXPECT_FALSE(RotateShownPart(PicturePart{&three, {10, 4}, {8, 0, 3, 2}}, 30, {0, 0, 2, 2}));
  EXPECT_FALSE(RotateShownPart(PicturePart{nullptr, {10, 4}, {0, 0, 3, 2}}, 30, {0, 0, 2, 2}));
  EXPECT_TRUE(RotateShownPart(PicturePart{&three, {10, 4}, {7, 2, 3, 2}}, 30, {0, 0, 2, 2}));
}

// Source pixels inside `from` are marked (opaque, numbered), the rest empty:
// every marked pixel the whole turn shows must lie inside TurnedArea, and
// the area must not reach more than a pixel beyond them on either side.
TEST(TurnedArea, HoldsEveryPixelTakenFromTheArea) {
  std::mt19937 random(11);
  for (const ImageSize size : {ImageSize{1, 1}, ImageSize{12, 7}, ImageSize{60, 61}, ImageSize{300, 300}}) {
    for (double angle : kAngles) {
      for (int n = 0; n < 8; ++n) {
        const int left = static_cast<int>(random() % size.width);
        const int top = static_cast<int>(random() % size.height);
        const ImageArea from{left, top, 1 + static_cast<int>(random() % (size.width - left)),
                             1 + static_cast<int>(random() % std::min(size.height - top, 12))};
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * size.height, kEmptyPixel);
        for (int y = from.top; y < from.top + from.height; ++y)
          for (int x = from.left; x < from.left + from.width; ++x) pixels[y * size.width + x] = 1;
        const auto whole = Rotate(Image(size.width, size.height, pixels), angle);
        ASSERT_TRUE(whole);
        const ImageArea area = TurnedArea(size, 1, angle, from);
        const ImageArea marked = ShownArea(*whole);
        const auto label = [&] { return std::to_string(size.width) + "x" + std::to_string(size.height) + " at " + std::to_string(angle); };
        ASSERT_GE(marked.left, area.left) << label();
        ASSERT_GE(marked.top, area.top) << label();
        ASSERT_LE(marked.left + marked.width, area.left + area.width) << label();
        ASSERT_LE(marked.top + marked.height, area.top + area.height) << label();
        ASSERT_LE(area.left + area.width, whole->width) << label();
        ASSERT_LE(area.top + area.height, whole->height) << label();
        EXPECT_LE(area.width, marked.width + 2) << label();
        EXPECT_LE(area.height, marked.height + 2) << label();
      }
    }
  }
}

TEST(TurnedArea, QuarterTurnsAreExact) {
  const ImageArea from{2, 1, 3, 2};  // of a 7 × 4 source
  EXPECT_EQ(TurnedArea({7, 4}, 1, 0, from), from);
  EXPECT_EQ(TurnedArea({7, 4}, 1, 90, from), (ImageArea{1, 2, 2, 3}));
  EXPECT_EQ(TurnedArea({7, 4}, 1, 180, from), (ImageArea{2, 1, 3, 2}));
  EXPECT_EQ(TurnedArea({7, 4}, 1, 270, from), (ImageArea{1, 2, 2, 3}));
  EXPECT_EQ(TurnedArea({7, 4}, 1, -90, {0, 0, 1, 1}), (ImageArea{0, 6, 1, 1}));
  EXPECT_EQ(TurnedArea({7, 4}, 1, 30, {}), ImageArea{});
  EXPECT_EQ(TurnedArea({4096, 1}, 2, 45, {0, 0, 1, 1}), ImageArea{}) << "beyond the ceiling";
}

}  // namespace
}  // namespace horavia::anim
