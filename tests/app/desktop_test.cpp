// The clock on the desktop: its kept place and where it starts when no
// screen shows that place any more, a drag's end written once, the opacity,
// clicks passing through, the second hand and the once-a-minute clock, and
// the tray's menu.
#include "app/desktop.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include "app/call.h"
#include "app/operations.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/text_codec.h"
#include "runtime/runtime_app.h"
#include "tests/app/app_fixture.h"
#include "ui/window/engine.h"

namespace horavia::app::testing {
namespace {

// [place] ------------------------------------------------------------------------

constexpr ScreenArea kWide{0, 0, 1920, 1080};
constexpr ScreenArea kRightOfIt{1920, 0, 2560, 1440};

TEST(RestoredPlace, AKeptPlaceThatAScreenShowsStands) {
  const ScreenArea both[] = {kWide, kRightOfIt};
  EXPECT_EQ(RestoredPlace({1500, 700}, 300, 300, both), (WindowPlace{1500, 700}));
  EXPECT_EQ(RestoredPlace({3000, 1000}, 300, 300, both), (WindowPlace{3000, 1000}));  // the second screen
  // Half off the edge, or straddling two screens: still in reach.
  EXPECT_EQ(RestoredPlace({-150, -100}, 300, 300, both), (WindowPlace{-150, -100}));
  EXPECT_EQ(RestoredPlace({1800, 500}, 300, 300, both), (WindowPlace{1800, 500}));
}

TEST(RestoredPlace, APlaceNoScreenShowsFallsBackToTheDefaultOnThePrimaryScreen) {
  const ScreenArea one[] = {kWide};
  EXPECT_EQ(RestoredPlace({3000, 1000}, 300, 300, one), kDefaultPlace);  // its monitor unplugged
  EXPECT_EQ(RestoredPlace({-5000, 200}, 300, 300, one), kDefaultPlace);
  // The primary screen comes first and need not start at 0, 0.
  const ScreenArea primaryRight[] = {kRightOfIt, kWide};
  EXPECT_EQ(RestoredPlace({5000, 5000}, 300, 300, primaryRight), (WindowPlace{2120, 200}));
  EXPECT_EQ(RestoredPlace({5000, 5000}, 300, 300, {}), kDefaultPlace);
}

TEST(RestoredPlace, EnoughOfTheWindowToGrabMustShow) {
  const ScreenArea one[] = {kWide};
  EXPECT_EQ(RestoredPlace({1920 - kShownAtLeast, 0}, 300, 300, one), (WindowPlace{1870, 0}));
  EXPECT_EQ(RestoredPlace({1920 - kShownAtLeast + 1, 0}, 300, 300, one), kDefaultPlace);
  EXPECT_EQ(RestoredPlace({0, 1080 - kShownAtLeast + 1}, 300, 300, one), kDefaultPlace);
  // A window smaller than that counts when all of it shows.
  EXPECT_EQ(RestoredPlace({1900, 1060}, 20, 20, one), (WindowPlace{1900, 1060}));
  EXPECT_EQ(RestoredPlace({1901, 1060}, 20, 20, one), kDefaultPlace);
}

class DesktopTest : public AppTest {
 protected:
  static QWidget& Window() {
    void* unit = runtime::Runtime().windowHost()->findUnit(main_window::kForm, main_window::kWindow.unitId);
    return *static_cast<QWidget*>(unit);
  }
  DesktopClock& Desktop() { return *State().desktop; }
  // The program ended, as the test's end ends it, ready to start again.
  void Restart() {
    State().player->Free();
    runtime::Runtime().resetForTests();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ResetState();
  }
  std::size_t Writes(const std::string& key) {
    return static_cast<std::size_t>(std::count(observer_.events.begin(), observer_.events.end(), "setting " + key));
  }
  // A move as a drag makes it, then the mouse held still for `ms`.
  void MoveBy(int dx, int dy, std::uint32_t ms) {
    Window().move(Window().pos() + QPoint(dx, dy));
    QCoreApplication::processEvents();
    ticks_.advance(ms);
  }
};

TEST_F(DesktopTest, AFreshSettingsFileStartsTheClockAsItAlwaysWas) {
  Start();
  EXPECT_EQ(Window().pos(), QPoint(200, 200));
  EXPECT_EQ(Window().size(), QSize(300, 300));
  EXPECT_EQ(Window().windowOpacity(), 1.0);
  EXPECT_FALSE(Window().windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(Object(State().secondHand)->visible);
  EXPECT_TRUE(Object(State().secondHand)->rotating);
  EXPECT_EQ(ReadProperty(main_window::kClickThroughItem, property::kMenuChecked), 0);
  EXPECT_EQ(ReadProperty(main_window::kSecondHandItem, property::kMenuChecked), 1);
  // Nothing is written for switches left as they were.
  for (const char* key : {"窗口左边", "窗口顶边", "鼠标穿透", "不透明度", "显示秒针"}) EXPECT_EQ(Setting(key), "") << key;
}

TEST_F(DesktopTest, TheKeptPlaceIsRestoredAndOneNoScreenShowsIsNot) {
  WriteSetting("窗口左边", "310");
  WriteSetting("窗口顶边", "40");
  Start();
  EXPECT_EQ(Window().pos(), QPoint(310, 40));
  Restart();
  WriteSetting("窗口左边", "30000");  // no screen there
  Start();
  EXPECT_EQ(Window().pos(), QPoint(200, 200));
  EXPECT_EQ(Setting("窗口左边"), "30000");  // kept until the clock is dragged
}

TEST_F(DesktopTest, ADragIsWrittenOnceWhenItEndsAndTwoDragsTwice) {
  Start();
  observer_.events.clear();
  for (int step = 0; step < 10; ++step) MoveBy(5, 3, 50);  // mouse moves, 50 ms apart
  EXPECT_EQ(Writes("窗口左边"), 0u);
  ticks_.advance(kPlaceSettleMs);
  EXPECT_EQ(Writes("窗口左边"), 1u);
  EXPECT_EQ(Writes("窗口顶边"), 1u);
  EXPECT_EQ(Setting("窗口左边"), "250");
  EXPECT_EQ(Setting("窗口顶边"), "230");
  MoveBy(-100, 0, kPlaceSettleMs);
  EXPECT_EQ(Writes("窗口左边"), 2u);
  EXPECT_EQ(Setting("窗口左边"), "150");
  // Dragged back where it was: nothing new to write.
  MoveBy(20, 0, 10);
  MoveBy(-20, 0, kPlaceSettleMs);
  EXPECT_EQ(Writes("窗口左边"), 2u);
}

TEST_F(DesktopTest, OpacityFromTheFileAndTheSettingsWindowWithinItsRange) {
  WriteSetting("不透明度", "50");
  Start();
  EXPECT_NEAR(Window().windowOpacity(), 0.5, 0.01);  // kept in 255 steps
  Desktop().setOpacity(5);  // too faint to find again: the lowest allowed
  EXPECT_NEAR(Window().windowOpacity(), 0.2, 0.01);
  EXPECT_EQ(Setting("不透明度"), "20");
  auto* engine = static_cast<ui::WindowEngine*>(runtime::Runtime().windowHost());
  ASSERT_TRUE(engine->buildWindowFromForm(settings_window::kForm, false, nullptr));
  EXPECT_EQ(ReadProperty(settings_window::kOpacity, property::kSliderPosition), 20);
  Write(settings_window::kOpacity, property::kSliderPosition, 80);
  onOpacityChanged({});
  EXPECT_NEAR(Window().windowOpacity(), 0.8, 0.01);
  EXPECT_EQ(Setting("不透明度"), "80");
}

TEST_F(DesktopTest, ClickThroughIsASwitchThatRefusesDoubleClicksButNotTheInterface) {
  Start();
  toggleClickThrough({});
  EXPECT_TRUE(Window().windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_EQ(Setting("鼠标穿透"), "1");
  EXPECT_EQ(ReadProperty(main_window::kClickThroughItem, property::kMenuChecked), 1);
  ShowWheel();
  spinWheel({});
  EXPECT_FALSE(Snapshot().spinning);
  EXPECT_TRUE(RequestSpin("api").accepted);
  EXPECT_TRUE(Snapshot().spinning);
  RunSpin();
  toggleClickThrough({});
  EXPECT_FALSE(Window().windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_EQ(Setting("鼠标穿透"), "0");
  spinWheel({});
  EXPECT_TRUE(Snapshot().spinning);
}

// The test's desktop (offscreen) has no tray: a kept "on" would leave no way
// back, so it waits for a desktop that has one.
TEST_F(DesktopTest, KeptClickThroughWaitsForADesktopWithATray) {
  WriteSetting("鼠标穿透", "1");
  Start();
  ASSERT_EQ(Desktop().tray(), nullptr);
  EXPECT_FALSE(Window().windowFlags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_EQ(ReadProperty(main_window::kClickThroughItem, property::kMenuChecked), 0);
  EXPECT_EQ(Setting("鼠标穿透"), "1");
}

// [second hand] ------------------------------------------------------------------

TEST_F(DesktopTest, WithoutTheSecondHandTheClockWakesOnceAMinute) {
  WriteSetting("显示秒针", "0");
  SetTime(10, 10, 30);
  Start();
  const anim::BoxObject* second = Object(State().secondHand);
  EXPECT_FALSE(second->visible);
  EXPECT_FALSE(second->rotating);
  // Nothing changes on the clock until the next minute.
  ticks_.advance(1000);
  observer_.repaints.clear();
  const std::int32_t minute = Object(State().minuteHand)->angle;
  SetTime(10, 11, 0);
  ticks_.advance(28999);
  EXPECT_TRUE(observer_.repaints.empty());
  EXPECT_EQ(Object(State().minuteHand)->angle, minute);
  ticks_.advance(1);
  EXPECT_EQ(Object(State().minuteHand)->angle, minute + 6);
  ticks_.advance(1000);
  EXPECT_FALSE(observer_.repaints.empty());
  // And again a minute later, not before.
  observer_.repaints.clear();
  SetTime(10, 12, 0);
  ticks_.advance(58999);
  EXPECT_TRUE(observer_.repaints.empty());
  ticks_.advance(1);
  EXPECT_EQ(Object(State().minuteHand)->angle, minute + 12);
}

TEST_F(DesktopTest, TheSecondHandSwitchesOnAndOffWhileTheClockRuns) {
  SetTime(10, 10, 30);
  Start();
  toggleSecondHand({});
  EXPECT_EQ(Setting("显示秒针"), "0");
  EXPECT_EQ(ReadProperty(main_window::kSecondHandItem, property::kMenuChecked), 0);
  ticks_.advance(10);  // its turn cut short: the clock waits for the minute
  EXPECT_FALSE(Object(State().secondHand)->visible);
  EXPECT_FALSE(Object(State().secondHand)->rotating);
  ticks_.advance(1000);
  observer_.repaints.clear();
  ticks_.advance(20000);
  EXPECT_TRUE(observer_.repaints.empty());
  SetTime(10, 10, 45);
  toggleSecondHand({});
  EXPECT_EQ(Setting("显示秒针"), "1");
  EXPECT_TRUE(Object(State().secondHand)->visible);
  EXPECT_TRUE(Object(State().secondHand)->rotating);
  EXPECT_EQ(Object(State().secondHand)->angle, 270);
}

// [tray] ---------------------------------------------------------------------------

std::vector<std::string> Captions(const QMenu& menu) {
  std::vector<std::string> captions;
  for (const QAction* action : menu.actions()) {
    captions.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  }
  return captions;
}

QAction* ActionNamed(const QMenu& menu, const std::string& caption) {
  for (QAction* action : menu.actions()) {
    if (action->text().toStdString() == caption) return action;
  }
  return nullptr;
}

TEST_F(DesktopTest, TheTrayMenuIsThePopUpMenuWithShowAndHide) {
  Start();
  QMenu menu;
  Desktop().fillTrayMenu(menu);
  EXPECT_EQ(Captions(menu), (std::vector<std::string>{"时钟", "开心转盘", "转盘归零", "设置...(&S)", "整点报时(&Z)",
                                                       "鼠标穿透", "显示秒针", "-", "退出(&X)", "-", "隐藏时钟"}));
  EXPECT_TRUE(ActionNamed(menu, "显示秒针")->isChecked());
  // A choice runs the menu's own handler, as the pop-up menu's does.
  ActionNamed(menu, "开心转盘")->trigger();
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(Snapshot().mode, DisplayMode::Wheel);
  ActionNamed(menu, "鼠标穿透")->trigger();
  QCoreApplication::sendPostedEvents();
  EXPECT_TRUE(Desktop().clickThrough());
  Desktop().fillTrayMenu(menu);  // filled anew each time it opens
  EXPECT_TRUE(ActionNamed(menu, "鼠标穿透")->isChecked());
  ActionNamed(menu, "隐藏时钟")->trigger();
  EXPECT_FALSE(Window().isVisible());
  Desktop().fillTrayMenu(menu);
  ASSERT_NE(ActionNamed(menu, "显示时钟"), nullptr);
  ActionNamed(menu, "显示时钟")->trigger();
  EXPECT_TRUE(Window().isVisible());
}

}  // namespace
}  // namespace horavia::app::testing
