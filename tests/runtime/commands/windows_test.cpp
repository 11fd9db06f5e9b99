// The window and unit commands, called through the core command table on a
// live window engine with the real simple units.
#include <QAction>
#include <QCoreApplication>
#include <QListWidget>
#include <QMenu>

#include <filesystem>
#include <fstream>

#include "runtime/commands/commands.h"
#include "runtime/libraries/library_records.h"
#include "runtime/messages.h"
#include "tests/runtime/commands/command_fixture.h"
#include "tests/ui/window/engine_fixture.h"
#include "ui/controls/controls.h"
#include "ui/controls/draw_panel.h"
#include "ui/controls/stored_data.h"

namespace horavia::ui::testing {
namespace {

using runtime::ArgRecord;
using runtime::testing::ByteSetArg;
using runtime::testing::IsNull;
using runtime::testing::TakeText;
using runtime::testing::TextArg;

constexpr std::uint32_t kForm = 0x52010001, kWindowId = 0x06010000;
constexpr std::uint32_t kOther = 0x52010002, kOtherWindow = 0x06010002;
constexpr std::uint32_t kList = 0x16010001, kCombo = 0x16010002, kPanelA = 0x16010003, kPanelB = 0x16010004,
                        kLabel = 0x16010005, kOtherLabel = 0x16010006;
constexpr std::uint32_t kMenuTitle = 0x26010001, kOtherMenu = 0x26010009;

// Core command numbers.
enum : int {
  kLoadWindow = 0, kMoveUnit = 24, kSetWindowShape = 25, kGetListItemText = 30, kIsLoaded = 33, kAddListItem = 38,
  kGetListItemCount = 39, kAddComboItem = 40, kDestroyWindowOrUnit = 43, kPopupMenu = 44, kCopyUnit = 47,
  kClearDrawPanel = 48, kFillGradientRect = 49, kCopyDrawPanelArea = 50,
};

ArgRecord Ref(std::uint32_t formId, std::uint32_t unitId, std::uint32_t tag) { return {formId, unitId, tag}; }
ArgRecord Int(std::int32_t v) { return ArgRecord::Int(v); }
const ArgRecord kOmitted{};

Unit Panel(std::uint32_t id, int left) {
  DrawPanelData data;
  data.backColour = 0xFFFFFF;
  Unit u = ChildUnit(id, unit_type::kDrawPanel, left, 0, 120, 120);
  u.typeData = writeDrawPanelData(data);
  return u;
}

class WindowCommandsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    InstallControls();
    Unit window = WindowUnit(kWindowId, PlainWindowData());
    window.width = 400;
    window.height = 300;
    Unit combo = ChildUnit(kCombo, unit_type::kComboBox, 0, 130, 100, 20);
    combo.typeData = writeComboBoxData({});
    Unit label = ChildUnit(kLabel, unit_type::kLabel, 250, 10, 60, 20);
    label.typeData = writeLabelData({});
    Unit otherWindow = WindowUnit(kOtherWindow, PlainWindowData());
    Bind(otherWindow, 0, 0);
    Unit otherLabel = ChildUnit(kOtherLabel, unit_type::kLabel, 0, 0, 40, 20);
    otherLabel.typeData = writeLabelData({});
    Start({MakeForm(kForm, {window, MenuEntry(kMenuTitle, 0, "menu", -1, menu_flags::kHidden),
                            MenuEntry(0x26010002, 1, "item", 1), ChildUnit(kList, unit_type::kListBox, 0, 160, 100, 80),
                            combo, Panel(kPanelA, 0), Panel(kPanelB, 130), label}),
           MakeForm(kOther, {otherWindow, MenuEntry(kOtherMenu, 0, "other", -1), MenuEntry(0x2601000A, 1, "x", 1),
                             otherLabel})});
    ASSERT_TRUE(engine().loadStartWindow(kForm));
    Calls().clear();
  }

