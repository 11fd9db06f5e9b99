// Closing windows: the close event's veto, the destroyed event, the quit
// after the last live window, the message loop, teardown without events.
#include <QKeyEvent>
#include <QTimer>
#include <thread>

#include "runtime/entry.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kMain = 0x52010001;
constexpr std::uint32_t kMainWindow = 0x06010000;
constexpr std::uint32_t kSecond = 0x52010002;
constexpr std::uint32_t kSecondWindow = 0x06010001;

class ClosingTest : public EngineTest {
 protected:
  void StartTwo() {
    Unit main = WindowUnit(kMainWindow, PlainWindowData());
    Bind(main, 1, 1);  // close requested
    Bind(main, 2, 2);  // destroyed
    Start({MakeForm(kMain, {main, ChildUnit(0x16000001, kTestUnitType, 0, 0, 10, 10)}),
           MakeForm(kSecond, {WindowUnit(kSecondWindow, PlainWindowData())})});
  }
};

TEST_F(ClosingTest, AFalseCloseResultKeepsTheWindow) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  Results()[1] = SubroutineResult::Bool(false);
  EXPECT_FALSE(Window(kMain)->close());
  FinishDeletes();
  ASSERT_NE(Window(kMain), nullptr);
  EXPECT_TRUE(Window(kMain)->isVisible());
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{1}));
}

TEST_F(ClosingTest, ACloseHandlerReturningNothingLetsTheWindowGo) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  Window(kMain)->close();
  FinishDeletes();
  EXPECT_EQ(Window(kMain), nullptr);
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{1, 2}));
  // The working copy is gone: the stored form answers again, unchanged.
  EXPECT_EQ(engine().findUnit(kMain, 0x16000001), nullptr);
  EXPECT_EQ(engine().unitsOf(kMain), &engine().findForm(kMain)->units);
}

TEST_F(ClosingTest, ClosingOneOfTwoWindowsDoesNotQuitButTheLastDoes) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  ASSERT_TRUE(engine().buildWindowFromForm(kSecond, false, nullptr));
  runtime::Runtime().setMessageLoopRunning();
  Window(kSecond)->close();
  FinishDeletes();
  EXPECT_FALSE(engine().quitRequested());
  Window(kMain)->close();
  FinishDeletes();
  EXPECT_TRUE(engine().quitRequested());
}

TEST_F(ClosingTest, TheMessageLoopEndsWhenTheLastWindowCloses) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  QTimer::singleShot(0, [this] { Window(kMain)->close(); });
  runtime::Entries().runMessageLoop();
  EXPECT_FALSE(engine().anyWindowLive());
  // Entering the loop again with no window left returns at once.
  runtime::Entries().runMessageLoop();
}

TEST_F(ClosingTest, EscapeClosesByDefault) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(Window(kMain), &escape);
  FinishDeletes();
  EXPECT_EQ(Window(kMain), nullptr);
}

TEST_F(ClosingTest, TeardownAtExitDestroysEveryWindowWithoutEvents) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  ASSERT_TRUE(engine().buildWindowFromForm(kSecond, false, nullptr));
  engine().destroyAllWindows();
  EXPECT_FALSE(engine().anyWindowLive());
  EXPECT_TRUE(Calls().empty());  // neither close requested nor destroyed was raised
}

TEST_F(ClosingTest, AnExitFromAnotherThreadIsForwardedToTheMainThread) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  std::thread([this] { engine().forwardExit(3); }).join();
  EXPECT_EQ(ExitCodeOf([] { QCoreApplication::sendPostedEvents(); }), 3);
}

}  // namespace
}  // namespace horavia::ui::testing
