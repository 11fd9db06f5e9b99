// The window commands' rules that need no window: rectangles, gradient
// colours, copy modes and the pixel work over plain spans.
#include "runtime/commands/panel_drawing.h"

#include <gtest/gtest.h>

#include <vector>

namespace horavia::runtime::commands {
namespace {

constexpr std::uint32_t kRed = 0x0000FF, kBlue = 0xFF0000;  // colours are 0x00BBGGRR
constexpr std::uint32_t kUntouched = 0xFF0A0B0C;

std::uint32_t RedOf(std::uint32_t colour) { return colour & 0xFF; }
// A colour 0x00BBGGRR as the opaque pixel 0xFFRRGGBB a surface holds.
std::uint32_t Opaque(std::uint32_t colour) {
  return 0xFF000000u | (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}
std::uint32_t BlueOf(std::uint32_t colour) { return (colour >> 16) & 0xFF; }

struct Surface {
  Surface(int w, int h) : pixels(static_cast<std::size_t>(w) * h, kUntouched), width(w), height(h) {}
  PixelSurface view() { return {pixels, width, height}; }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::vector<std::uint32_t> pixels;
  int width, height;
};

TEST(MoveRectangle, GivenPartsReplaceTheirsAndMinusOneKeepsASize) {
  const UnitRect current{10, 20, 30, 40};
  EXPECT_EQ(MovedRect(current, 5, {}, {}, {}), (UnitRect{5, 20, 30, 40}));
  EXPECT_EQ(MovedRect(current, {}, 7, -1, 9), (UnitRect{10, 7, 30, 9}));
  EXPECT_EQ(MovedRect(current, {}, {}, 0, -1), (UnitRect{10, 20, 0, 40}));
}

TEST(ClearRectangle, IsTheClientAreaWithTheGivenPartsNormalised) {
  EXPECT_EQ(ClearArea(100, 80, {}, {}, {}, {}), (UnitRect{0, 0, 100, 80}));
  // Width and height count from the given corner; without them the far
  // edges stay the client's.
  EXPECT_EQ(ClearArea(100, 80, 10, 20, {}, {}), (UnitRect{10, 20, 90, 60}));
  EXPECT_EQ(ClearArea(100, 80, 10, 20, 5, 6), (UnitRect{10, 20, 5, 6}));
  EXPECT_EQ(ClearArea(100, 80, 50, 40, -20, -10), (UnitRect{30, 30, 20, 10}));
  EXPECT_EQ(ClearArea(100, 80, 120, {}, {}, {}), (UnitRect{100, 0, 20, 80}));
}

TEST(Gradient, RedToBlueFromTheTopReachesBlueOnlyPastTheLastRow) {
  const std::uint32_t colours[] = {kRed, kBlue};
  const std::uint32_t top = GradientColourAt(1, 10, 100, 3, 0, colours);
  const std::uint32_t middle = GradientColourAt(1, 10, 100, 3, 50, colours);
  const std::uint32_t last = GradientColourAt(1, 10, 100, 3, 99, colours);
  EXPECT_EQ(top, kRed);
  EXPECT_EQ(RedOf(middle), 128u);
  EXPECT_EQ(BlueOf(middle), 127u);
  EXPECT_EQ(RedOf(last), 3u);
  EXPECT_EQ(BlueOf(last), 252u);
  EXPECT_EQ(ColourAlong(100, 100, colours), kBlue);
}

TEST(Gradient, EachModeStartsFromItsSideOrCorner) {
  const std::uint32_t colours[] = {kRed, kBlue};
  struct Start {
    std::int32_t mode;
    int x, y;
  };
  // A 10 × 4 rectangle: where each mode has its first colour.
  for (Start s : {Start{1, 9, 0}, Start{2, 0, 3}, Start{3, 0, 0}, Start{4, 9, 0}, Start{5, 9, 3}, Start{6, 9, 3},
                  Start{7, 9, 3}, Start{8, 0, 3}}) {
    EXPECT_EQ(GradientColourAt(s.mode, 10, 4, s.x, s.y, colours), kRed) << "mode " << s.mode;
  }
  // The corner modes run along twice the shorter side: the far corner of a
  // long rectangle is already the last colour.
  EXPECT_EQ(GradientColourAt(3, 10, 4, 9, 3, colours), kBlue);
}

TEST(Gradient, ThreeColoursShareTheLengthAndTooShortALengthIsTheFirst) {
  const std::uint32_t colours[] = {kRed, 0x00FF00, kBlue};
  EXPECT_EQ(ColourAlong(50, 100, colours), 0x00FF00u);
  EXPECT_EQ(ColourAlong(99, 100, colours) & 0xFF, 0u);
  EXPECT_EQ(ColourAlong(0, 1, colours), kRed);  // segment 0
  EXPECT_EQ(GradientMode(std::nullopt), 2);
  EXPECT_EQ(GradientMode(0), 1);
  EXPECT_EQ(GradientMode(12), 8);
}

TEST(FillGradient, PaintsTheAreaClippedAndNothingElse) {
  Surface s(120, 60);
  const std::uint32_t colours[] = {kRed, kBlue};
  FillGradient(s.view(), {-10, 10, 130, 40}, 2, colours);
  EXPECT_EQ(s.at(0, 9), kUntouched);
  EXPECT_EQ(s.at(0, 50), kUntouched);
  // Surface x = 0 is x = 10 of the area, which starts left of the surface.
  EXPECT_EQ(s.at(0, 10), Opaque(GradientColourAt(2, 130, 40, 10, 0, colours)));
  EXPECT_EQ(s.at(119, 49), Opaque(GradientColourAt(2, 130, 40, 129, 39, colours)));
  // The whole width of each row is painted, across tile borders.
  for (int x : {0, 49, 50, 99, 100, 119}) EXPECT_NE(s.at(x, 30), kUntouched) << x;
}

TEST(FillGradient, DrawsNothingWithoutSizeColoursOrPixels) {
  Surface s(10, 10);
  const std::uint32_t two[] = {kRed, kBlue}, one[] = {kRed};
  FillGradient(s.view(), {0, 0, 0, 10}, 1, two);
  FillGradient(s.view(), {0, 0, 10, 10}, 1, one);
  FillGradient(PixelSurface{std::span(s.pixels).first(20), 10, 10}, {0, 0, 10, 10}, 1, two);
  for (std::uint32_t p : s.pixels) ASSERT_EQ(p, kUntouched);
}

TEST(CopyModes, CombineSourceAndTargetOpaquely) {
  const std::uint32_t source = 0xFF00F0F0, target = 0xFF0F00FF;
  EXPECT_EQ(CombinePixels(CopyMode::Copy, source, target), 0xFF00F0F0u);
  EXPECT_EQ(CombinePixels(CopyMode::Inverted, source, target), 0xFFFF0F0Fu);
  EXPECT_EQ(CombinePixels(CopyMode::ExclusiveOr, source, target), 0xFF0FF00Fu);
  EXPECT_EQ(CombinePixels(CopyMode::Or, source, target), 0xFF0FF0FFu);
  EXPECT_EQ(CombinePixels(CopyMode::And, source, target), 0xFF0000F0u);
  EXPECT_EQ(CopyModeOf(3), CopyMode::ExclusiveOr);
  for (OptionalInt other : {OptionalInt{}, OptionalInt{0}, OptionalInt{7}, OptionalInt{-1}}) {
    EXPECT_EQ(CopyModeOf(other), CopyMode::Copy);
  }
}

TEST(CopyArea, ClipsBothSidesAndCopiesOntoItselfFromTheOriginal) {
  Surface s(4, 1);
  s.pixels = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
  // Overlapping copy one pixel to the right: the source is read first.
  CopyArea(s.view(), {0, 0, 3, 1}, s.view(), 1, 0, CopyMode::Copy);
  EXPECT_EQ(s.pixels, (std::vector<std::uint32_t>{0xFF000001, 0xFF000001, 0xFF000002, 0xFF000003}));

  Surface target(2, 2);
  CopyArea(s.view(), {-1, 0, 10, 5}, target.view(), 1, 1, CopyMode::Copy);
  // Source pixels from x = 0 land at target x = 2 and beyond: only row 1,
  // column 1 receives x = -1, which does not exist.
  EXPECT_EQ(target.at(0, 0), kUntouched);
  EXPECT_EQ(target.at(1, 1), kUntouched);
  CopyArea(s.view(), {2, 0, 2, 1}, target.view(), 0, 1, CopyMode::Copy);
  EXPECT_EQ(target.at(0, 1), 0xFF000002u);
  EXPECT_EQ(target.at(1, 1), 0xFF000003u);
}

}  // namespace
}  // namespace horavia::runtime::commands
