// The program's own windows, from the form block the build embeds.
#include <QAction>
#include <QMenu>

#include "app/forms/form_block.h"
#include "platform/text_codec.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kStartForm = 0x52010001;
constexpr std::uint32_t kSettingsForm = 0x5201009E;
constexpr std::uint32_t kHiddenTitle = 0x26010001;

class ProgramFormsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    StartWithBlock({app::kFormBlock, app::kFormBlockSize});
  }
};

TEST_F(ProgramFormsTest, TheStartWindowLoadsAsTheUndecoratedOwnedTopmostSurface) {
  ASSERT_TRUE(engine().loadStartWindow(kStartForm));
  CWinFormUnit* w = Window(kStartForm);
  EXPECT_EQ(w->size(), QSize(300, 300));
  EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->windowType(), Qt::Tool);
  EXPECT_EQ(w->menuBar(), nullptr);  // its only title is hidden
  EXPECT_EQ(w->data().dragAnywhere, 1);
  EXPECT_EQ(engine().unitsOf(kStartForm)->size(), 22u);
  // Every unit of the table is live, the menu items aside.
  for (const Unit& u : *engine().unitsOf(kStartForm)) EXPECT_EQ(u.window != nullptr, !u.isMenuItem()) << u.id;
}

TEST_F(ProgramFormsTest, TheHiddenMenuPopsUpAndItsSettingsItemRunsTheSubroutineAtTheCodeBase) {
  ASSERT_TRUE(engine().loadStartWindow(kStartForm));
  Calls().clear();  // the window's created event ran at offset 1
  std::vector<QString> captions;
  engine().setMenuPresenter([&](QMenu& menu, QPoint) -> QAction* {
    QAction* settings = nullptr;
    for (QAction* a : menu.actions()) {
      captions.push_back(a->isSeparator() ? QStringLiteral("-") : a->text());
      if (CommandIdOf(a) == 20004) settings = a;
    }
    return settings;
  });
  engine().popUpMenu(kStartForm, kHiddenTitle, nullptr, nullptr);
  auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
  EXPECT_EQ(captions, (std::vector<QString>{text("时钟"), text("开心转盘"), text("转盘归零"), text("设置...(&S)"),
                                            text("整点报时(&Z)"), text("鼠标穿透"), text("显示秒针"), text("-"),
                                            text("退出(&X)")}));
  QCoreApplication::sendPostedEvents();
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{0}));
}

TEST_F(ProgramFormsTest, TheSettingsWindowHasItsToolFrameAndTitle) {
  ASSERT_TRUE(engine().buildWindowFromForm(kSettingsForm, false, nullptr));
  CWinFormUnit* w = Window(kSettingsForm);
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("设置-娱乐转盘选择"));
  EXPECT_EQ(w->windowType(), Qt::Tool);
  EXPECT_FALSE(w->windowFlags() & Qt::FramelessWindowHint);
}

}  // namespace
}  // namespace horavia::ui::testing
