// What the window and unit commands ask of the engine: copies of units,
// destroying units, closing after the current event, shapes from pictures.
#include <QCoreApplication>

#include "runtime/services.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;
constexpr std::uint32_t kFirst = 0x16000001;
constexpr std::uint32_t kSecond = 0x16000005;

class CommandsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Unit first = ChildUnit(kFirst, kTestUnitType, 10, 10, 40, 40);
    Bind(first, 5, 3);
    Start({MakeForm(kForm, {WindowUnit(kWindowId, PlainWindowData()), first,
                            ChildUnit(kSecond, kTestUnitType, 60, 10, 40, 40)})});
    ASSERT_TRUE(engine().loadStartWindow(kForm));
  }
};

TEST_F(CommandsTest, ACopyGetsANewIdSitsBehindItsSourceAndUsesItsBindings) {
  std::uint32_t copy = engine().copyUnit(kForm, kFirst);
  ASSERT_EQ(copy, kSecond + 1);
  QWidget* source = Widget(kForm, kFirst);
  QWidget* w = Widget(kForm, copy);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->geometry(), source->geometry());
  QObjectList stack = Window(kForm)->children();
  EXPECT_EQ(stack.indexOf(w) + 1, stack.indexOf(source));
  runtime::PlainEventRecord record;
  record.formId = kForm;
  record.unitId = copy;
  record.event = 5;
  EXPECT_EQ(engine().raiseEvent(record), 1);
  ASSERT_EQ(CalledHandlers(), (std::vector<int>{3}));
  EXPECT_EQ(Calls()[0].source.unitId, copy);
  EXPECT_EQ(engine().copyUnit(kForm, kWindowId), 0u);  // the window is not a unit to copy
}

TEST_F(CommandsTest, ADestroyedUnitWithoutChildWindowsLeavesTheForm) {
  engine().destroyUnit(kForm, kSecond);
  EXPECT_EQ(engine().findUnit(kForm, kSecond), nullptr);
  EXPECT_FALSE(findUnit(*engine().unitsOf(kForm), kSecond).has_value());
  // The stored form still has it for the next load.
  EXPECT_TRUE(findUnit(engine().findForm(kForm)->units, kSecond).has_value());
}

TEST_F(CommandsTest, ACloseRequestWaitsForTheCurrentEventToFinish) {
  engine().closeWindow(kForm, false);
  EXPECT_NE(Window(kForm), nullptr);
  QCoreApplication::sendPostedEvents();
  FinishDeletes();
  EXPECT_EQ(Window(kForm), nullptr);
}

TEST_F(CommandsTest, APictureRegionShapesTheWindowAndSurvivesResizing) {
  const std::uint8_t bmp[] = {
      'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header: size 62, pixels at 54
      40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,           // info header: 2 x 1
      1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,            // one plane, 24 bits, no compression
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // resolution, colours used and important
      0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0};      // black, white, padding
  ASSERT_TRUE(engine().shapeWindowFromPicture(kForm, bmp, sizeof bmp, 0xFFFFFF, 100));
  const QRegion& region = Window(kForm)->shapeRegion();
  EXPECT_TRUE(region.contains(QPoint(0, 0)));
  EXPECT_FALSE(region.contains(QPoint(1, 0)));
  Window(kForm)->resize(90, 90);
  EXPECT_TRUE(Window(kForm)->shapeRegion().contains(QPoint(0, 0)));
  EXPECT_FALSE(engine().shapeWindowFromPicture(kForm, bmp, 10, 0xFFFFFF, 100));  // truncated: no region
  EXPECT_TRUE(Window(kForm)->shapeRegion().contains(QPoint(0, 0)));
}

}  // namespace
}  // namespace horavia::ui::testing
