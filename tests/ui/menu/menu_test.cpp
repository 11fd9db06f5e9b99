// Menus from the menu run: hidden titles and items, command ids, separators,
// check marks and greyed items, pop-ups and chosen items, accelerators.
#include <QApplication>
#include <QKeyEvent>
#include <set>

#include "tests/ui/window/engine_fixture.h"
#include "ui/menu/menu_builder.h"
#include "ui/menu/shortcuts.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;
constexpr std::uint32_t kTitle = 0x26000001;

// A hidden title with five items, as the start window carries its pop-up:
// run positions 0 title, 1 "Clock" (hidden), 2 "Wheel" (checked, Ctrl+S),
// 3 separator, 4 "Reset" (greyed), 5 "Exit".
std::vector<Unit> PopupRun(std::uint32_t titleFlags) {
  return {MenuEntry(kTitle, 0, "Hidden", -1, titleFlags),
          MenuEntry(0x26000002, 1, "Clock", 1, menu_flags::kHidden),
          MenuEntry(0x26000003, 1, "Wheel", 2, menu_flags::kChecked, 19),
          MenuEntry(0x26000004, 1, "-", 3),
          MenuEntry(0x26000005, 1, "Reset", 4, menu_flags::kDisabled),
          MenuEntry(0x26000006, 1, "E&xit", 5)};
}

std::vector<std::int32_t> CommandIds(const QMenu& menu) {
  std::vector<std::int32_t> ids;
  for (QAction* a : menu.actions())
    if (!a->isSeparator()) ids.push_back(*CommandIdOf(a));
  return ids;
}

class MenuBar : public ::testing::Test {
 protected:
  void SetUp() override { horavia::testing::TestApplication(); }
};

TEST_F(MenuBar, AHiddenTitleGivesNoBarButItsItemsStillHaveKeys) {
  std::vector<Unit> units = PopupRun(menu_flags::kHidden);
  BuiltMenu built = buildMenuBar(units, {0, units.size()});
  EXPECT_EQ(built.bar, nullptr);
  EXPECT_TRUE(built.accelerators.empty());
}

TEST_F(MenuBar, ShownTitlesCarryTheirItemsWithIdsByRunPosition) {
  std::vector<Unit> units = PopupRun(0);
  BuiltMenu built = buildMenuBar(units, {0, units.size()});
  ASSERT_NE(built.bar, nullptr);
  ASSERT_EQ(built.bar->actions().size(), 1);
  QMenu* popup = built.bar->actions()[0]->menu();
  // The hidden first item keeps its id 20001; the others keep theirs.
  EXPECT_EQ(CommandIds(*popup), (std::vector<std::int32_t>{20002, 20004, 20005}));
  QList<QAction*> actions = popup->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("Wheel\tCtrl+S"));
  EXPECT_TRUE(actions[0]->isChecked());
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_FALSE(actions[2]->isEnabled());
  EXPECT_EQ(actions[3]->text(), QStringLiteral("E&xit"));
  ASSERT_EQ(built.accelerators.size(), 1u);
  EXPECT_EQ(built.accelerators[0].commandId, 20002);
  EXPECT_EQ(built.accelerators[0].shortcut, 19u);
}

TEST_F(MenuBar, DeeperEntriesBecomeSubmenus) {
  std::vector<Unit> units = {MenuEntry(kTitle, 0, "Top", -1), MenuEntry(0x26000002, 1, "More", -1),
                             MenuEntry(0x26000003, 2, "Inner", 1), MenuEntry(0x26000004, 1, "After", 2)};
  std::unique_ptr<QMenu> popup = buildPopupMenu(units, {0, units.size()}, 0);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(popup->actions().size(), 2);
  QMenu* sub = popup->actions()[0]->menu();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(CommandIds(*sub), (std::vector<std::int32_t>{20002}));
  EXPECT_EQ(*CommandIdOf(popup->actions()[1]), 20003);
  // An entry without deeper entries after it has no pop-up.
  EXPECT_EQ(buildPopupMenu(units, {0, units.size()}, 3), nullptr);
}

class PopupTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    std::vector<Unit> units = {WindowUnit(kWindowId, PlainWindowData())};
    for (Unit& u : PopupRun(menu_flags::kHidden)) units.push_back(u);
    Start({MakeForm(kForm, units)});
    ASSERT_TRUE(engine().loadStartWindow(kForm));
  }
};

TEST_F(PopupTest, PoppingUpTheHiddenTitleShowsItsItemsAndAChoiceRunsTheHandler) {
  EXPECT_EQ(Window(kForm)->menuBar(), nullptr);
  QPoint shownAt;
  std::vector<std::int32_t> offered;
  engine().setMenuPresenter([&](QMenu& menu, QPoint at) -> QAction* {
    shownAt = at;
    offered = CommandIds(menu);
    return menu.actions().back();  // "E&xit"
  });
  const int x = 100, y = 200;
  engine().popUpMenu(kForm, kTitle, &x, &y);
  EXPECT_EQ(shownAt, QPoint(100, 200));
  EXPECT_EQ(offered, (std::vector<std::int32_t>{20002, 20004, 20005}));
  EXPECT_TRUE(Calls().empty());  // the choice arrives later, as a command
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{5}));
  EXPECT_EQ(Calls()[0].source.unitId, 0x26000006u);
}

TEST_F(PopupTest, APopUpWithoutCoordinatesOpensBesideTheMouse) {
  QPoint shownAt;
  engine().setMenuPresenter([&](QMenu&, QPoint at) -> QAction* {
    shownAt = at;
    return nullptr;
  });
  engine().popUpMenu(kForm, kTitle, nullptr, nullptr);
  EXPECT_EQ(shownAt, QCursor::pos() + QPoint(3, 3));
  QCoreApplication::sendPostedEvents();
  EXPECT_TRUE(Calls().empty());
}

TEST_F(PopupTest, CommandsOutsideTheRunAndSeparatorsRaiseNothing) {
  Window(kForm)->command(20003);  // the separator
  Window(kForm)->command(20006);  // past the run
  Window(kForm)->command(57600);
  Window(kForm)->command(19999);
  EXPECT_TRUE(Calls().empty());
  Window(kForm)->command(20002);
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{2}));
}

TEST_F(PopupTest, CtrlSChoosesTheItemWithShortcutNineteenOnceItsTitleShows) {
  QApplication::setActiveWindow(Window(kForm));
  auto ctrlS = [this] {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    QApplication::sendEvent(Window(kForm), &key);
  };
  ctrlS();  // items under a hidden title have no keys
  EXPECT_TRUE(Calls().empty());
  engine().writeProperty(kForm, kTitle, 3, -1, 1, 0);  // show the title
  ASSERT_NE(Window(kForm)->menuBar(), nullptr);
  ctrlS();
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{2}));
}

TEST(ShortcutTable, EveryIndexHasOneUniqueNameAndKey) {
  std::set<std::string_view> names;
  std::set<std::pair<std::uint32_t, std::uint32_t>> keys;
  for (int i = 1; i < kShortcutCount; ++i) {
    Shortcut s = kShortcuts[static_cast<std::size_t>(i)];
    EXPECT_FALSE(s.name.empty()) << i;
    EXPECT_NE(s.key, 0u) << i;
    names.insert(s.name);
    keys.insert({s.key, s.modifiers});
  }
  EXPECT_EQ(names.size(), 76u);
  EXPECT_EQ(keys.size(), 76u);
  EXPECT_EQ(ShortcutAt(19).name, "Ctrl+S");
  EXPECT_EQ(ShortcutAt(19).key, 0x53u);
  EXPECT_EQ(ShortcutAt(27).name, "F1");
  EXPECT_EQ(ShortcutAt(74).name, "Ctrl+Shift+F12");
  EXPECT_EQ(ShortcutAt(76).name, "Del");
  EXPECT_TRUE(ShortcutAt(0).name.empty());
  EXPECT_TRUE(ShortcutAt(77).name.empty());
}

}  // namespace
}  // namespace horavia::ui::testing