  // A command by its number in the core library's table.
  static ArgRecord Core(int index, std::vector<ArgRecord> args = {}) {
    return runtime::testing::Call(runtime::RuntimeLibraries()[0]->commands[index], std::move(args));
  }
  static bool Loaded(ArgRecord ref) { return Core(kIsLoaded, {ref}).low != 0; }
  controls::DrawPanelUnit* PanelWidget(std::uint32_t id) {
    return dynamic_cast<controls::DrawPanelUnit*>(Widget(kForm, id));
  }
  QRgb PixelOf(std::uint32_t panel, int x, int y) { return PanelWidget(panel)->picture().pixel(x, y); }
  ArgRecord ListRef() const { return Ref(kForm, kList, runtime::unit_type::kListBox); }
  ArgRecord PanelRef(std::uint32_t id) const { return Ref(kForm, id, runtime::unit_type::kDrawPanel); }
  ArgRecord WindowRef() const { return Ref(kForm, kWindowId, runtime::unit_type::kWindow); }
  void Settle() {
    QCoreApplication::sendPostedEvents();
    FinishDeletes();
  }
};

TEST_F(WindowCommandsTest, TheCoreTableCarriesEachWindowCommandAtItsNumber) {
  namespace c = runtime::commands;
  const runtime::CommandFunction* table = runtime::RuntimeLibraries()[0]->commands;
  const std::pair<int, runtime::CommandFunction> expected[] = {
      {0, c::LoadWindow},         {24, c::MoveUnit},        {25, c::SetWindowShape},     {30, c::GetListItemText},
      {33, c::IsLoaded},          {38, c::AddListItem},     {39, c::GetListItemCount},   {40, c::AddComboItem},
      {43, c::DestroyWindowOrUnit}, {44, c::PopupMenu},     {47, c::CopyUnit},           {48, c::ClearDrawPanel},
      {49, c::FillGradientRect},  {50, c::CopyDrawPanelArea}};
  for (auto [index, command] : expected) EXPECT_EQ(table[index], command) << index;
}

// [windows] ----------------------------------------------------------------------

TEST_F(WindowCommandsTest, IsLoadedFollowsTheWindowForItsUnitsAndMenuItems) {
  EXPECT_TRUE(Loaded(WindowRef()));
  EXPECT_TRUE(Loaded(ListRef()));
  EXPECT_TRUE(Loaded(Ref(kForm, kMenuTitle, runtime::unit_type::kMenuItem)));
  EXPECT_FALSE(Loaded(Ref(kForm, kWindowId, runtime::kTagInt)));  // not a unit type
  EXPECT_FALSE(Loaded(Ref(kOther, kOtherWindow, runtime::unit_type::kWindow)));
  Core(kDestroyWindowOrUnit, {WindowRef(), ArgRecord::Bool(true)});
  Settle();
  EXPECT_FALSE(Loaded(WindowRef()));
  EXPECT_FALSE(Loaded(ListRef()));
}

TEST_F(WindowCommandsTest, DestroyingTheWindowWithoutTheFlagWaitsForTheCurrentEvent) {
  Core(kDestroyWindowOrUnit, {WindowRef()});
  EXPECT_NE(Window(kForm), nullptr);
  EXPECT_TRUE(Loaded(WindowRef()));
  Settle();
  EXPECT_EQ(Window(kForm), nullptr);
}

TEST_F(WindowCommandsTest, DestroyingAUnitTakesItOutOfTheForm) {
  Core(kDestroyWindowOrUnit, {Ref(kForm, kLabel, unit_type::kLabel)});
  EXPECT_FALSE(Loaded(Ref(kForm, kLabel, unit_type::kLabel)));
  EXPECT_TRUE(Loaded(WindowRef()));
}

TEST_F(WindowCommandsTest, DestroyingWhatIsNotLoadedIsFatal) {
  EXPECT_EQ(ExitCodeOf([] { Core(kDestroyWindowOrUnit, {Ref(kOther, kOtherWindow, runtime::unit_type::kWindow)}); }), -1);
  EXPECT_NE(LastDialogText().find("指定窗口或窗口组件不存在或尚未载入"), std::string::npos);
}

TEST_F(WindowCommandsTest, MoveUnitKeepsWhatIsNotGivenAndMinusOneSizes) {
  const ArgRecord label = Ref(kForm, kLabel, unit_type::kLabel);
  QWidget* w = Widget(kForm, kLabel);
  Core(kMoveUnit, {label, Int(40)});
  EXPECT_EQ(w->geometry(), QRect(40, 10, 60, 20));
  Core(kMoveUnit, {label, kOmitted, Int(5), Int(-1), Int(33)});
  EXPECT_EQ(w->geometry(), QRect(40, 5, 60, 33));
  Core(kMoveUnit, {label, kOmitted, kOmitted, Int(70)});
  EXPECT_EQ(w->geometry(), QRect(40, 5, 70, 33));
}

