// Closing windows: the close event's veto, the destroyed event, the quit
// after the last live window, the message loop, teardown without events.
#include <QKeyEvent>
#include <QTimer>
#include <thread>

#include "platform/ticks.h"
#include "platform/timers.h"
#include "runtime/commands/commands.h"
#include "runtime/entry.h"
#include "runtime/services.h"
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
    Bind(main, 5, 3);  // activated: the tests raise it to run a handler
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

// Loads the second window modally; `inside` runs once its modal loop runs.
// Answers whether the load request returned.
bool RunModal(WindowEngine& engine, std::function<void()> inside) {
  QTimer::singleShot(0, std::move(inside));
  runtime::LoadWindowRequest request{kSecond, nullptr, 1};
  (void)engine;
  return runtime::RuntimeApp::Service(runtime::kServiceLoadWindow, reinterpret_cast<std::intptr_t>(&request), 0) == 0;
}

TEST_F(ClosingTest, AWindowAskedToCloseAfterTheCurrentEventStillClosesAndEndsItsModalLoop) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  // As the close command does it: marked closing, then the posted request.
  EXPECT_TRUE(RunModal(engine(), [this] { engine().closeWindow(kSecond, false); }));
  EXPECT_EQ(Window(kSecond), nullptr);
  EXPECT_TRUE(Window(kMain)->isEnabled());
  EXPECT_FALSE(engine().currentModalForm().has_value());
}

TEST_F(ClosingTest, ShowingAShownModalWindowAgainStartsNoSecondLoop) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  bool writeReturnedWhileOpen = false;
  EXPECT_TRUE(RunModal(engine(), [&] {
    // Were a second loop started, only this later close would end it.
    QTimer::singleShot(0, [this] {
      if (Window(kSecond) != nullptr) Window(kSecond)->close();
    });
    engine().writeProperty(kSecond, kSecondWindow, 5, -1, 1, 0);
    writeReturnedWhileOpen = Window(kSecond) != nullptr;
    if (Window(kSecond) != nullptr) Window(kSecond)->close();
  }));
  EXPECT_TRUE(writeReturnedWhileOpen);
  EXPECT_TRUE(Window(kMain)->isEnabled());
}

// A handler of the main window waits while a timer closes a window.
class DelayTest : public ClosingTest {
 protected:
  void RunDelayingHandler(std::uint32_t closing) {
    platform::Timer closer([this, closing] { engine().closeWindow(closing, true); });
    Actions()[3] = [&] {
      closer.startIn(100);
      runtime::ArgRecord ms = runtime::ArgRecord::Int(500);
      runtime::ArgRecord result{};
      runtime::commands::Delay(&result, 1, &ms);
      afterWait = {Window(kMain) != nullptr, Window(kSecond) != nullptr};
    };
    engine().deliver(kMain, kMainWindow, 5, {});
  }
  struct Loaded {
    bool main = false, second = false;
  } afterWait;
  platform::ManualTicks ticks{5000};
};

TEST_F(DelayTest, AnotherWindowClosedDuringTheWaitIsGoneWhenItReturns) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  ASSERT_TRUE(engine().buildWindowFromForm(kSecond, false, nullptr));
  QPointer<CWinFormUnit> second = Window(kSecond);
  bool deletedDuringTheWait = false;
  QObject::connect(second, &QObject::destroyed, [&] { deletedDuringTheWait = Window(kMain) != nullptr; });
  RunDelayingHandler(kSecond);
  EXPECT_TRUE(afterWait.main);
  EXPECT_FALSE(afterWait.second);
  EXPECT_TRUE(second.isNull());
  EXPECT_TRUE(deletedDuringTheWait);
}

TEST_F(DelayTest, TheHandlersOwnWindowLeavesAtOnceButIsDeletedOnlyAfterTheHandler) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  QPointer<CWinFormUnit> main = Window(kMain);
  RunDelayingHandler(kMain);
  EXPECT_FALSE(afterWait.main);  // not loaded: commands on it find nothing
  EXPECT_FALSE(main.isNull());   // but the object outlived the handler's wait
  FinishDeletes();
  EXPECT_TRUE(main.isNull());
}

TEST_F(DelayTest, TheWaitEndsAtOnceWhenTheLastWindowCloses) {
  StartTwo();
  ASSERT_TRUE(engine().loadStartWindow(kMain));
  runtime::Runtime().setMessageLoopRunning();
  std::uint32_t start = ticks.now();
  RunDelayingHandler(kMain);
  EXPECT_TRUE(engine().quitRequested());
  EXPECT_LT(ticks.now() - start, 200u);  // it did not wait out its 500 ms
}

}  // namespace
}  // namespace horavia::ui::testing
