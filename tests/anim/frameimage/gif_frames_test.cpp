#include <gtest/gtest.h>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/gif_reader.h"
#include "anim/picture/pixel_size.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::Bytes;
using testing::GifFile;
using testing::GifFrame;

// Palette: 0 black, 1 white, 2 red, 3 green. As frame pixels:
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00;
constexpr std::uint32_t kNone = kEmptyPixel;

GifFile Screen(int width, int height) {
  GifFile file;
  file.screenWidth = width;
  file.screenHeight = height;
  file.globalTable = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00};
  file.minimumCodeSize = 2;
  return file;
}

GifFrame Patch(int left, int top, int width, int height, std::uint8_t value) {
  GifFrame frame;
  frame.left = left;
  frame.top = top;
  frame.width = width;
  frame.height = height;
  frame.indices.assign(static_cast<std::size_t>(width) * height, value);
  return frame;
}

FrameImage Load(const GifFile& file, std::uint32_t key = kNoKey, bool autoKey = false) {
  return FrameImage::LoadFromBytes(testing::EncodeGif(file), key, autoKey);
}

TEST(GifFrames, ComposesOnACanvasThatStartsEmpty) {
  GifFile file = Screen(3, 1);
  file.frames = {Patch(1, 0, 1, 1, 2)};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 1);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{kNone, kRed, kNone}));
}

TEST(GifFrames, DisposalTwoRestoresTheAreaInsteadOfClearingIt) {
  GifFile file = Screen(2, 1);
  GifFrame second = Patch(0, 0, 1, 1, 3);
  second.disposalMethod = 2;
  file.frames = {Patch(0, 0, 2, 1, 2), second, Patch(1, 0, 1, 1, 1)};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 3);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{kRed, kRed}));
  EXPECT_EQ(image.frames[1].pixels, (std::vector<std::uint32_t>{kGreen, kRed}));
  EXPECT_EQ(image.frames[2].pixels, (std::vector<std::uint32_t>{kRed, kWhite}));
}

TEST(GifFrames, DisposalThreeRestoresLikeTwoAndOneKeeps) {
  GifFile file = Screen(2, 1);
  GifFrame keep = Patch(0, 0, 1, 1, 1);
  keep.disposalMethod = 1;
  GifFrame restore = Patch(1, 0, 1, 1, 3);
  restore.disposalMethod = 3;
  file.frames = {keep, restore, Patch(0, 0, 1, 1, 0)};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 3);
  EXPECT_EQ(image.frames[1].pixels, (std::vector<std::uint32_t>{kWhite, kGreen}));
  EXPECT_EQ(image.frames[2].pixels, (std::vector<std::uint32_t>{kBlack, kNone}));
}

TEST(GifFrames, DelayZeroLastsFiftyMilliseconds) {
  GifFile file = Screen(1, 1);
  GifFrame slow = Patch(0, 0, 1, 1, 1);
  slow.delayHundredths = 12;
  GifFrame instant = Patch(0, 0, 1, 1, 2);
  instant.delayHundredths = 0;
  file.frames = {slow, instant};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 2);
  EXPECT_EQ(image.frames[0].delay, 120);
  EXPECT_EQ(image.frames[1].delay, kDefaultGifDelayMs);
}

TEST(GifFrames, AnImageWithoutGraphicControlKeepsThePreviousValues) {
  GifFile file = Screen(2, 1);
  GifFrame first = Patch(0, 0, 2, 1, 1);
  first.delayHundredths = 30;
  first.transparentIndex = 2;
  first.disposalMethod = 2;
  GifFrame bare = Patch(0, 0, 2, 1, 2);
  bare.indices = {2, 3};
  bare.graphicControl = false;
  file.frames = {first, bare};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 2);
  EXPECT_EQ(image.frames[1].delay, 300);
  // Red stays transparent, so the white of the first image shows through;
  // the first image's disposal restored the empty canvas, not white.
  EXPECT_EQ(image.frames[1].pixels, (std::vector<std::uint32_t>{kNone, kGreen}));
}

TEST(GifFrames, TransparencyIsByColourValue) {
  GifFile file = Screen(3, 1);
  file.globalTable = {0x000000, 0x0000FF, 0x00FF00, 0x0000FF};  // entries 1 and 3 are the same blue
  GifFrame base = Patch(0, 0, 3, 1, 2);
  GifFrame top = Patch(0, 0, 3, 1, 0);
  top.indices = {1, 3, 0};
  top.transparentIndex = 1;
  file.frames = {base, top};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 2);
  EXPECT_EQ(image.frames[1].pixels, (std::vector<std::uint32_t>{0x00FF00, 0x00FF00, 0x000000}));
}

TEST(GifFrames, TakesTheKeyFromTheCanvasCornerOrTheCaller) {
  GifFile file = Screen(2, 1);
  file.frames = {Patch(0, 0, 1, 1, 2), Patch(0, 0, 1, 1, 3)};
  FrameImage automatic = Load(file, kNoKey, true);
  ASSERT_EQ(automatic.frameCount(), 2);
  EXPECT_EQ(automatic.frames[0].keyColour, 0x0000FFu);  // red as 0x00BBGGRR
  EXPECT_EQ(automatic.frames[1].keyColour, 0x00FF00u);
  FrameImage given = Load(file, 0x123456, false);
  EXPECT_EQ(given.frames[1].keyColour, 0x123456u);
}