TEST_F(WindowCommandsTest, AModalLoadRunsTheWindowBeforeItReturns) {
  // The other window's created handler closes it after that event.
  Actions()[0] = [] { Core(kDestroyWindowOrUnit, {Ref(kOther, kOtherWindow, runtime::unit_type::kWindow)}); };
  const ArgRecord other = Ref(kOther, kOtherWindow, runtime::unit_type::kWindow);
  EXPECT_EQ(Core(kLoadWindow, {other, WindowRef(), ArgRecord::Bool(true)}).low, 1u);
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{0}));
  FinishDeletes();
  EXPECT_FALSE(Loaded(other));
}

TEST_F(WindowCommandsTest, ALoadUnderAParentThatIsNotLoadedFails) {
  const ArgRecord other = Ref(kOther, kOtherWindow, runtime::unit_type::kWindow);
  EXPECT_EQ(Core(kLoadWindow, {WindowRef(), other, ArgRecord::Bool(false)}).low, 0u);
  EXPECT_EQ(Core(kLoadWindow, {other, WindowRef(), ArgRecord::Bool(false)}).low, 1u);
  EXPECT_TRUE(Loaded(other));
  // Closed before the teardown: the engine's teardown deletes each window
  // itself and must not meet one its owner already took along.
  Core(kDestroyWindowOrUnit, {other, ArgRecord::Bool(true)});
  Settle();
}

TEST_F(WindowCommandsTest, AWindowTakesItsShapeFromPictureBytesOrAFile) {
  const std::string bmp("BM\x3E\0\0\0\0\0\0\0\x36\0\0\0"                 // file header: pixels at 54
                        "\x28\0\0\0\x02\0\0\0\x01\0\0\0\x01\0\x18\0"       // 2 x 1, 24 bits
                        "\0\0\0\0\x08\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                        "\0\0\0\xFF\xFF\xFF\0\0",                           // black, white, padding
                        62);
  ByteSetArg picture(bmp);
  EXPECT_EQ(Core(kSetWindowShape, {WindowRef(), picture.record()}).low, 1u);  // white cut away
  EXPECT_TRUE(Window(kForm)->shapeRegion().contains(QPoint(0, 0)));
  EXPECT_FALSE(Window(kForm)->shapeRegion().contains(QPoint(1, 0)));
  EXPECT_EQ(Core(kSetWindowShape, {WindowRef(), picture.record(), Int(0)}).low, 1u);  // black cut away
  EXPECT_TRUE(Window(kForm)->shapeRegion().contains(QPoint(1, 0)));
  ByteSetArg empty("");
  EXPECT_EQ(Core(kSetWindowShape, {WindowRef(), empty.record()}).low, 0u);
  const std::string missing = "no-such-shape.bmp";
  EXPECT_EQ(Core(kSetWindowShape, {WindowRef(), TextArg(missing)}).low, 0u);

  const std::filesystem::path file = std::filesystem::temp_directory_path() / "horavia-shape-test.bmp";
  std::ofstream(file, std::ios::binary) << bmp;
  const std::string name = file.string();
  EXPECT_EQ(Core(kSetWindowShape, {WindowRef(), TextArg(name)}).low, 1u);
  std::filesystem::remove(file);
}

TEST_F(WindowCommandsTest, AMenuPopsUpOnlyForAWindowOfItsOwnForm) {
  int shown = 0;
  QPoint where;
  engine().setMenuPresenter([&](QMenu&, QPoint at) -> QAction* {
    ++shown;
    where = at;
    return nullptr;
  });
  Core(kPopupMenu, {WindowRef(), Ref(kOther, kOtherMenu, runtime::unit_type::kMenuItem)});
  EXPECT_EQ(shown, 0);
  Core(kPopupMenu, {WindowRef(), Ref(kForm, kMenuTitle, runtime::unit_type::kMenuItem), Int(70), Int(80)});
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(where, QPoint(70, 80));
}

