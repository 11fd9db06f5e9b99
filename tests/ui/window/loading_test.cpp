// Loading windows from forms: creation order, control ids, parents, z-order,
// units that cannot be created, the events of a fresh window, second loads,
// modal loads.
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "platform/text_codec.h"
#include "runtime/entry.h"
#include "runtime/libraries/library_records.h"
#include "runtime/messages.h"
#include "runtime/services.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;
constexpr std::uint32_t kOther = 0x52010002;
constexpr std::uint32_t kOtherWindow = 0x06010001;

using LoadingTest = EngineTest;

// Entries 1-3 are test units, entry 4 an animation object template (with its
// stored defaults).
Form ThreeUnitForm() {
  Unit window = WindowUnit(kWindowId, PlainWindowData());
  Bind(window, 0, 0);
  Bind(window, 3, 1);
  Bind(window, 4, 2);
  return MakeForm(kForm, {window,
                          ChildUnit(0x16000001, kTestUnitType, 0, 0, 50, 50),
                          ChildUnit(0x16000002, kTestUnitType, 10, 10, 50, 50),
                          ChildUnit(0x16000003, kTestUnitType, 20, 20, 50, 50, unit_flags::kVisible | unit_flags::kTabStop),
                          ChildUnit(0x16000004, unit_type::kCartoonObject, 5, 5, 20, 20)});
}

TEST_F(LoadingTest, CreatesUnitsFromTheLastEntryUpWithSteppedControlIds) {
  Start({ThreeUnitForm()});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  ASSERT_EQ(Creations().size(), 3u);
  EXPECT_EQ(Creations()[0].unitId, 0x16000003u);
  EXPECT_EQ(Creations()[1].unitId, 0x16000002u);
  EXPECT_EQ(Creations()[2].unitId, 0x16000001u);
  // Entry 4 (the template) took id 100 before them.
  EXPECT_EQ(Creations()[0].controlId, 110);
  EXPECT_EQ(Creations()[1].controlId, 120);
  EXPECT_EQ(Creations()[2].controlId, 130);
  EXPECT_TRUE(Creations()[0].style & unit_style::kTabStop);
  EXPECT_FALSE(Creations()[1].style & unit_style::kTabStop);
  EXPECT_TRUE(Creations()[1].style & unit_style::kVisible);
}

TEST_F(LoadingTest, StacksEachUnitBehindThePreviousOneInTableOrder) {
  Start({ThreeUnitForm()});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  CWinFormUnit* window = Window(kForm);
  // children() runs from the bottom of the z-order to the top.
  std::vector<QWidget*> stack;
  for (QObject* child : window->children()) {
    if (auto* w = qobject_cast<QWidget*>(child); w != nullptr && w != window->menuBar()) stack.push_back(w);
  }
  std::vector<QWidget*> expected = {Widget(kForm, 0x16000004), Widget(kForm, 0x16000003),
                                    Widget(kForm, 0x16000002), Widget(kForm, 0x16000001)};
  EXPECT_EQ(stack, expected);
}

TEST_F(LoadingTest, AUnitThatCannotBeCreatedFailsTheLoadAndLeavesNothingLive) {
  Form form = ThreeUnitForm();
  // Stored data of a newer version than the template reads.
  form.units[4].typeData = {99, 0, 0, 0};
  Unit noUnits = ChildUnit(0x16000005, unit_type::kComObject, 0, 0, 10, 10);  // a type without units
  Form other = MakeForm(kOther, {WindowUnit(kOtherWindow, PlainWindowData()), noUnits});
  Start({form, other});
  EXPECT_FALSE(engine().loadStartWindow(kForm));
  EXPECT_FALSE(engine().buildWindowFromForm(kOther, false, nullptr));
  EXPECT_FALSE(engine().anyWindowLive());
  EXPECT_EQ(engine().findUnit(kForm, 0x16000001), nullptr);
  EXPECT_TRUE(Calls().empty());  // no event of a window that never loaded
  // The stored form is untouched: a good load afterwards works.
  engine().findForm(kForm)->units[4].typeData.clear();
  EXPECT_TRUE(engine().loadStartWindow(kForm));
}

TEST_F(LoadingTest, PlacesUnitsInTheirContainer) {
  Form form = ThreeUnitForm();
  form.units[1].parent = 0x16000002;
  Start({form});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  EXPECT_EQ(Widget(kForm, 0x16000001)->parentWidget(), Widget(kForm, 0x16000002));
}

TEST_F(LoadingTest, RaisesCreatedMovedResizedInOrderAndNothingWhileLoading) {
  Start({ThreeUnitForm()});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(runtime::Runtime().eventsBlocked(), 0);
  EXPECT_EQ(Calls()[0].source.unitId, kWindowId);
}

// A unit that raises an event while its window is still being created.
QWidget* CreateEagerUnit(const UnitCreateParams& p) {
  runtime::PlainEventRecord record;
  record.formId = p.formId;
  record.unitId = 0;
  record.event = 0;
  runtime::RuntimeApp::Service(runtime::kServiceRaiseEvent, reinterpret_cast<std::intptr_t>(&record), 0);
  return new QWidget(p.parent);
}
void* EagerInterface(std::int32_t query) {
  return query == kQueryCreate ? reinterpret_cast<void*>(&CreateEagerUnit) : nullptr;
}

