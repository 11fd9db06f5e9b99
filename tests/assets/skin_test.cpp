// The skins the build lays into the program folder, read as the program
// reads them: the face and the wheel through the picture service (their
// background and window-outline path), the hands, needle and end pictures
// as frame images with their keys, and pf.ini through the INI engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "anim/frameimage/frame_image.h"
#include "assets/prizes.h"
#include "anim/picture/picture.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text_codec.h"

namespace horavia {
namespace {

using anim::FrameImage;

constexpr std::uint32_t kWhite = 0xFFFFFF;  // the same as a colour and a pixel
constexpr int kSize = 300;

std::vector<std::uint8_t> ReadSkinFile(const std::string& skin, const char* name) {
  const std::string path = std::string(HORAVIA_PROGRAM_DIR) + "/skins/" + skin + "/" + name;
  std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(path);
  EXPECT_TRUE(bytes.has_value()) << "cannot read " << path;
  return bytes.value_or(std::vector<std::uint8_t>{});
}

// Light enough to show as a pale fringe where it meets the white cut away
// around it; pure white itself is not.
bool NearWhite(std::uint32_t rgb) {
  return rgb != kWhite && (rgb & 0xFF) >= 0xE0 && (rgb >> 8 & 0xFF) >= 0xE0 && (rgb >> 16 & 0xFF) >= 0xE0;
}

int Luminance(std::uint32_t rgb) { return (2 * (rgb >> 16 & 0xFF) + 5 * (rgb >> 8 & 0xFF) + (rgb & 0xFF)) / 8; }

// Counts the pixels that would show as a light fringe where the picture meets
// the white around it: edge pixels (touching white, diagonals included) that
// are near white, or clearly lighter than everything just inside them, as an
// edge antialiased against white would be.
int PaleEdgePixels(const std::vector<std::uint32_t>& rgb, int width, int height) {
  auto at = [&](int x, int y) { return rgb[static_cast<std::size_t>(y) * width + x]; };
  auto white = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height && at(x, y) == kWhite; };
  auto onEdge = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (white(x + dx, y + dy)) return true;
    return false;
  };
  int pale = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (white(x, y) || !onEdge(x, y)) continue;
      int inside = -1;
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= width || ny >= height || white(nx, ny) || onEdge(nx, ny)) continue;
          inside = std::max(inside, Luminance(at(nx, ny)));
        }
      }
      const bool lighter = inside >= 0 && Luminance(at(x, y)) > inside + 24;
      pale += NearWhite(at(x, y)) || lighter;
    }
  }
  return pale;
}

std::vector<std::uint32_t> FrameRgb(const anim::ImageFrame& frame) {
  std::vector<std::uint32_t> rgb;
  for (std::uint32_t p : frame.pixels) rgb.push_back(p & 0xFFFFFF);
  return rgb;
}

class Skin : public ::testing::TestWithParam<const char*> {
 protected:
  std::string skin() const { return GetParam(); }
  std::vector<std::uint8_t> read(const char* name) const { return ReadSkinFile(skin(), name); }
  std::optional<std::string> setting(const char* key) const {
    const std::vector<std::uint8_t> ini = read("pf.ini");
    return platform::IniLookup(std::string(ini.begin(), ini.end()), platform::Utf8ToCp936("配置"),
                               platform::Utf8ToCp936(key));
  }
  int number(const char* key) const {
    const std::optional<std::string> text = setting(key);
    EXPECT_TRUE(text.has_value()) << "pf.ini has no " << key;
    return text ? std::stoi(*text) : -1;
  }
};

// [outline pictures] ------------------------------------------------------------

// The face and the wheel cut the window: a round disc with nothing but white
// around it, no white inside it, and no pale pixel on its edge.
TEST_P(Skin, FaceAndWheelAreCleanDiscsOnWhite) {
  for (const char* name : {"表盘.gif", "转盘.gif"}) {
    SCOPED_TRACE(name);
    const std::optional<anim::Bitmap> bitmap = anim::PictureToBitmap(read(name));
    ASSERT_TRUE(bitmap.has_value());
    ASSERT_EQ(bitmap->width, kSize);
    ASSERT_EQ(bitmap->height, kSize);
    int inside = 0, whiteInside = 0, colourInCorners = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const double dx = x + 0.5 - 150, dy = y + 0.5 - 150, r2 = dx * dx + dy * dy;
        const bool white = bitmap->at(x, y) == kWhite;
        inside += !white;
        if (r2 < 147.0 * 147.0) whiteInside += white;
        if (r2 > 151.0 * 151.0) colourInCorners += !white;
      }
    }
    EXPECT_EQ(whiteInside, 0) << "white pixels would be holes in the window";
    EXPECT_EQ(colourInCorners, 0);
    EXPECT_NEAR(inside, 3.14159 * 150 * 150, 0.01 * kSize * kSize);
    const std::vector<std::uint32_t> rgb(bitmap->pixels.begin(), bitmap->pixels.end());
    EXPECT_EQ(PaleEdgePixels(rgb, kSize, kSize), 0) << "a light fringe at the cut";
    // The region the window takes is the disc.
    const std::optional<anim::Region> region = anim::RegionFromBitmap(*bitmap, kWhite);
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->contains(150, 150));
    EXPECT_TRUE(region->contains(150, 1));
    EXPECT_FALSE(region->contains(2, 2));
  }
}

// [turning pictures] ------------------------------------------------------------