TEST_F(WindowCommandsTest, CopyUnitFillsTheVariableOnlyForACopyableLiveUnitOfTheSameType) {
  std::uint32_t variable[2] = {7, 7};
  const ArgRecord label = Ref(kForm, kLabel, unit_type::kLabel);
  ArgRecord wrongType = ArgRecord::Pointer(variable, runtime::unit_type::kListBox);
  EXPECT_EQ(Core(kCopyUnit, {label, wrongType}).low, 0u);
  EXPECT_EQ(variable[0], 7u);
  ArgRecord target = ArgRecord::Pointer(variable, unit_type::kLabel);
  EXPECT_EQ(Core(kCopyUnit, {label, target}).low, 1u);
  EXPECT_EQ(variable[0], kForm);
  ASSERT_NE(variable[1], kLabel);
  EXPECT_TRUE(Loaded(Ref(kForm, variable[1], unit_type::kLabel)));
  // Menu items are not copyable (their type lacks flag 0x40).
  ArgRecord menuVariable = ArgRecord::Pointer(variable, runtime::unit_type::kMenuItem);
  EXPECT_EQ(Core(kCopyUnit, {Ref(kForm, kMenuTitle, runtime::unit_type::kMenuItem), menuVariable}).low, 0u);
  // A unit of a window that is not loaded is not copied.
  variable[0] = variable[1] = 7;
  EXPECT_EQ(Core(kCopyUnit, {Ref(kOther, kOtherLabel, unit_type::kLabel), target}).low, 0u);
  EXPECT_EQ(variable[1], 7u);
}

// [items] ------------------------------------------------------------------------

TEST_F(WindowCommandsTest, ListItemsAreAddedWithTheirDataCountedAndReadInRange) {
  const std::string blue = "blue", red = "red";
  EXPECT_EQ(Core(kAddListItem, {ListRef(), TextArg(blue)}).asInt32(), 0);
  EXPECT_EQ(Core(kAddListItem, {ListRef(), TextArg(red), Int(9)}).asInt32(), 1);
  auto* list = dynamic_cast<QListWidget*>(Widget(kForm, kList));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->item(0)->data(Qt::UserRole).toInt(), 0);  // no item data: 0
  EXPECT_EQ(list->item(1)->data(Qt::UserRole).toInt(), 9);
  EXPECT_EQ(Core(kGetListItemCount, {ListRef()}).asInt32(), 2);
  EXPECT_EQ(TakeText(Core(kGetListItemText, {ListRef(), Int(1)})), red);
  EXPECT_TRUE(IsNull(Core(kGetListItemText, {ListRef(), Int(-1)})));
  EXPECT_TRUE(IsNull(Core(kGetListItemText, {ListRef(), Int(2)})));
  EXPECT_EQ(CalledHandlers(), std::vector<int>{});  // filling raises no event
}

TEST_F(WindowCommandsTest, ComboItemsGoToComboBoxesOnly) {
  const std::string item = "default output";
  const ArgRecord combo = Ref(kForm, kCombo, runtime::unit_type::kComboBox);
  EXPECT_EQ(Core(kAddComboItem, {combo, TextArg(item), Int(0)}).asInt32(), 0);
  EXPECT_EQ(Core(kAddComboItem, {combo, TextArg(item), Int(1)}).asInt32(), 1);
  EXPECT_EQ(Core(kGetListItemCount, {combo}).asInt32(), 0);     // not a list box
  EXPECT_EQ(Core(kAddComboItem, {ListRef(), TextArg(item)}).asInt32(), -1);
  EXPECT_EQ(Core(kAddListItem, {Ref(kOther, kOtherLabel, runtime::unit_type::kListBox), TextArg(item)}).asInt32(), -1);
}

// [panels] -----------------------------------------------------------------------

TEST_F(WindowCommandsTest, AGradientOfNoWidthDrawsNothing) {
  const QImage before = PanelWidget(kPanelA)->picture();
  Core(kFillGradientRect, {PanelRef(kPanelA), Int(0), Int(0), Int(0), Int(100), Int(1), Int(0x0000FF), Int(0xFF0000)});
  Core(kFillGradientRect, {PanelRef(kPanelA), Int(0), Int(0), Int(50), Int(100), Int(1), Int(0x0000FF)});
  EXPECT_EQ(PanelWidget(kPanelA)->picture(), before);
}

