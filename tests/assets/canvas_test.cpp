// The drawing rules every keyed picture relies on: flattening keeps edges
// hard against the colour the program removes and fades them toward the
// colour that will lie beside them; a confetti burst ends nearly empty, so
// the picture can vanish after its last frame.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>

#include "assets/canvas.h"
#include "assets/celebration.h"

namespace horavia::assets {
namespace {

// One row of pixels, each with its own coverage.
QImage Row(std::initializer_list<QRgb> premultiplied) {
  QImage layer(static_cast<int>(premultiplied.size()), 1, QImage::Format_ARGB32_Premultiplied);
  int x = 0;
  for (QRgb p : premultiplied) layer.setPixel(x++, 0, p);
  return layer;
}

TEST(Flatten, HalfCoveredIsTheEdgeAndItFadesTowardTheMatte) {
  // Premultiplied: a red of coverage a is (a, 0, 0, a).
  const QImage layer = Row({qRgba(0, 0, 0, 0), qRgba(127, 0, 0, 127), qRgba(128, 0, 0, 128), qRgba(255, 0, 0, 255)});
  const std::vector<std::uint32_t> out = Flatten(layer, kWhite, QColor(0, 0, 100));
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0], kWhite);
  EXPECT_EQ(out[1], kWhite);  // under half: outside
  // Over half: red laid over the matte, 127/255 of the matte showing.
  EXPECT_EQ(out[2], 0x800000u | static_cast<std::uint32_t>((100 * 127 + 127) / 255));
  EXPECT_EQ(out[3], 0xFF0000u);
}

TEST(Flatten, NothingDrawnEndsUpAsTheRemovedColour) {
  const QImage layer = Row({qRgba(255, 255, 255, 255), qRgba(255, 0, 255, 255), qRgba(0, 0, 0, 255)});
  const std::vector<std::uint32_t> onWhite = Flatten(layer, kWhite, QColor(0, 0, 0));
  EXPECT_NE(onWhite[0], kWhite);
  EXPECT_EQ(onWhite[0] & 0xFFFF00, 0xFFFF00u);  // still white to the eye
  const std::vector<std::uint32_t> onKey = FlattenHard(layer, 0xFF00FF);
  EXPECT_NE(onKey[1], 0xFF00FFu);
  const std::vector<std::uint32_t> onBlack = FlattenHard(layer, 0x000000);
  EXPECT_NE(onBlack[2], 0u);
}

TEST(FlattenHard, CoveredPixelsKeepTheirOwnColourAtFullStrength) {
  const QImage layer = Row({qRgba(100, 0, 0, 100), qRgba(0, 150, 0, 150)});
  const std::vector<std::uint32_t> out = FlattenHard(layer, kWhite);
  EXPECT_EQ(out[0], kWhite);
  EXPECT_EQ(out[1], 0x00FF00u);
}

TEST(ConfettiBurst, KeepsItsKeyInTheCornerAndEndsAlmostEmpty) {
  ConfettiStyle style;
  style.width = 120;
  style.height = 100;
  style.origin = QPointF(60, 70);
  style.speed = 400;
  style.gravity = 250;
  style.colours = {QColor(255, 90, 54), QColor(79, 195, 247)};
  style.shapes = {PieceShape::Paper, PieceShape::Ribbon, PieceShape::Coin, PieceShape::Star};
  style.pieces = 40;
  style.frames = 12;
  style.key = 0xFF00FF;
  const RgbPicture burst = DrawConfettiBurst(style);
  ASSERT_EQ(burst.frames.size(), 12u);
  auto drawn = [](const RgbFrame& f) {
    return std::count_if(f.pixels.begin(), f.pixels.end(), [](std::uint32_t p) { return p != 0xFF00FF; });
  };
  std::size_t most = 0;
  for (const RgbFrame& frame : burst.frames) {
    EXPECT_EQ(frame.pixels[0], 0xFF00FFu);
    EXPECT_EQ(frame.delayMs, style.delayMs);
    most = std::max<std::size_t>(most, drawn(frame));
  }
  EXPECT_GT(most, 400u) << "the burst should fill part of the picture";
  EXPECT_LT(drawn(burst.frames.back()), 30) << "the last frame should be nearly empty";
}

}  // namespace
}  // namespace horavia::assets
