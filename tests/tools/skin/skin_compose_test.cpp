// Composing a skin made here (a face of one colour, hands that are bars of
// known colours) and comparing with pixels worked out by hand: quarter turns
// exactly, other angles along the hand's line; the outline's outside is
// transparent, and without a usable outline the window keeps the one before.
#include "tools/skin/skin_compose.h"

#include <cmath>

#include "platform/text_codec.h"
#include "tests/support/qt_application.h"
#include "tests/tools/skin/skin_fixture.h"

namespace horavia::tools::skin::testing {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// Colours 0xRRGGBB as drawn into the GIFs and read back from the pixels.
constexpr std::uint32_t kFace = 0x203060, kWheel = 0x00C0C0, kHour = 0xC00000, kMinute = 0x00A000,
                        kSecond = 0xD02090, kNeedle = 0x800080;
constexpr std::uint32_t kOpaque = 0xFF000000;

bool InDisc(int x, int y, int radius) {
  const int dx = 2 * x + 1 - 300, dy = 2 * y + 1 - 300;
  return dx * dx + dy * dy < 4 * radius * radius;
}

struct Bar {
  int left, right, top, bottom;  // [left, right) × [top, bottom) pointing up from the centre
  std::uint32_t colour;
  std::uint32_t at(int x, int y) const { return x >= left && x < right && y >= top && y < bottom ? colour : kWhite; }
};
constexpr Bar kHourBar{148, 152, 70, 152, kHour}, kMinuteBar{148, 152, 30, 152, kMinute},
    kSecondBar{149, 151, 20, 170, kSecond}, kNeedleBar{148, 152, 60, 152, kNeedle};

Bytes BarPicture(const Bar& bar) { return GifOf(300, 300, [bar](int x, int y) { return bar.at(x, y); }); }
Bytes Disc(int radius, std::uint32_t colour) {
  return GifOf(300, 300, [=](int x, int y) { return InDisc(x, y, radius) ? colour : kWhite; });
}

SkinPictures Synthetic() {
  SkinPictures skin;
  skin.face = Disc(140, kFace);
  skin.wheel = Disc(100, kWheel);
  skin.hourHand = BarPicture(kHourBar);
  skin.minuteHand = BarPicture(kMinuteBar);
  skin.secondHand = BarPicture(kSecondBar);
  skin.needle = BarPicture(kNeedleBar);
  return skin;
}

// The bar's colour at (x, y) once its 300 × 300 picture is turned by a
// quarter turn: the box turns clockwise and keeps the centre.
std::uint32_t Turned(const Bar& bar, int quarterTurns, int x, int y) {
  switch (quarterTurns % 4) {
    case 1: return bar.at(y, 299 - x);
    case 2: return bar.at(299 - x, 299 - y);
    case 3: return bar.at(299 - y, x);
    default: return bar.at(x, y);
  }
}

std::uint32_t PixelAt(const ComposedClock& clock, int x, int y) {
  return clock.pixels[static_cast<std::size_t>(y) * clock.width + x];
}

// The pixel on the hand's line `distance` from the centre at `degrees`.
std::uint32_t AlongHand(const ComposedClock& clock, int degrees, double distance) {
  const double radians = degrees * 3.14159265358979323846 / 180.0;
  return PixelAt(clock, static_cast<int>(150.0 + distance * std::sin(radians)),
                 static_cast<int>(150.0 - distance * std::cos(radians)));
}

TEST(HandAngles, FollowTheClocksArithmetic) {
  const struct {
    ClockTime time;
    int hour, minute, second;
  } cases[] = {{{0, 0, 0}, 0, 0, 0},          {{10, 10, 30}, 305, 60, 180}, {{3, 31, 0}, 105, 186, 0},
               {{12, 0, 0}, 360, 0, 0},       {{23, 59, 59}, 719, 354, 354}};
  for (const auto& c : cases) {
    const HandAngles angles = HandAnglesAt(c.time);
    EXPECT_EQ(angles.hour, c.hour) << c.time.hour << ":" << c.time.minute;
    EXPECT_EQ(angles.minute, c.minute);
    EXPECT_EQ(angles.second, c.second);
  }
}

// At 03:00:30 every hand stands on a quarter, so every pixel is known: the
// face inside its disc with the hands over it (the second hand on top), and
// nothing outside the disc, where the window is cut away.
TEST(ComposeSkin, QuarterHoursGiveEveryPixelExactly) {
  const ComposedClock clock = ComposeSkin(Synthetic(), {{3, 0, 30}, false});
  ASSERT_EQ(clock.width, 300);
  ASSERT_EQ(clock.height, 300);
  int wrong = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) {
      std::uint32_t want = 0;
      if (InDisc(x, y, 140)) {
        want = kFace;
        const std::pair<Bar, int> hands[] = {{kHourBar, 1}, {kMinuteBar, 0}, {kSecondBar, 2}};
        for (const auto& [bar, turns] : hands) {
          if (Turned(bar, turns, x, y) != kWhite) want = bar.colour;
        }
        want |= kOpaque;
      }
      if (PixelAt(clock, x, y) != want && wrong++ < 5) {
        ADD_FAILURE() << "at " << x << "," << y << " have " << std::hex << PixelAt(clock, x, y) << " want " << want;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(ComposeSkin, HandsTurnToTheDefaultTime) {
  const ComposedClock clock = ComposeSkin(Synthetic(), {});  // 10:10:30
  EXPECT_EQ(AlongHand(clock, 305, 60.5), kOpaque | kHour);
  EXPECT_EQ(AlongHand(clock, 60, 91.0), kOpaque | kMinute);
  EXPECT_EQ(PixelAt(clock, 150, 250), kOpaque | kSecond) << "the second hand at 30 s points down";
  EXPECT_EQ(PixelAt(clock, 150, 100), kOpaque | kFace) << "and nothing points up";
  EXPECT_EQ(PixelAt(clock, 3, 3), 0u);
}

// The wheel and the needle over the hands; the window is cut to the wheel,
// so the face's rim outside the wheel is gone.
TEST(ComposeSkin, WheelModeShowsTheWheelAndNeedleInTheWheelsOutline) {
  const ComposedClock wheel = ComposeSkin(Synthetic(), {{3, 0, 30}, true});
  EXPECT_EQ(PixelAt(wheel, 150, 100), kOpaque | kNeedle);
  EXPECT_EQ(PixelAt(wheel, 200, 150), kOpaque | kWheel) << "the hour hand lies under the wheel";
  EXPECT_EQ(PixelAt(wheel, 150, 280), 0u) << "inside the face but outside the wheel";
  EXPECT_EQ(PixelAt(wheel, 150, 52), kOpaque | kWheel);
}

// The window keeps the shape it had when a picture cuts nothing: in clock
// mode the wheel's (cut while the skin loads), else the whole window, where
// the box's button-face colour shows.
TEST(ComposeSkin, WithoutAFaceTheWindowKeepsTheWheelsOutlineOrNone) {
  SkinPictures skin = Synthetic();
  skin.face = GifOf(300, 300, [](int, int) { return kWhite; });
  const ComposedClock byWheel = ComposeSkin(skin, {{3, 0, 30}, false});
  EXPECT_EQ(PixelAt(byWheel, 150, 20), 0u);
  EXPECT_EQ(PixelAt(byWheel, 150, 120), kOpaque | kMinute);
  EXPECT_EQ(PixelAt(byWheel, 120, 200), kOpaque | kWhite) << "the white face is drawn, only not cut";

  skin.face.clear();
  skin.wheel.clear();
  const ComposedClock whole = ComposeSkin(skin, {{3, 0, 30}, false, 0x0000FF});
  EXPECT_EQ(PixelAt(whole, 0, 0), kOpaque | 0xFF0000) << "the button face 0x0000FF is red";
  EXPECT_EQ(PixelAt(whole, 299, 299), kOpaque | 0xFF0000);
  EXPECT_EQ(PixelAt(whole, 200, 150), kOpaque | kHour);
}

TEST(ComposeSkin, WheelModeWithoutAWheelOutlineKeepsTheFaces) {
  SkinPictures skin = Synthetic();
  skin.wheel = {'j', 'u', 'n', 'k', '!', '!', '!'};
  const ComposedClock wheel = ComposeSkin(skin, {{3, 0, 30}, true});
  EXPECT_EQ(PixelAt(wheel, 150, 280), kOpaque | kFace);
  EXPECT_EQ(PixelAt(wheel, 3, 3), 0u);
  EXPECT_EQ(PixelAt(wheel, 150, 100), kOpaque | kNeedle);
}

// After a spin the turning object stands where it came to rest: the needle
// here, a quarter turn on; or, in a skin whose wheel turns, the wheel.
TEST(ComposeSkin, TheTurningObjectStandsAtTheGivenAngle) {
  const ComposedClock needle = ComposeSkin(Synthetic(), {{3, 0, 30}, true, kDefaultButtonFace, 90});
  EXPECT_EQ(PixelAt(needle, 200, 150), kOpaque | kNeedle);
  EXPECT_EQ(PixelAt(needle, 150, 100), kOpaque | kWheel);
  SkinPictures turning = Synthetic();
  turning.wheelTurns = true;
  // A wheel with a spoke of the face's colour up from the hub.
  turning.wheel = GifOf(300, 300, [](int x, int y) {
    if (!InDisc(x, y, 100)) return kWhite;
    return x >= 145 && x < 155 && y >= 55 && y < 150 ? kFace : kWheel;
  });
  const ComposedClock wheel = ComposeSkin(turning, {{3, 0, 30}, true, kDefaultButtonFace, 180});
  EXPECT_EQ(PixelAt(wheel, 153, 210), kOpaque | kFace) << "the spoke turned to point down";
  EXPECT_EQ(PixelAt(wheel, 153, 90), kOpaque | kWheel);
  EXPECT_EQ(PixelAt(wheel, 150, 100), kOpaque | kNeedle) << "the needle stays";
}

// [command] ----------------------------------------------------------------------

class PreviewCommand : public SkinFolderTest {
 protected:
  void WriteSynthetic() {
    const SkinPictures skin = Synthetic();
    Write("表盘.gif", skin.face);
    Write("转盘.gif", skin.wheel);
    Write("时针.gif", skin.hourHand);
    Write("分针.gif", skin.minuteHand);
    Write("秒针.gif", skin.secondHand);
    Write("选择针.gif", skin.needle);
  }
};

TEST_F(PreviewCommand, WritesTheComposedClockAsAnRgbaPng) {
  WriteSynthetic();
  const std::string out = (folder() / "out.png").string();
  ASSERT_EQ(Run({"preview", folder().string(), out, "--time", "03:00:30", "--wheel"}), 0) << errors();
  EXPECT_NE(output().find("03:00:30 (90°, 0°, 180°)"), std::string::npos) << output();
  const std::optional<anim::testing::ReferencePng> png = anim::testing::DecodePngReference(Read("out.png"));
  ASSERT_TRUE(png.has_value());
  const ComposedClock want = ComposeSkin(Synthetic(), {{3, 0, 30}, true});
  EXPECT_EQ(png->width, 300);
  EXPECT_EQ(png->bgra, want.pixels);
}

// A skin that has the program write its prizes onto the wheel previews with
// them written: the wheel differs from the plain one only inside it.
TEST_F(PreviewCommand, WritesTheSkinsPrizesOntoTheWheelAsTheProgramDoes) {
  horavia::testing::TestApplication();  // the toolkit's fonts
  WriteSynthetic();
  const std::string plain = (folder() / "plain.png").string();
  ASSERT_EQ(Run({"preview", folder().string(), plain, "--wheel"}), 0) << errors();
  std::ofstream(folder() / "pf.ini", std::ios::binary)
      << platform::Utf8ToCp936("[配置]\r\n奖项数=4\r\n奖项1=一等奖\r\n奖项2=Song\r\n奖项3=红包\r\n奖项4=再来\r\n写奖项=1\r\n");
  const std::string labelled = (folder() / "labelled.png").string();
  ASSERT_EQ(Run({"preview", folder().string(), labelled, "--wheel"}), 0) << errors();
  const auto a = anim::testing::DecodePngReference(Read("plain.png"));
  const auto b = anim::testing::DecodePngReference(Read("labelled.png"));
  ASSERT_TRUE(a.has_value() && b.has_value());
  int changed = 0, outsideTheWheel = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * 300 + x;
      if (a->bgra[i] == b->bgra[i]) continue;
      ++changed;
      if (!InDisc(x, y, 100)) ++outsideTheWheel;
    }
  }
  EXPECT_GT(changed, 800);
  EXPECT_EQ(outsideTheWheel, 0);
}

TEST_F(PreviewCommand, RefusesBadTimesAndMissingArguments) {
  WriteSynthetic();
  const std::string out = (folder() / "out.png").string();
  EXPECT_EQ(Run({"preview", folder().string(), out, "--time", "24:00:00"}), 2);
  EXPECT_NE(errors().find("HH:MM:SS"), std::string::npos);
  EXPECT_EQ(Run({"preview", folder().string(), out, "--time", "9:00:00"}), 2);
  EXPECT_EQ(Run({"preview", folder().string(), out, "--time"}), 2);
  EXPECT_EQ(Run({"preview", folder().string()}), 2);
  EXPECT_EQ(Run({"preview", folder().string(), out, "--sideways"}), 2);
  EXPECT_EQ(Run({"preview", folder().string(), out, "--wheel", "--angle", "360"}), 2);
  EXPECT_NE(errors().find("0 to 359"), std::string::npos);
  EXPECT_EQ(Run({"preview", folder().string(), out, "--wheel", "--angle"}), 2);
  EXPECT_EQ(Run({"preview", (folder() / "none").string(), out}), 2);
  EXPECT_EQ(Run({"preview", folder().string(), (folder() / "none" / "out.png").string()}), 1);
  EXPECT_FALSE(fs::exists(folder() / "out.png"));
}

// A picture far beyond a clock's size is left out, not decoded.
TEST_F(PreviewCommand, LeavesOutOversizedPictures) {
  WriteSynthetic();
  Write("时针.gif", GifFrames(9000, 9000, {0, kHour}, {Patch(0, 0, 1, 1)}));
  ASSERT_EQ(Run({"preview", folder().string(), (folder() / "out.png").string(), "--time=03:00:30"}), 0);
  EXPECT_NE(errors().find("left out 时针.gif"), std::string::npos) << errors();
  const std::optional<anim::testing::ReferencePng> png = anim::testing::DecodePngReference(Read("out.png"));
  ASSERT_TRUE(png.has_value());
  EXPECT_EQ(png->bgra[150 * 300 + 200], kOpaque | kFace) << "no hour hand";
}

}  // namespace
}  // namespace horavia::tools::skin::testing