// Hands and the needle: white is transparent and their edges are never pale.
// Each has a round hub on the point it turns about; turned half round by the
// program's own rotation, the rows through the hub must come back the same,
// which they only do when the hub sits on the exact centre.
TEST_P(Skin, HandsAndNeedleTurnAboutTheCentreWithoutAHalo) {
  for (const char* name : {"时针.gif", "分针.gif", "秒针.gif", "选择针.gif"}) {
    SCOPED_TRACE(name);
    const FrameImage image = FrameImage::LoadFromBytes(read(name), kWhite, false);
    ASSERT_EQ(image.width, kSize);
    ASSERT_EQ(image.height, kSize);
    ASSERT_EQ(image.frameCount(), 1);
    const std::vector<std::uint32_t> rgb = FrameRgb(image.frames[0]);
    EXPECT_EQ(PaleEdgePixels(rgb, kSize, kSize), 0) << "a light fringe around the hand";

    const std::optional<FrameImage> turned = anim::Rotate(image, 180);
    ASSERT_TRUE(turned.has_value());
    const std::vector<std::uint32_t> turnedRgb = FrameRgb(turned->frames[0]);
    for (int y = 146; y <= 153; ++y) {
      for (int x = 120; x < 180; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * kSize + x;
        EXPECT_EQ(rgb[i] == kWhite, turnedRgb[i] == kWhite) << "hub differs at " << x << "," << y;
      }
    }
    int up = 0, down = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        if (rgb[static_cast<std::size_t>(y) * kSize + x] == kWhite) continue;
        if (y < 150) up = std::max(up, 150 - y);
        else down = std::max(down, y - 149);
      }
    }
    EXPECT_GT(up, 2 * down) << "it should point to 12";
  }
}

// [end pictures and settings] ----------------------------------------------------

TEST_P(Skin, EndPicturesAnimateOnTheirTopLeftKeyInsideTheBox) {
  const struct {
    const char* file;
    const char* plays;
    const char* x;
    const char* y;
  } ends[] = {{"结束1.gif", "结束1", "结束1x", "结束1y"}, {"结束2.gif", "结束2", "结束2x", "结束2y"}};
  for (const auto& end : ends) {
    SCOPED_TRACE(end.file);
    const FrameImage image = FrameImage::LoadFromBytes(read(end.file), anim::kNoKey, true);
    ASSERT_GE(image.frameCount(), 4);
    const std::uint32_t key = image.frames[0].keyColour;
    int drawn = 0;
    for (const anim::ImageFrame& frame : image.frames) {
      EXPECT_EQ(frame.keyColour, key) << "every frame keys the same colour";
      EXPECT_EQ(anim::PixelColour(frame.pixels[0]), key);
      EXPECT_GT(frame.delay, 0);
      for (std::uint32_t p : frame.pixels) drawn += anim::PixelColour(p) != key;
    }
    EXPECT_GT(drawn, 0) << "nothing is drawn";
    // They vanish after playing, and they lie inside the 300 × 300 box.
    EXPECT_GE(number(end.plays), 1);
    const int x = number(end.x), y = number(end.y);
    EXPECT_GE(x, 0);
    EXPECT_GE(y, 0);
    EXPECT_LE(x + image.width, kSize);
    EXPECT_LE(y + image.height, kSize);
  }
}

TEST(SkinSettings, TheDefaultSkinTurnsTheNeedleAndTheOtherTheWheel) {
  auto rotateWheel = [](const char* skin) {
    const std::vector<std::uint8_t> ini = ReadSkinFile(skin, "pf.ini");
    return platform::IniLookup(std::string(ini.begin(), ini.end()), platform::Utf8ToCp936("配置"),
                               platform::Utf8ToCp936("转盘"));
  };
  EXPECT_EQ(rotateWheel("蓝色"), "0");
  EXPECT_EQ(rotateWheel("喜庆"), "1");
}

// The wheel's slices and the prizes in pf.ini come from one list: pf.ini
// names every prize of it, where slice 1 begins, and has the program write
// the labels onto the wheel, which is drawn without any.
TEST(SkinSettings, EachSkinListsTheTwelvePrizesOfItsListAndHasThemWritten) {
  const std::pair<const char*, const assets::PrizeList*> skins[] = {{"蓝色", &assets::kBluePrizes},
                                                                     {"喜庆", &assets::kFestivePrizes}};
  for (const auto& [skin, list] : skins) {
    SCOPED_TRACE(skin);
    const std::vector<std::uint8_t> ini = ReadSkinFile(skin, "pf.ini");
    const std::string text(ini.begin(), ini.end());
    auto value = [&](const std::string& key) {
      return platform::Cp936ToUtf8(
          platform::IniLookup(text, platform::Utf8ToCp936("配置"), platform::Utf8ToCp936(key)).value_or("missing"));
    };
    EXPECT_EQ(value("奖项数"), "12");
    EXPECT_EQ(value("奖项起始角"), std::to_string(list->startAngle));
    EXPECT_EQ(value("写奖项"), "1");
    EXPECT_EQ(value("显示结果秒数"), "5");
    for (std::size_t i = 0; i < list->prizes.size(); ++i) {
      EXPECT_EQ(value("奖项" + std::to_string(i + 1)), list->prizes[i].label);
      EXPECT_EQ(value("权重" + std::to_string(i + 1)), std::to_string(list->prizes[i].weight));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, Skin, ::testing::Values("蓝色", "喜庆"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return info.index == 0 ? std::string("Blue") : std::string("Festive");
                         });

}  // namespace
}  // namespace horavia