TEST_F(LoadingTest, AnEventRaisedDuringLoadingIsNotDelivered) {
  runtime::InstallUnitType(unit_type::kListBox, &EagerInterface);
  Unit window = WindowUnit(kWindowId, PlainWindowData());
  Bind(window, 0, 0);
  Start({MakeForm(kForm, {window, ChildUnit(0x16000001, unit_type::kListBox, 0, 0, 10, 10)})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  runtime::InstallUnitType(unit_type::kListBox, nullptr);
  // Only the created event after loading reached the handler.
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{0}));
}

TEST_F(LoadingTest, StopsTheLoadingEventsOnceTheWindowIsGone) {
  Start({ThreeUnitForm()});
  Actions()[0] = [this] { Window(kForm)->close(); };
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  FinishDeletes();
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{0}));
  EXPECT_FALSE(engine().anyWindowLive());
}

TEST_F(LoadingTest, ASecondLoadActivatesTheLiveWindowInsteadOfCreatingOne) {
  Start({ThreeUnitForm()});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  CWinFormUnit* first = Window(kForm);
  ASSERT_TRUE(engine().buildWindowFromForm(kForm, false, nullptr));
  EXPECT_EQ(Window(kForm), first);
  EXPECT_EQ(Creations().size(), 3u);
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{0, 1, 2}));
}

TEST_F(LoadingTest, AWindowDataVersionAboveSixFailsAndLeavesNothingLive) {
  Unit window = WindowUnit(kWindowId, PlainWindowData());
  window.typeData[0] = 7;  // the version dword
  Start({MakeForm(kForm, {window})});
  EXPECT_FALSE(engine().loadStartWindow(kForm));
  EXPECT_FALSE(engine().anyWindowLive());
  EXPECT_EQ(runtime::Runtime().eventsBlocked(), 0);
}

TEST_F(LoadingTest, AnUnknownStartFormIsFatal) {
  Start({ThreeUnitForm()});
  EXPECT_EQ(ExitCodeOf([] { runtime::Entries().loadStartWindow(0x52019999); }), -1);
  EXPECT_NE(LastDialogText().find(platform::Cp936ToUtf8(runtime::messages::kConstants.StartWindowFailed)),
            std::string::npos);
}

TEST_F(LoadingTest, TheStartWindowsSettingsShapeTheLiveWindow) {
  WindowData data = PlainWindowData();
  data.startPosition = 1;
  data.alwaysOnTop = 1;
  data.showInTaskbar = 0;
  data.dragAnywhere = 1;
  Unit window = WindowUnit(kWindowId, data);
  window.width = 300;
  window.height = 300;
  Start({MakeForm(kForm, {window})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  CWinFormUnit* w = Window(kForm);
  EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->windowType(), Qt::Tool);
  EXPECT_EQ(w->parentWidget(), engine().hiddenOwner());
  EXPECT_EQ(w->property("windowClass").toString(), QStringLiteral("WTWindow"));
  QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(w->pos(), QPoint(screen.x() + (screen.width() - 300) / 2, screen.y() + (screen.height() - 300) / 2));
  EXPECT_EQ(w->size(), QSize(300, 300));
}

TEST_F(LoadingTest, AModalLoadDisablesTheOtherWindowsUntilItCloses) {
  Unit modal = WindowUnit(kOtherWindow, PlainWindowData());
  Start({ThreeUnitForm(), MakeForm(kOther, {modal})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  CWinFormUnit* owner = Window(kForm);
  bool ownerEnabledInside = true;
  QTimer::singleShot(0, [&] {
    ownerEnabledInside = owner->isEnabled();
    EXPECT_EQ(engine().currentModalForm(), std::optional<std::uint32_t>(kOther));
    Window(kOther)->close();
  });
  runtime::LoadWindowRequest request{kOther, nullptr, 1};
  EXPECT_EQ(runtime::RuntimeApp::Service(runtime::kServiceLoadWindow, reinterpret_cast<std::intptr_t>(&request), 0), 0);
  // The request returned only once the modal window had gone.
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_EQ(Window(kOther), nullptr);
  EXPECT_TRUE(owner->isEnabled());
  EXPECT_FALSE(engine().currentModalForm().has_value());
}

// A window loaded with an owner is the owner's child: destroying every
// window must not delete it a second time after its owner took it along.
TEST_F(LoadingTest, DestroyingAllWindowsTakesAnOwnedWindowAlongOnce) {
  Unit owned = WindowUnit(kOtherWindow, PlainWindowData());
  Start({ThreeUnitForm(), MakeForm(kOther, {owned})});
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  runtime::LoadWindowRequest request{kOther, Window(kForm), 0};
  ASSERT_TRUE(engine().loadWindow(request));
  QPointer<CWinFormUnit> child = Window(kOther);
  ASSERT_TRUE(child);
  EXPECT_EQ(child->parentWidget(), Window(kForm));
  engine().destroyAllWindows();
  EXPECT_FALSE(child);
  EXPECT_FALSE(engine().anyWindowLive());
}

}  // namespace
}  // namespace horavia::ui::testing
