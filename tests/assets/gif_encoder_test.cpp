// The generator's colour reduction and GIF writer: what it writes must come
// back through the program's own GIF loader with the colours, frames and
// delays it was given, and the transparent colours must stay exact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "anim/frameimage/frame_image.h"
#include "assets/gif_encoder.h"
#include "assets/quantize.h"

namespace horavia::assets {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// A frame's pixel as 0x00RRGGBB (the loader's transparency byte dropped).
std::uint32_t Rgb(std::uint32_t pixel) { return pixel & 0xFFFFFF; }

int ChannelError(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) {
    worst = std::max(worst, std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)));
  }
  return worst;
}

TEST(GifEncoder, FewColoursComeBackExactlyFrameByFrame) {
  // 8 × 6 frames over five colours; the third repeats the second, which is
  // stored as a one-pixel change but must keep its own delay.
  const std::uint32_t colours[] = {0x0B1733, 0xFF5A36, 0xECF3FF, 0x2F6FE0, 0xF4A93B};
  RgbPicture picture{8, 6, {}};
  for (int f = 0; f < 4; ++f) {
    RgbFrame frame;
    frame.delayMs = 40 + 30 * f;
    for (int i = 0; i < 48; ++i) frame.pixels.push_back(colours[(i + (f == 2 ? 1 : f)) % 5]);
    picture.frames.push_back(frame);
  }
  const std::vector<std::uint8_t> bytes = EncodeGif(picture, {});
  const anim::FrameImage image = anim::LoadGifFrames(bytes, anim::kNoKey, false).image;
  ASSERT_EQ(image.width, 8);
  ASSERT_EQ(image.height, 6);
  ASSERT_EQ(image.frameCount(), 4);
  for (int f = 0; f < 4; ++f) {
    SCOPED_TRACE("frame " + std::to_string(f));
    EXPECT_EQ(image.frames[f].delay, picture.frames[f].delayMs);
    for (int i = 0; i < 48; ++i) EXPECT_EQ(Rgb(image.frames[f].pixels[i]), picture.frames[f].pixels[i]) << i;
  }
}

TEST(GifEncoder, AStillPictureIsASingleFrame) {
  const RgbPicture picture{3, 2, {RgbFrame{{1, 2, 3, 4, 5, 6}, 0}}};
  const std::vector<std::uint8_t> bytes = EncodeGif(picture, {});
  ASSERT_GT(bytes.size(), 6u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");
  const anim::FrameImage image = anim::LoadGifFrames(bytes, anim::kNoKey, false).image;
  ASSERT_EQ(image.frameCount(), 1);
  EXPECT_EQ(Rgb(image.frames[0].pixels[5]), 6u);
}

// A soft gradient with thousands of colours, its left column pure white
// and a near-white column beside it: what a skin's edge looks like.
std::vector<std::uint32_t> GradientWithWhiteEdge(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (x == 0) {
        pixels.push_back(kWhite);
      } else if (x == 1) {
        pixels.push_back(0xFEFEFE - static_cast<std::uint32_t>(y % 3));
      } else {
        pixels.push_back(static_cast<std::uint32_t>(x * 255 / width) << 16 |
                         static_cast<std::uint32_t>(y * 255 / height) << 8 | static_cast<std::uint32_t>((x + y) % 256));
      }
    }
  }
  return pixels;
}

TEST(Quantize, ReservedWhiteKeepsItsEntryAndNothingElseTakesIt) {
  const std::vector<std::vector<std::uint32_t>> frames = {GradientWithWhiteEdge(96, 64)};
  const std::uint32_t reserved[] = {kWhite};
  const Quantized q = Quantize(frames, reserved);
  ASSERT_LE(q.palette.size(), 256u);
  ASSERT_EQ(q.palette[0], kWhite);
  EXPECT_EQ(std::count(q.palette.begin(), q.palette.end(), kWhite), 1);
  for (std::size_t i = 0; i < frames[0].size(); ++i) {
    EXPECT_EQ(q.indices[0][i] == 0, frames[0][i] == kWhite) << "pixel " << i;
  }
}

TEST(Quantize, ManyColoursStayClose) {
  const std::vector<std::vector<std::uint32_t>> frames = {GradientWithWhiteEdge(96, 64)};
  const Quantized q = Quantize(frames, {});
  int worst = 0;
  for (std::size_t i = 0; i < frames[0].size(); ++i) {
    worst = std::max(worst, ChannelError(q.palette[q.indices[0][i]], frames[0][i]));
  }
  EXPECT_LE(worst, 24) << "have a channel off by " << worst;
}

TEST(Quantize, AFlatFillKeepsItsExactColour) {
  // Two thirds of the picture one dial colour, the rest a busy gradient.
  std::vector<std::uint32_t> pixels = GradientWithWhiteEdge(96, 64);
  constexpr std::uint32_t kDial = 0x1B3F7C;
  for (std::size_t i = 0; i < pixels.size() * 2 / 3; ++i) pixels[i] = kDial;
  const Quantized q = Quantize(std::vector<std::vector<std::uint32_t>>{pixels}, {});
  EXPECT_EQ(q.palette[q.indices[0][0]], kDial);
}

}  // namespace
}  // namespace horavia::assets
