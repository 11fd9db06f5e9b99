// Properties by number: clamps, stored against live values, kinds and font
// facets, menu items, re-creation, and the fatal paths.
#include <cstring>

#include "platform/text_codec.h"
#include "runtime/entry.h"
#include "runtime/messages.h"
#include "runtime/values.h"
#include "tests/ui/window/engine_fixture.h"
#include "ui/units/cursors.h"
#include "ui/units/property_values.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;
constexpr std::uint32_t kUnit = 0x16000001;
constexpr std::uint32_t kItem = 0x26000001;

class PropertiesTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Unit unit = ChildUnit(kUnit, kTestUnitType, 10, 20, 30, 40);
    unit.tag = "stored";
    Start({MakeForm(kForm, {WindowUnit(kWindowId, PlainWindowData()), MenuEntry(0x26000000, 0, "File", -1),
                            MenuEntry(kItem, 1, "Open", 1), unit})});
  }
  std::int64_t Read(std::uint32_t unit, std::int32_t property, std::int32_t sub = -1) {
    return static_cast<std::int64_t>(runtime::Entries().readUnitProperty(kForm, unit, property, sub));
  }
  void Write(std::uint32_t unit, std::int32_t property, std::int64_t value, std::int32_t sub = -1) {
    auto v = static_cast<std::uint64_t>(value);
    runtime::Entries().writeUnitProperty(kForm, unit, property, sub, static_cast<std::uint32_t>(v),
                                         static_cast<std::uint32_t>(v >> 32));
  }
  void WriteText(std::uint32_t unit, std::int32_t property, const char* text) {
    Write(unit, property, static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(text)));
  }
  std::string ReadText(std::uint32_t unit, std::int32_t property) {
    auto* text = reinterpret_cast<char*>(static_cast<std::uintptr_t>(Read(unit, property)));
    std::string out = text != nullptr ? text : "";
    runtime::Runtime().heap().free(text);
    return out;
  }
};

TEST_F(PropertiesTest, PositionsAndSizesAreClampedAndStored) {
  Write(kUnit, common_property::kLeft, 40000);
  Write(kUnit, common_property::kTop, -40000);
  Write(kUnit, common_property::kWidth, -5);
  Write(kUnit, common_property::kHeight, 99999);
  EXPECT_EQ(Read(kUnit, common_property::kLeft), 32627);
  EXPECT_EQ(static_cast<std::int32_t>(Read(kUnit, common_property::kTop)), -32627);
  EXPECT_EQ(Read(kUnit, common_property::kWidth), 0);
  EXPECT_EQ(Read(kUnit, common_property::kHeight), 32627);
}

TEST_F(PropertiesTest, ReadsStoredValuesUntilLoadedThenTheLiveOnes) {
  EXPECT_EQ(Read(kUnit, common_property::kWidth), 30);
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  Widget(kForm, kUnit)->setGeometry(11, 22, 33, 44);
  EXPECT_EQ(Read(kUnit, common_property::kLeft), 11);
  EXPECT_EQ(Read(kUnit, common_property::kHeight), 44);
  Write(kUnit, common_property::kWidth, 70);
  EXPECT_EQ(Widget(kForm, kUnit)->geometry(), QRect(11, 22, 70, 44));
  Write(kUnit, common_property::kVisible, 0);
  EXPECT_FALSE(Widget(kForm, kUnit)->isVisible());
  EXPECT_EQ(Read(kUnit, common_property::kVisible), 0);
  Write(kUnit, common_property::kDisabled, 1);
  EXPECT_FALSE(Widget(kForm, kUnit)->isEnabled());
  // The live window worked on its own copy; the stored form is unchanged.
  EXPECT_EQ(engine().findForm(kForm)->units[3].width, 30);
}

TEST_F(PropertiesTest, MousePointerTravelsAsCursorNumberAndIsStoredAsSystemId) {
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  const std::uint8_t pointer[] = {14, 0, 0, 0};  // cursor number 14: the hand
  void* set = runtime::MakeByteSet(pointer, sizeof pointer);
  Write(kUnit, common_property::kMousePointer, static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(set)));
  const Bytes& stored = LiveUnit(kForm, kUnit).mousePointer;
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored[0] | stored[1] << 8, kHandCursorId);
  EXPECT_EQ(Widget(kForm, kUnit)->cursor().shape(), Qt::PointingHandCursor);
  void* read = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Read(kUnit, common_property::kMousePointer)));
  runtime::ByteSetView view = runtime::ByteSetBytes(read);
  ASSERT_EQ(view.size, 4u);
  EXPECT_EQ(view.data[0], 14);
  runtime::Runtime().heap().free(read);
  runtime::Runtime().heap().free(set);
}

