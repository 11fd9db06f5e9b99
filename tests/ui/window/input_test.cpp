// Keyboard and mouse pre-processing: common events with their arguments,
// swallowing by a false result, replaced characters, Tab order, dragging.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;
constexpr std::uint32_t kFirst = 0x16000001;
constexpr std::uint32_t kSecond = 0x16000002;
constexpr std::uint32_t kThird = 0x16000003;

class InputTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Unit first = ChildUnit(kFirst, kTestUnitType, 10, 10, 40, 40, unit_flags::kVisible | unit_flags::kTabStop);
    first.tabOrder = 2;
    Bind(first, -1, 0);   // left button down
    Bind(first, -9, 1);   // key down
    Bind(first, -11, 2);  // character
    Bind(first, -7, 3);   // focus received
    Unit second = ChildUnit(kSecond, kTestUnitType, 60, 10, 40, 40, unit_flags::kVisible | unit_flags::kTabStop);
    second.tabOrder = 1;
    Unit third = ChildUnit(kThird, kTestUnitType, 110, 10, 40, 40, unit_flags::kVisible | unit_flags::kTabStop);
    third.tabOrder = 3;
    Start({MakeForm(kForm, {WindowUnit(kWindowId, PlainWindowData()), first, second, third})});
    ASSERT_TRUE(engine().loadStartWindow(kForm));
    // Keys go to the focus widget of the active window.
    QApplication::setActiveWindow(Window(kForm));
  }

  TestUnit* U(std::uint32_t id) { return static_cast<TestUnit*>(Widget(kForm, id)); }

  void PressLeft(QWidget* w, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, mods);
    QApplication::sendEvent(w, &press);
  }
  bool Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, mods, text);
    return QApplication::sendEvent(w, &event) && event.isAccepted();
  }
};

TEST_F(InputTest, LeftButtonDownCarriesClientPositionAndModifiers) {
  PressLeft(U(kFirst), {5, 7}, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(CalledHandlers(), (std::vector<int>{0}));
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].args, (std::vector<std::uint32_t>{5, 7, 3}));
  EXPECT_EQ(Calls()[0].source.unitId, kFirst);
  EXPECT_EQ(U(kFirst)->presses, 1);
}

TEST_F(InputTest, AFalseResultSwallowsThePressAndOnlyThat) {
  Results()[0] = SubroutineResult::Bool(false);
  PressLeft(U(kFirst), {5, 5});
  EXPECT_EQ(U(kFirst)->presses, 0);
  Results()[0] = SubroutineResult::Bool(true);
  PressLeft(U(kFirst), {5, 5});
  EXPECT_EQ(U(kFirst)->presses, 1);
}

TEST_F(InputTest, AKeyDownHandlerReturningFalseStopsTheKeyAndNothingLetsItThrough) {
  U(kFirst)->setFocus();
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{3}));  // focus received
  Calls().clear();
  Results()[1] = SubroutineResult::Bool(false);
  Key(U(kFirst), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  EXPECT_EQ(U(kFirst)->keys, 0);
  Results().erase(1);
  Key(U(kFirst), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  EXPECT_EQ(U(kFirst)->keys, 1);
  ASSERT_GE(Calls().size(), 2u);
  // The key event carried the virtual-key code of A; the character event 'a'.
  EXPECT_EQ(Calls()[0].args, (std::vector<std::uint32_t>{0x41, 0}));
  EXPECT_EQ(Calls().back().args, (std::vector<std::uint32_t>{'a'}));
}

TEST_F(InputTest, ACharacterHandlerReplacesOrSwallowsTheCharacter) {
  U(kFirst)->setFocus();
  Calls().clear();
  Results()[2] = SubroutineResult::Value('b');
  Key(U(kFirst), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  // The replacement reached the unit once, without a second round of events.
  EXPECT_EQ(U(kFirst)->keys, 1);
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{1, 2}));
  Results()[2] = SubroutineResult::Value(0);
  Key(U(kFirst), Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
  EXPECT_EQ(U(kFirst)->keys, 1);
}

TEST_F(InputTest, TabFollowsTheTabOrderAndShiftTabGoesBack) {
  U(kSecond)->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), U(kSecond));
  Key(U(kSecond), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), U(kFirst));
  Key(U(kFirst), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), U(kThird));
  Key(U(kThird), Qt::Key_Tab);  // wraps to the lowest
  EXPECT_EQ(QApplication::focusWidget(), U(kSecond));
  Key(U(kSecond), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), U(kThird));
  EXPECT_EQ(U(kSecond)->keys + U(kFirst)->keys + U(kThird)->keys, 0);
}

TEST_F(InputTest, ArrowKeysStayWithAUnitThatIsNoButton) {
  U(kSecond)->setFocus();
  Key(U(kSecond), Qt::Key_Down);
  Key(U(kSecond), Qt::Key_Right);
  EXPECT_EQ(QApplication::focusWidget(), U(kSecond));
  EXPECT_EQ(U(kSecond)->keys, 2);
}

using DragTest = EngineTest;

TEST_F(DragTest, DragAnywhereMovesTheWindowWithTheMouseUntilRelease) {
  WindowData data = PlainWindowData();
  data.dragAnywhere = 1;
  Start({MakeForm(kForm, {WindowUnit(kWindowId, data)})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  CWinFormUnit* w = Window(kForm);
  QPoint start = w->pos();
  QPoint grip(20, 20);
  QPoint global = w->mapToGlobal(grip);
  QMouseEvent press(QEvent::MouseButtonPress, grip, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent move(QEvent::MouseMove, grip + QPoint(30, 15), global + QPoint(30, 15), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  EXPECT_EQ(w->pos(), start + QPoint(30, 15));
  QMouseEvent release(QEvent::MouseButtonRelease, grip, global + QPoint(30, 15), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
  QMouseEvent after(QEvent::MouseMove, grip, global + QPoint(90, 90), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &after);
  EXPECT_EQ(w->pos(), start + QPoint(30, 15));
}

}  // namespace
}  // namespace horavia::ui::testing
