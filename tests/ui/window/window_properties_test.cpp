// The window's own properties through the property entries: kinds, clamped
// choices, and the effects applied at once.
#include "runtime/entry.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;

class WindowPropertiesTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    WindowData data = PlainWindowData();
    data.title = "clock";
    data.alwaysOnTop = 1;
    Start({MakeForm(kForm, {WindowUnit(kWindowId, data)})});
    ASSERT_TRUE(engine().loadStartWindow(kForm));
  }
  std::uint64_t Read(std::int32_t property) {
    return runtime::Entries().readUnitProperty(kForm, kWindowId, property, -1);
  }
  void Write(std::int32_t property, std::uint64_t value) {
    runtime::Entries().writeUnitProperty(kForm, kWindowId, property, -1, static_cast<std::uint32_t>(value),
                                         static_cast<std::uint32_t>(value >> 32));
  }
};

TEST_F(WindowPropertiesTest, TheTitleIsANewTextAndSetsTheCaption) {
  auto* title = reinterpret_cast<char*>(static_cast<std::uintptr_t>(Read(8)));
  ASSERT_NE(title, nullptr);
  EXPECT_STREQ(title, "clock");
  runtime::Runtime().heap().free(title);
  Write(8, reinterpret_cast<std::uintptr_t>("alarm"));
  EXPECT_EQ(Window(kForm)->windowTitle(), QStringLiteral("alarm"));
}

TEST_F(WindowPropertiesTest, ChoicesAreClampedIntoTheirRange) {
  Write(9, 9);  // border 0-6
  EXPECT_EQ(Read(9), 6u);
  Write(28, static_cast<std::uint32_t>(-3));  // shape 0-29
  EXPECT_EQ(Read(28), 0u);
  Write(28, 40);
  EXPECT_EQ(Read(28), 29u);
  Write(12, 7);  // picture mode 0-3
  EXPECT_EQ(Read(12), 3u);
}

TEST_F(WindowPropertiesTest, BooleansStoreOneForAnyNonZeroAndApplyAtOnce) {
  EXPECT_TRUE(Window(kForm)->windowFlags() & Qt::WindowStaysOnTopHint);
  Write(29, 0);
  EXPECT_FALSE(Window(kForm)->windowFlags() & Qt::WindowStaysOnTopHint);
  Write(29, 0x100);
  EXPECT_EQ(Read(29), 1u);
  EXPECT_TRUE(Window(kForm)->windowFlags() & Qt::WindowStaysOnTopHint);
  // Stored only: the taskbar button is decided at the next load.
  Write(26, 0);
  EXPECT_EQ(Read(26), 0u);
  Write(9, 2);  // a new frame re-applies the window flags
  EXPECT_NE(Window(kForm)->windowType(), Qt::Tool);
}

}  // namespace
}  // namespace horavia::ui::testing
