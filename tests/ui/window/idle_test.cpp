// Idle processing: hooks newest first and dropped with their window, event 7
// with the elapsed time, windows declining further idle events.
#include "platform/ticks.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;

using IdleTest = EngineTest;

std::vector<int>& HookCalls() {
  static std::vector<int> calls;
  return calls;
}
void Hook(void* argument) { HookCalls().push_back(*static_cast<int*>(argument)); }

TEST_F(IdleTest, RaisesIdleWithElapsedTimeFromCountTwoUntilTheWindowDeclines) {
  platform::ManualTicks ticks(5000);
  Unit window = WindowUnit(kWindowId, PlainWindowData());
  Bind(window, 7, 5);
  Start({MakeForm(kForm, {window})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  Results()[5] = SubroutineResult::Bool(true);
  EXPECT_TRUE(engine().idleStep(0));
  ticks.advance(40);
  EXPECT_TRUE(engine().idleStep(1));
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(engine().idleStep(2));
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].args, (std::vector<std::uint32_t>{40}));
  Results()[5] = SubroutineResult::Bool(false);
  EXPECT_FALSE(engine().idleStep(3));
  EXPECT_FALSE(engine().idleStep(4));
  EXPECT_EQ(Calls().size(), 2u);  // declined for the rest of the period
  engine().idleStep(0);
  engine().idleStep(2);
  EXPECT_EQ(Calls().size(), 3u);  // a new period asks again
}

TEST_F(IdleTest, HooksRunNewestFirstAndGoWithTheirWindow) {
  Start({MakeForm(kForm, {WindowUnit(kWindowId, PlainWindowData())})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  HookCalls().clear();
  int one = 1, two = 2;
  auto* doomed = new QWidget;
  engine().addIdleHook(Window(kForm), &Hook, &one);
  engine().addIdleHook(doomed, &Hook, &two);
  engine().runIdleHooks();
  EXPECT_EQ(HookCalls(), (std::vector<int>{2, 1}));
  delete doomed;
  HookCalls().clear();
  engine().runIdleHooks();
  EXPECT_EQ(HookCalls(), (std::vector<int>{1}));
  engine().removeIdleHook(Window(kForm));
  HookCalls().clear();
  engine().runIdleHooks();
  EXPECT_TRUE(HookCalls().empty());
}

}  // namespace
}  // namespace horavia::ui::testing
