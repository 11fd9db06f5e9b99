// The rest of the program's content: the hourly chime animation and the OK
// button's looks (both carried inside the program), the sounds beside it and
// in the skins, and the icons the build leaves for installing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "app/literals.h"
#include "platform/files.h"
#include "tests/bass/sound_support.h"

namespace horavia {
namespace {

using anim::FrameImage;

std::vector<std::uint8_t> ReadAsset(const std::string& name) {
  const std::string path = std::string(HORAVIA_ASSET_DIR) + "/" + name;
  std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(path);
  EXPECT_TRUE(bytes.has_value()) << "cannot read " << path;
  return bytes.value_or(std::vector<std::uint8_t>{});
}

// Share of a frame's pixels that are not its key colour.
double DrawnShare(const anim::ImageFrame& frame) {
  const auto drawn = std::count_if(frame.pixels.begin(), frame.pixels.end(), [&](std::uint32_t p) {
    return anim::PixelColour(p) != frame.keyColour;
  });
  return static_cast<double>(drawn) / static_cast<double>(frame.pixels.size());
}

// [pictures the program carries] -----------------------------------------------

// The chime object takes its top-left pixel as the key and plays once: the
// panel grows in, rings for a few seconds and shrinks away to almost nothing.
TEST(ChimeAnimation, PlaysOnceOnItsTopLeftKey) {
  const FrameImage chime = FrameImage::LoadFromBytes(ReadAsset("chime.gif"), anim::kNoKey, true);
  ASSERT_EQ(chime.width, 192);
  ASSERT_EQ(chime.height, 110);
  ASSERT_GE(chime.frameCount(), 10);
  int total = 0;
  for (const anim::ImageFrame& frame : chime.frames) {
    EXPECT_EQ(frame.keyColour, chime.frames[0].keyColour);
    total += frame.delay;
  }
  EXPECT_GE(total, 2000);
  EXPECT_LE(total, 4000);
  EXPECT_GT(DrawnShare(chime.frames[chime.frameCount() / 2]), 0.7);
  EXPECT_LT(DrawnShare(chime.frames.front()), 0.3);
  EXPECT_LT(DrawnShare(chime.frames.back()), 0.3);
}

TEST(OkButton, ThreeDistinctLooksOfTheButtonsSize) {
  const auto& c = app::kConstants;
  const std::vector<std::vector<std::uint8_t>> looks = {
      {c.OkNormal.data, c.OkNormal.data + c.OkNormal.length},
      {c.OkPressed.data, c.OkPressed.data + c.OkPressed.length},
      {c.OkHover.data, c.OkHover.data + c.OkHover.length}};
  // The constants are the pictures the build drew.
  EXPECT_EQ(looks[0], ReadAsset("ok-normal.gif"));
  EXPECT_EQ(looks[1], ReadAsset("ok-pressed.gif"));
  EXPECT_EQ(looks[2], ReadAsset("ok-hover.gif"));
  std::vector<std::vector<std::uint32_t>> pixels;
  for (const std::vector<std::uint8_t>& look : looks) {
    const FrameImage image = FrameImage::LoadFromBytes(look, anim::kNoKey, false);
    ASSERT_EQ(image.width, 65);
    ASSERT_EQ(image.height, 24);
    ASSERT_EQ(image.frameCount(), 1);
    pixels.push_back(image.frames[0].pixels);
  }
  EXPECT_NE(pixels[0], pixels[1]);
  EXPECT_NE(pixels[0], pixels[2]);
  EXPECT_NE(pixels[1], pixels[2]);
}

// [sounds] -----------------------------------------------------------------------

struct Sound {
  const char* name;  // for the test's name
  const char* path;  // under the program folder
  double seconds;    // as made
};

class Sounds : public ::testing::TestWithParam<Sound> {};

TEST_P(Sounds, DecodeAndLastAsLongAsMade) {
  const bass::testing::DecodedSound sound =
      bass::testing::DecodeReference(std::string(HORAVIA_PROGRAM_DIR) + "/" + GetParam().path);
  ASSERT_GT(sound.rate, 0);
  const double seconds = static_cast<double>(sound.samples.size()) / 2 / static_cast<double>(sound.rate);
  EXPECT_NEAR(seconds, GetParam().seconds, 0.1);
  int peak = 0;
  for (std::int16_t s : sound.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_GT(peak, 16000) << "too quiet";
}

INSTANTIATE_TEST_SUITE_P(Program, Sounds,
                         ::testing::Values(Sound{"Chime", "整点报时.mp3", 4.2},
                                           Sound{"BlueStart", "skins/蓝色/开始.mp3", 1.2},
                                           Sound{"BlueEnd", "skins/蓝色/结束.mp3", 2.2},
                                           Sound{"FestiveStart", "skins/喜庆/开始.mp3", 1.3},
                                           Sound{"FestiveEnd", "skins/喜庆/结束.mp3", 2.6}),
                         [](const ::testing::TestParamInfo<Sound>& info) { return std::string(info.param.name); });

// [icons] --------------------------------------------------------------------------

TEST(AppIcon, EverySizeIsARoundPictureOnTransparency) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    const FrameImage icon =
        FrameImage::LoadFromBytes(ReadAsset("icons/horavia-" + std::to_string(size) + ".png"), anim::kNoKey, false);
    ASSERT_EQ(icon.width, size);
    ASSERT_EQ(icon.height, size);
    const std::vector<std::uint32_t>& p = icon.frames[0].pixels;
    // Transparency is the top byte: 255 in the corners, 0 in the middle.
    EXPECT_EQ(p.front() >> 24, 255u);
    EXPECT_EQ(p.back() >> 24, 255u);
    EXPECT_EQ(p[static_cast<std::size_t>(size / 2) * size + size / 4] >> 24, 0u);
  }
  const std::vector<std::uint8_t> svg = ReadAsset("icons/horavia.svg");
  const std::string text(svg.begin(), svg.end());
  EXPECT_EQ(text.rfind("<svg ", 0), 0u);
  EXPECT_NE(text.find("viewBox=\"0 0 256 256\""), std::string::npos);
  EXPECT_NE(text.find("</svg>"), std::string::npos);
}

}  // namespace
}  // namespace horavia
