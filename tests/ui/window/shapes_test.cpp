// The shape outlines and their effect on the window.
#include <set>

#include "tests/ui/window/engine_fixture.h"
#include "ui/window/shapes.h"

namespace horavia::ui::testing {
namespace {

TEST(ShapeTable, EveryOutlineIsAClosedPolygonInsideTheUnitSquare) {
  for (int shape = kFirstOutlineShape; shape < kShapeCount; ++shape) {
    std::span<const ShapePoint> outline = ShapeOutline(shape);
    ASSERT_GE(outline.size(), 3u) << "shape " << shape;
    std::set<std::pair<int, int>> distinct;
    for (ShapePoint p : outline) {
      EXPECT_TRUE(p.x >= 0 && p.x <= kShapeUnit && p.y >= 0 && p.y <= kShapeUnit) << "shape " << shape;
      distinct.insert({p.x, p.y});
    }
    EXPECT_GE(distinct.size(), 3u) << "shape " << shape;
  }
  EXPECT_TRUE(ShapeOutline(3).empty());
  EXPECT_TRUE(ShapeOutline(30).empty());
}

TEST(ShapeTable, KeepsTheClassicOutlinesAndScalesByMultiplyThenDivide) {
  std::vector<ShapePoint> triangle = ScaledOutline(4, 100, 50);
  EXPECT_EQ(triangle, (std::vector<ShapePoint>{{49, 0}, {100, 50}, {0, 50}, {49, 0}}));
  std::vector<ShapePoint> diamond = ScaledOutline(12, 32767, 32767);
  EXPECT_EQ(diamond, (std::vector<ShapePoint>{{16383, 0}, {32767, 16383}, {16383, 32767}, {0, 16383}}));
  std::vector<ShapePoint> cut = ScaledOutline(19, 32767, 32767);
  EXPECT_EQ(cut.front(), (ShapePoint{6553, 0}));
  EXPECT_EQ(cut.size(), 5u);
}

using WindowShapeTest = EngineTest;

TEST_F(WindowShapeTest, AGeometricShapeFollowsResizesAndShapeZeroRemovesIt) {
  WindowData data = PlainWindowData();
  data.shape = 1;
  Start({MakeForm(0x52010001, {WindowUnit(0x06010000, data)})});
  ASSERT_TRUE(engine().loadStartWindow(0x52010001));
  CWinFormUnit* w = Window(0x52010001);
  EXPECT_TRUE(w->shapeRegion().contains(QPoint(100, 75)));
  EXPECT_FALSE(w->shapeRegion().contains(QPoint(1, 1)));
  w->resize(400, 300);
  EXPECT_TRUE(w->shapeRegion().contains(QPoint(200, 150)));
  EXPECT_TRUE(w->shapeRegion().contains(QPoint(390, 150)));
  RawProperty none;
  w->setProperty(28 - 8, none);
  EXPECT_TRUE(w->shapeRegion().isEmpty());
  EXPECT_TRUE(w->mask().isEmpty());
}

}  // namespace
}  // namespace horavia::ui::testing