TEST_F(PropertiesTest, TypePropertiesGoThroughTheTypeByKind) {
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  Write(kUnit, 8, -7);
  EXPECT_EQ(static_cast<TestUnit*>(Widget(kForm, kUnit))->number, -7);
  EXPECT_EQ(static_cast<std::int32_t>(Read(kUnit, 8)), -7);
  WriteText(kUnit, 9, "hello");
  EXPECT_EQ(ReadText(kUnit, 9), "hello");
}

TEST_F(PropertiesTest, FontFacetsChangeOneFieldOfTheFont) {
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  auto* unit = static_cast<TestUnit*>(Widget(kForm, kUnit));
  Write(kUnit, 10, -10, font_facet::kAngle);
  EXPECT_EQ(unit->font.angle, 3590);
  Write(kUnit, 10, 1, font_facet::kBold);
  EXPECT_EQ(unit->font.weight, 700);
  EXPECT_EQ(unit->font.angle, 3590);  // the other facets stay
  EXPECT_EQ(Read(kUnit, 10, font_facet::kBold), 1);
  std::string longName(40, 'x');
  Write(kUnit, 10, static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(longName.c_str())), font_facet::kFace);
  EXPECT_EQ(unit->font.face, "");  // too long a face name selects the default
}

TEST_F(PropertiesTest, ASetThatAsksForANewWindowRecreatesTheUnitInPlace) {
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  QWidget* old = Widget(kForm, kUnit);
  old->setGeometry(5, 6, 7, 8);
  WriteText(kUnit, 9, "recreate");
  QWidget* fresh = Widget(kForm, kUnit);
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, old);
  EXPECT_EQ(fresh->geometry(), QRect(5, 6, 7, 8));
  // The type wrote its state back into the record before the new window.
  EXPECT_EQ(LiveUnit(kForm, kUnit).typeData, (Bytes{'r', 'e', 'c', 'r', 'e', 'a', 't', 'e'}));
  EXPECT_EQ(runtime::Runtime().eventsBlocked(), 0);
}

TEST_F(PropertiesTest, MenuItemPropertiesChangeTheRecordAndRebuildTheMenu) {
  ASSERT_TRUE(engine().loadStartWindow(kForm));
  ASSERT_NE(Window(kForm)->menuBar(), nullptr);
  EXPECT_EQ(Read(kItem, 1), 0);
  Write(kItem, 1, 5);
  EXPECT_EQ(Read(kItem, 1), 1);
  QList<QAction*> items = Window(kForm)->menuBar()->actions().front()->menu()->actions();
  ASSERT_EQ(items.size(), 1);
  EXPECT_TRUE(items[0]->isChecked());
  Write(kItem, 3, 0);
  EXPECT_EQ(Read(kItem, 3), 0);
  EXPECT_TRUE(Window(kForm)->menuBar()->actions().front()->menu()->actions().isEmpty());
  EXPECT_EQ(ReadText(kItem, 0), "Open");
}

TEST_F(PropertiesTest, AccessToAFormThatDoesNotExistOrAWindowNotLoadedIsFatal) {
  const auto& m = runtime::messages::kConstants;
  EXPECT_EQ(ExitCodeOf([] { runtime::Entries().readUnitProperty(0x52077777, kUnit, 0, -1); }), -1);
  EXPECT_NE(LastDialogText().find(platform::Cp936ToUtf8(m.FormNotLoaded)), std::string::npos);
  runtime::Runtime().resetForTests();
  SetUp();
  EXPECT_EQ(ExitCodeOf([this] { Read(kUnit, 8); }), -1);
  EXPECT_NE(LastDialogText().find(platform::Cp936ToUtf8(m.WindowNotLoaded)), std::string::npos);
}

}  // namespace
}  // namespace horavia::ui::testing