TEST(GifFrames, ClipsImagesToTheCanvas) {
  GifFile file = Screen(2, 2);
  file.frames = {Patch(1, 1, 4, 4, 2)};
  FrameImage image = Load(file);
  ASSERT_EQ(image.frameCount(), 1);
  EXPECT_EQ(image.frames[0].pixels, (std::vector<std::uint32_t>{kNone, kNone, kNone, kRed}));
}

TEST(GifFrames, GivesTheEmptyImageWithoutFramesOrScreenAndSaysWhy) {
  GifFile noFrames = Screen(2, 2);
  EXPECT_EQ(LoadFrameImage(testing::EncodeGif(noFrames), kNoKey, false).error, DecodeError::NoImage);
  GifFile noScreen = Screen(0, 2);
  noScreen.frames = {Patch(0, 0, 1, 1, 1)};
  const FrameImageLoad load = LoadFrameImage(testing::EncodeGif(noScreen), kNoKey, false);
  EXPECT_FALSE(load.image.usable());
  EXPECT_EQ(load.error, DecodeError::Malformed);
}

TEST(GifFrames, KeepsTheFramesBeforeABrokenImage) {
  GifFile file = Screen(1, 1);
  file.frames = {Patch(0, 0, 1, 1, 1), Patch(0, 0, 1, 1, 2)};
  auto bytes = testing::EncodeGif(file);
  bytes.resize(bytes.size() - 4);  // cut into the second image's data
  FrameImage image = FrameImage::LoadFromBytes(bytes, kNoKey, false);
  EXPECT_EQ(image.frameCount(), 1);
  EXPECT_EQ(image.frames[0].pixels[0], kWhite);
}

// [ceiling] -----------------------------------------------------------------------
// All frames of one image together stay within 4096 × 4096 pixels: a long
// animation keeps the frames that fit, and says it left the rest out.

// A 1024 × 1024 animation of `frames` one-pixel images: a few bytes a
// frame, 4 MiB a frame decoded.
Bytes LongAnimation(int frames) {
  GifFile file = Screen(1024, 1024);
  file.frames.assign(static_cast<std::size_t>(frames), Patch(0, 0, 1, 1, 2));
  return testing::EncodeGif(file);
}

TEST(GifFrames, KeepsTheFramesThatFitUnderTheCeilingAndSaysItLeftTheRestOut) {
  EXPECT_EQ(MaxFramesOf(300, 300), 186) << "the skins' 300 × 300";
  ASSERT_EQ(MaxFramesOf(1024, 1024), 16);
  const FrameImageLoad whole = LoadFrameImage(LongAnimation(16), kNoKey, false);
  EXPECT_EQ(whole.image.frameCount(), 16);
  EXPECT_FALSE(whole.framesLeftOut);
  const FrameImageLoad cut = LoadFrameImage(LongAnimation(17), kNoKey, false);
  EXPECT_EQ(cut.image.frameCount(), 16);
  EXPECT_TRUE(cut.framesLeftOut);
  EXPECT_EQ(cut.error, DecodeError::None);
  // A flood of tiny frames counts each as at least kMinFrameCost pixels.
  EXPECT_EQ(MaxFramesOf(1, 1), kMaxPicturePixels / kMinFrameCost);
}

TEST(GifFrames, RefusesAnImageBeyondWhatIsLeftUndecoded) {
  GifFile file = Screen(2, 2);
  file.frames = {Patch(0, 0, 1, 1, 2)};
  Bytes bytes = testing::EncodeGif(file);
  bytes.pop_back();  // the trailer
  // An image of 4100 × 4100 pixels with no data: more than the ceiling.
  const Bytes huge = {',', 0, 0, 0, 0, 0x04, 0x10, 0x04, 0x10, 0, 2, 0, ';'};
  bytes.insert(bytes.end(), huge.begin(), huge.end());
  const FrameImageLoad load = LoadFrameImage(bytes, kNoKey, false);
  EXPECT_EQ(load.image.frameCount(), 1);
  EXPECT_TRUE(load.framesLeftOut);
  // Alone, the same image is a picture too large to decode.
  Bytes alone(bytes.begin(), bytes.begin() + 13 + 12);
  alone.insert(alone.end(), huge.begin(), huge.end());
  EXPECT_EQ(LoadFrameImage(alone, kNoKey, false).error, DecodeError::TooLarge);
}

TEST(GifFrames, RefusesAScreenBeyondTheCeilingBeforeMakingItsCanvas) {
  GifFile file = Screen(4097, 4097);
  file.frames = {Patch(0, 0, 1, 1, 2)};
  EXPECT_EQ(LoadFrameImage(testing::EncodeGif(file), kNoKey, false).error, DecodeError::TooLarge);
}

}  // namespace
}  // namespace horavia::anim
