// Pointer sequences and the events they raise.
#include <gtest/gtest.h>

#include "tests/anim/cartoonbox/box_fixture.h"

namespace horavia::anim {
namespace {

using testing::BoxTest;
using testing::RaisedEvent;
using testing::Solid;
using testing::TemplateOf;

// Two 20 × 20 objects: A at (0, 0), B at (50, 0); the rest is empty.
class PointerTest : public BoxTest {
 protected:
  PointerTest() {
    a = Create(picture, 0, 0);
    b = Create(picture, 50, 0);
    host.events.clear();
  }
  ObjectTemplate picture = TemplateOf(Solid(20, 20, 0x00FF0000));
  std::int32_t a = 0;
  std::int32_t b = 0;
};

TEST_F(PointerTest, ClickOnAnObjectReleasesWithBothIdsEqual) {
  box().leftDown(5, 5);
  box().leftUp(6, 6);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{{kEventLeftDown, {a}}, {kEventLeftUp, {a, a}}}));
  EXPECT_EQ(box().pressed(), 0);
}

TEST_F(PointerTest, PressOnAnObjectMoveOffAndReleaseKeepsThePressedId) {
  box().leftDown(5, 5);
  box().pointerMoved(5, 5, true);
  box().pointerMoved(30, 5, true);
  box().leftUp(30, 5);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{
                             {kEventLeftDown, {a}},
                             {kEventEnter, {a, a}},
                             {kEventPointerMoved, {5, 5, a}},
                             {kEventLeave, {a, a}},
                             {kEventPointerMoved, {30, 5, a}},
                             {kEventLeftUp, {0, a}},
                         }));
}

TEST_F(PointerTest, PressOnNothingReleasesWithMinusOne) {
  box().leftDown(30, 30);
  box().leftUp(55, 5);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{{kEventLeftDown, {0}}, {kEventLeftUp, {b, -1}}}));
}

TEST_F(PointerTest, PressedObjectDestroyedBeforeTheReleaseCountsAsMinusOne) {
  box().leftDown(5, 5);
  box().destroy(a);
  host.events.clear();
  box().pointerMoved(55, 5, true);
  box().leftUp(55, 5);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{
                             {kEventEnter, {b, -1}}, {kEventPointerMoved, {55, 5, -1}}, {kEventLeftUp, {b, -1}}}));
}

TEST_F(PointerTest, HoverEntersAndLeavesObjectsAndTheBox) {
  box().pointerMoved(5, 5, false);
  box().pointerMoved(55, 5, false);
  box().pointerLeft();
  box().pointerLeft();  // nothing hovered any more
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{
                             {kEventEnter, {a, 0}},
                             {kEventPointerMoved, {5, 5, 0}},
                             {kEventLeave, {a, 0}},
                             {kEventEnter, {b, 0}},
                             {kEventPointerMoved, {55, 5, 0}},
                             {kEventLeave, {b, 0}},
                         }));
}

TEST_F(PointerTest, RightButtonAndDoubleClickReportTheObjectOrZero) {
  box().rightDown(55, 5);
  box().rightUp(30, 30);
  box().doubleClick(5, 5);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{
                             {kEventRightDown, {b}}, {kEventRightUp, {0}}, {kEventDoubleClick, {a}}}));
}

TEST_F(PointerTest, HandlerThatClosesTheBoxStopsTheSequence) {
  host.actions[kEventEnter] = [&](auto) { host.box.reset(); };
  EXPECT_FALSE(host.box->pointerMoved(5, 5, false));
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{{kEventEnter, {a, 0}}}));
}

}  // namespace
}  // namespace horavia::anim
