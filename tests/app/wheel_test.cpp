// The prize wheel on the real program: a whole spin's stages, sounds and end
// pictures in milliseconds of test time, which object turns, the display
// modes, and a spin that outlives its window.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include "app/call.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/timers.h"
#include "runtime/entry.h"
#include "runtime/libraries/library_records.h"
#include "tests/app/app_fixture.h"
#include "tests/support/process_exit.h"
#include "ui/window/engine.h"

namespace horavia::app::testing {
namespace {

using runtime::ArgRecord;

// Every rotation start, as the box command receives it.
struct RotationStart {
  std::uint32_t tick;
  std::int32_t object;
  std::int32_t step;
};
std::vector<RotationStart>& Rotations() {
  static std::vector<RotationStart> starts;
  return starts;
}
runtime::CommandFunction& RealStartAutoRotate() {
  static runtime::CommandFunction real = nullptr;
  return real;
}
void RecordingStartAutoRotate(ArgRecord* result, std::int32_t count, ArgRecord* args) {
  Rotations().push_back({platform::TickCount(), args[1].asInt32(), args[2].asInt32()});
  RealStartAutoRotate()(result, count, args);
}

class SpinTest : public AppTest {
 protected:
  void Start() {
    AppTest::Start();
    const auto slot = static_cast<int>(BoxCommand::StartAutoRotate);
    RealStartAutoRotate() = runtime::RuntimeLibraries()[1]->commands[slot];
    runtime::InstallCommand(runtime::kExtendedInterfaceLibrary, slot, &RecordingStartAutoRotate);
    Rotations().clear();
  }
  void TearDown() override {
    runtime::InstallCommand(runtime::kExtendedInterfaceLibrary, static_cast<int>(BoxCommand::StartAutoRotate),
                            RealStartAutoRotate());
    AppTest::TearDown();
  }
  // The rotations of one object, in order.
  std::vector<RotationStart> Of(std::int32_t object) {
    std::vector<RotationStart> out;
    for (const RotationStart& r : Rotations())
      if (r.object == object) out.push_back(r);
    return out;
  }
  // Objects the spin's end made: everything after the five of start-up.
  std::size_t EndPictures() { return Box().objectCount() - 5; }
};

TEST_F(SpinTest, AWholeSpinRunsItsStagesInOrderThenEndsWithItsSoundAndPictures) {
  Start();
  const std::uint32_t start = ticks_.now();
  spinWheel({});
  // The first spin after a start draws d = 6: six seconds fast, then the
  // slowing stages, the 12° stage d / 3 seconds long.
  std::vector<RotationStart> needle = Of(State().needle);
  const std::int32_t kSteps[] = {100, 50, 25, 12, 6, 3, 2, 1, 0};
  const std::uint32_t kWaits[] = {6000, 1000, 1000, 2000, 1000, 1000, 1000, 1000};
  ASSERT_EQ(needle.size(), std::size(kSteps));
  for (std::size_t i = 0; i < needle.size(); ++i) EXPECT_EQ(needle[i].step, kSteps[i]) << i;
  EXPECT_EQ(needle[0].tick, start);
  for (std::size_t i = 0; i + 1 < needle.size(); ++i) {
    const std::uint32_t gap = needle[i + 1].tick - needle[i].tick;
    EXPECT_GE(gap, kWaits[i]) << i;
    EXPECT_LE(gap, kWaits[i] + 5) << i;  // a wait ends just past its time
  }
  // The end: the end sound plays (a stream of the skin's end sound) and the
  // two end pictures stand where pf.ini puts them.
  EXPECT_NE(State().stream, 0u);
  ASSERT_EQ(EndPictures(), 2u);
  const anim::BoxObject& end1 = Box().objectAt(Box().objectCount() - 2);
  EXPECT_EQ(end1.x, State().end1X);
  EXPECT_EQ(end1.y, State().end1Y);
  // They vanish after their plays.
  ticks_.advance(30000);
  EXPECT_EQ(EndPictures(), 0u);
}

TEST_F(SpinTest, TheSkinDecidesWhetherTheWheelOrTheNeedleTurns) {
  WriteSetting("皮肤文件名", "喜庆");  // its pf.ini has 转盘=1
  Start();
  ASSERT_EQ(State().rotateWheel, 1);
  spinWheel({});
  EXPECT_EQ(Of(State().wheel).size(), 9u);
  EXPECT_TRUE(Of(State().needle).empty());
}

TEST_F(SpinTest, TheFirstSpinsOfAProgramRunDrawTheSameSequence) {
  Start();
  std::vector<std::uint32_t> fastStages;
  for (int spin = 0; spin < 4; ++spin) {
    Rotations().clear();
    spinWheel({});
    std::vector<RotationStart> needle = Of(State().needle);
    ASSERT_GE(needle.size(), 2u);
    fastStages.push_back((needle[1].tick - needle[0].tick) / 1000);
  }
  EXPECT_EQ(fastStages, (std::vector<std::uint32_t>{6, 12, 11, 5}));
}

TEST_F(SpinTest, EscapeDuringASpinEndsTheProgramCleanly) {
  Start();
  QWidget* window = static_cast<QWidget*>(
      runtime::Runtime().windowHost()->findUnit(main_window::kForm, main_window::kWindow.unitId));
  ASSERT_NE(window, nullptr);
  // Three seconds into the spin the user presses Escape (the key goes to the
  // focused unit first, as the keyboard sends it).
  platform::Timer escape([window] {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QWidget* focus = QApplication::focusWidget();
    QApplication::sendEvent(focus != nullptr && focus->window() == window ? focus : window, &key);
  });
  escape.startIn(3000);
  QTimer::singleShot(0, [] { spinWheel({}); });
  // Should the program not end, fail instead of waiting for ever.
  QTimer::singleShot(20000, [] {
    ADD_FAILURE() << "the program did not end";
    static_cast<ui::WindowEngine*>(runtime::Runtime().windowHost())->requestQuit();
  });
  runtime::Entries().runMessageLoop();
  // The spin stopped at its next wait instead of acting on a box that is
  // gone; the program ends with code 0 and no message.
  EXPECT_FALSE(runtime::Runtime().windowHost()->anyWindowLive());
  EXPECT_LT(Rotations().size(), 3u);
  EXPECT_EQ(horavia::testing::ExitCodeOf([] { runtime::Runtime().exitProgram(0); }), 0);
  EXPECT_TRUE(dialogs_.empty());
}

TEST_F(AppTest, TheModesSwitchTheOutlineAndTheWheelButNotTheHands) {
  Start();
  AppState& state = State();
  EXPECT_FALSE(Object(state.wheel)->visible);
  showWheel({});
  EXPECT_TRUE(Object(state.wheel)->visible);
  EXPECT_TRUE(Object(state.needle)->visible);
  EXPECT_TRUE(Object(state.hourHand)->visible);
  Call(BoxCommand::SetObjectAngle, {Unit(main_window::kBox), Int(state.needle), Int(77)});
  resetWheel({});
  EXPECT_EQ(Object(state.needle)->angle, 0);
  showClock({});
  EXPECT_FALSE(Object(state.wheel)->visible);
  EXPECT_FALSE(Object(state.needle)->visible);
}

}  // namespace
}  // namespace horavia::app::testing