TEST_F(WindowCommandsTest, ARedToBlueGradientFromTheTopHasTheStatedRows) {
  Core(kFillGradientRect, {PanelRef(kPanelA), Int(0), Int(0), Int(100), Int(100), Int(1), Int(0x0000FF), Int(0xFF0000)});
  EXPECT_EQ(PixelOf(kPanelA, 10, 0), qRgb(255, 0, 0));
  EXPECT_EQ(PixelOf(kPanelA, 10, 50), qRgb(128, 0, 127));
  EXPECT_EQ(PixelOf(kPanelA, 99, 99), qRgb(3, 0, 252));
  EXPECT_EQ(PixelOf(kPanelA, 100, 50), qRgb(255, 255, 255));  // outside: the background
}

TEST_F(WindowCommandsTest, CopyModeSevenCopiesPlainlyAndTwoInverts) {
  Core(kFillGradientRect, {PanelRef(kPanelA), Int(0), Int(0), Int(60), Int(60), kOmitted, Int(0x0000FF), Int(0x00FF00)});
  Core(kCopyDrawPanelArea, {PanelRef(kPanelA), Int(0), Int(0), Int(60), Int(60), PanelRef(kPanelB), Int(10), Int(20),
                            Int(7)});
  EXPECT_EQ(PixelOf(kPanelB, 10 + 30, 20 + 5), PixelOf(kPanelA, 30, 5));
  EXPECT_EQ(PixelOf(kPanelB, 5, 5), qRgb(255, 255, 255));
  Core(kCopyDrawPanelArea, {PanelRef(kPanelA), Int(0), Int(0), Int(1), Int(1), PanelRef(kPanelB), Int(0), Int(0),
                            Int(2)});
  EXPECT_EQ(PixelOf(kPanelB, 0, 0), qRgb(0, 255, 255));  // red inverted
}

TEST_F(WindowCommandsTest, ClearingRepaintsTheBackgroundAndMovesTheDrawingPosition) {
  Core(kFillGradientRect, {PanelRef(kPanelA), Int(0), Int(0), Int(100), Int(100), Int(1), Int(0x0000FF), Int(0xFF0000)});
  Core(kClearDrawPanel, {PanelRef(kPanelA), Int(20), Int(30), Int(10), Int(10)});
  EXPECT_EQ(PixelOf(kPanelA, 25, 35), qRgb(255, 255, 255));
  EXPECT_NE(PixelOf(kPanelA, 25, 45), qRgb(255, 255, 255));
  EXPECT_EQ(PanelWidget(kPanelA)->position(), QPoint(20, 30));
  Core(kClearDrawPanel, {PanelRef(kPanelA)});
  EXPECT_EQ(PixelOf(kPanelA, 25, 45), qRgb(255, 255, 255));
}

TEST_F(WindowCommandsTest, APanelsPictureFollowsItsSizeKeepingWhatWasDrawn) {
  Core(kFillGradientRect, {PanelRef(kPanelA), Int(0), Int(0), Int(100), Int(100), Int(1), Int(0x0000FF), Int(0xFF0000)});
  Core(kMoveUnit, {PanelRef(kPanelA), kOmitted, kOmitted, Int(150), Int(140)});
  EXPECT_EQ(PanelWidget(kPanelA)->picture().size(), QSize(150, 140));
  EXPECT_EQ(PixelOf(kPanelA, 10, 0), qRgb(255, 0, 0));
  EXPECT_EQ(PixelOf(kPanelA, 140, 130), qRgb(255, 255, 255));
}

TEST_F(WindowCommandsTest, ACopyToAPanelThatIsNotLoadedIsFatal) {
  EXPECT_EQ(ExitCodeOf([this] {
              Core(kCopyDrawPanelArea, {PanelRef(kPanelA), kOmitted, kOmitted, kOmitted, kOmitted,
                                        Ref(kOther, kOtherLabel, runtime::unit_type::kDrawPanel)});
            }),
            -1);
}

}  // namespace
}  // namespace horavia::ui::testing
