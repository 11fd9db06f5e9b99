// The picture box as the program uses it: a hidden store of picture bytes,
// and a player whose settings are its properties.
#include "ui/controls/pic_box.h"

#include "tests/anim/support/encoders.h"
#include "tests/ui/controls/controls_fixture.h"

namespace horavia::ui::testing {
namespace {

using namespace controls::pic_box_property;
using PicBoxTest = ControlsTest;

std::string AnimatedGif() {
  anim::testing::GifFile file;
  file.screenWidth = 2;
  file.screenHeight = 2;
  file.globalTable = {0xFF0000, 0x00FF00};
  file.minimumCodeSize = 2;
  for (std::uint8_t index : {0, 1}) {
    anim::testing::GifFrame f;
    f.width = 2;
    f.height = 2;
    f.indices.assign(4, index);
    file.frames.push_back(f);
  }
  const Bytes bytes = anim::testing::EncodeGif(file);
  return {bytes.begin(), bytes.end()};
}

TEST_F(PicBoxTest, AHiddenPicBoxKeepsAndReturnsTheBytesWrittenToIt) {
  auto* box = LoadOne<controls::PicBoxUnit>(unit_type::kPicBox, {}, 0);  // no data, hidden: the start window's
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->isVisible());
  const std::string junk("\x00\x01 no picture \xFF", 15);
  WriteBytes(kPicture, junk);
  EXPECT_EQ(ReadBytes(kPicture), junk);
  const std::string gif = AnimatedGif();
  WriteBytes(kPicture, gif);
  EXPECT_EQ(ReadBytes(kPicture), gif);
  // Never shown, never painted: no worker plays it, and its pixels are
  // never decoded.
  EXPECT_EQ(ReadNumber(kPlaying), 0);
  EXPECT_FALSE(box->player().decoded());
  WriteBytes(kPicture, "");
  EXPECT_EQ(ReadBytes(kPicture), "");
}

TEST_F(PicBoxTest, ThePlayerSettingsAreItsPropertiesAndPlayingStartsAndStops) {
  auto* box = LoadOne<controls::PicBoxUnit>(unit_type::kPicBox, {});
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(ReadNumber(kKeepBackground), 1);
  EXPECT_EQ(ReadNumber(kAutoPlay), 1);
  WriteNumber(kPlacement, 5);
  EXPECT_EQ(ReadNumber(kPlacement), 2);  // clamped
  WriteNumber(kAutoPlay, 0);
  WriteBytes(kPicture, AnimatedGif());
  box->player().grab();
  EXPECT_EQ(ReadNumber(kPlaying), 0);
  WriteNumber(kPlaying, 1);
  EXPECT_EQ(ReadNumber(kPlaying), 1);
  WriteNumber(kPlaying, 0);
  EXPECT_EQ(ReadNumber(kPlaying), 0);
}

}  // namespace
}  // namespace horavia::ui::testing
