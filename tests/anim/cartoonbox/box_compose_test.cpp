// Composing a box into pixels with no window: the background in its four
// modes, a clock face with turned hands against the same picture composed
// by hand from the same frame images, and the window's frame cut to its
// outline.
#include <gtest/gtest.h>

#include "anim/cartoonbox/window_frame.h"
#include "tests/anim/cartoonbox/box_fixture.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::BoxTest;
using testing::Solid;
using testing::TemplateOf;

// [background] -------------------------------------------------------------------

// A 2 × 2 picture, pixels 0xRRGGBB: 1 2 / 3 4.
const std::vector<std::uint32_t> kQuad = {0x000001, 0x000002, 0x000003, 0x000004};
constexpr std::uint32_t kFill = 0x00336699;  // 0x00BBGGRR
constexpr std::uint32_t kFillPixel = 0x00996633;

std::uint32_t Quad(int x, int y) { return kQuad[static_cast<std::size_t>(y * 2 + x)]; }

class BackgroundMode : public ::testing::TestWithParam<int> {};

TEST_P(BackgroundMode, PlacesThePictureOnTheColour) {
  const auto picture = DecodeBackground(testing::EncodeBmpTrueColour(2, 2, kQuad, 24));
  ASSERT_TRUE(picture);
  const int mode = GetParam();
  const Bitmap surface = BuildBackground(&*picture, mode, kFill, 5, 4);
  ASSERT_EQ(surface.width, 5);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      std::uint32_t want = kFillPixel;
      if (mode == 0 && x < 2 && y < 2) want = Quad(x, y);
      if (mode == 2 && x >= 1 && x < 3 && y >= 1 && y < 3) want = Quad(x - 1, y - 1);
      if (mode == 3) want = Quad(x % 2, y % 2);
      if (mode == 1) want = Quad(x < 5 / 2.0 ? 0 : 1, y < 2 ? 0 : 1);
      EXPECT_EQ(surface.at(x, y), want) << "mode " << mode << " at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, BackgroundMode, ::testing::Values(0, 1, 2, 3),
                         ::testing::PrintToStringParamName());

TEST(Background, WithoutADecodablePictureIsTheColour) {
  EXPECT_FALSE(DecodeBackground(std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a'}));
  const Bitmap surface = BuildBackground(nullptr, 3, kFill, 3, 2);
  EXPECT_EQ(surface.pixels, std::vector<std::uint32_t>(6, kFillPixel));
  EXPECT_TRUE(BuildBackground(nullptr, 0, kFill, 0, 10).empty());
}

// [composing] ----------------------------------------------------------------------

// A clock hand: a 300 × 300 picture, clear but for a bar from the centre up.
FrameImage Hand(int thickness, std::uint32_t colour) {
  FrameImage hand = Solid(300, 300, kEmptyPixel);
  for (int y = 30; y < 150; ++y) {
    for (int x = 150 - thickness; x < 150 + thickness; ++x) hand.frames[0].pixels[y * 300 + x] = colour;
  }
  return hand;
}

// What the box should show, composed straight from the frame images: each
// turned hand centred on the clock, then the badge faded by its alpha.
std::vector<std::uint32_t> ComposeByHand(const Bitmap& background, const std::vector<std::pair<FrameImage, int>>& hands,
                                         const FrameImage& badge, int badgeX, int badgeY, int badgeAlpha) {
  std::vector<std::uint32_t> out = background.pixels;
  const PixelView view{out.data(), 300, 300};
  for (const auto& [picture, angle] : hands) {
    const FrameImage turned = *Rotate(picture, angle);
    BlendFrame(view, {turned.frames[0].pixels.data(), turned.width, turned.height},
               {150 - turned.width / 2, 150 - turned.height / 2, 0, 0, turned.width, turned.height}, 0,
               turned.frames[0].keyColour);
  }
  BlendFrame(view, {badge.frames[0].pixels.data(), badge.width, badge.height},
             {badgeX, badgeY, 0, 0, badge.width, badge.height}, badgeAlpha, badge.frames[0].keyColour);
  for (std::uint32_t& pixel : out) pixel &= 0x00FFFFFF;
  return out;
}

TEST_F(BoxTest, ClockFaceEqualsTheSamePicturesComposedByHand) {
  std::vector<std::uint32_t> face(300 * 300);
  for (std::size_t i = 0; i < face.size(); ++i) face[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0xFFFFFF;
  const std::vector<std::uint8_t> faceBmp = testing::EncodeBmpTrueColour(300, 300, face, 24);
  box().setBackground(faceBmp, 0, 0x00FFFFFF);

  const std::vector<std::pair<FrameImage, int>> hands = {
      {Hand(6, 0x00202020), 97}, {Hand(4, 0x00404040), 246}, {Hand(1, 0x80C00000), 354}};
  for (const auto& [picture, angle] : hands) {
    ObjectTemplate t = TemplateOf(picture);
    t.data.rotateFollow = 1;
    box().setAngle(Create(t), angle);
  }
  // A badge with a key colour, 40 % transparent, partly outside the box.
  FrameImage badge = Solid(40, 30, 0x0000FF00, /*key: blue as 0x00BBGGRR*/ 0x00FF0000);
  for (int i = 0; i < 40 * 30; i += 3) badge.frames[0].pixels[i] = 0x000000FF;
  ObjectTemplate badgeTemplate = TemplateOf(badge);
  badgeTemplate.data.alpha = 40;
  Create(badgeTemplate, 280, -10);

  const auto background = DecodeBackground(faceBmp);
  const std::vector<std::uint32_t> want =
      ComposeByHand(BuildBackground(&*background, 0, 0x00FFFFFF, 300, 300), hands, badge, 280, -10, 40);
  std::vector<std::uint32_t> whole(300 * 300);
  box().compose({0, 0, 300, 300}, {whole.data(), 300, 300});
  EXPECT_TRUE(whole == want);

  // An update rectangle alone gives the same pixels as the whole.
  const BoxRect part{120, 20, 100, 90};
  std::vector<std::uint32_t> piece(100 * 90);
  box().compose(part, {piece.data(), 100, 90});
  for (int y = 0; y < part.height; ++y) {
    for (int x = 0; x < part.width; ++x) {
      ASSERT_EQ(piece[y * 100 + x], want[(part.top + y) * 300 + part.left + x]) << x << "," << y;
    }
  }
}

// [window frame] -------------------------------------------------------------------

// The frame is the box's own composition, opaque inside the outline and
// transparent black outside it, whatever the box drew there; rectangles of
// the outline that reach past the box are cut to it.
TEST_F(BoxTest, TheWindowFrameIsTheBoxCutToItsOutline) {
  box().resize(6, 4);
  box().setBackground({}, 0, 0x00336699);
  Create(TemplateOf(Solid(2, 2, 0x00ABCDEF)), 1, 1);
  std::vector<std::uint32_t> composed(6 * 4);
  box().compose({0, 0, 6, 4}, {composed.data(), 6, 4});

  const Region outline{{{1, 0, 3, 1}, {-5, 1, 2, 2}, {4, 3, 99, 9}}};
  const WindowFrame frame = ComposeWindowFrame(box(), &outline);
  ASSERT_EQ(frame.width, 6);
  ASSERT_EQ(frame.height, 4);
  ASSERT_EQ(frame.pixels.size(), 24u);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const std::uint32_t pixel = frame.pixels[static_cast<std::size_t>(y * 6 + x)];
      if (outline.contains(x, y)) {
        EXPECT_EQ(pixel, 0xFF000000u | composed[static_cast<std::size_t>(y * 6 + x)]) << x << "," << y;
      } else {
        EXPECT_EQ(pixel, 0u) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(frame.pixels[1 * 6 + 1], 0xFFABCDEFu);  // the object, inside the outline

  // Without an outline every pixel shows; an empty box has no frame.
  const WindowFrame whole = ComposeWindowFrame(box(), nullptr);
  for (std::size_t i = 0; i < composed.size(); ++i) ASSERT_EQ(whole.pixels[i], 0xFF000000u | composed[i]) << i;
  box().resize(0, 0);
  EXPECT_TRUE(ComposeWindowFrame(box(), &outline).pixels.empty());
}

}  // namespace
}  // namespace horavia::anim
