// The nine types as the engine meets them: their property tables, creation
// from stored data and writing it back, refused data and refused numbers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <functional>
#include <memory>

#include "runtime/libraries/library_records.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/control_font.h"
#include "ui/controls/stored_data.h"
#include "ui/units/property_values.h"

namespace horavia::ui::testing {
namespace {

using namespace property_kind;

const runtime::DataTypeInfo& TypeRecord(std::uint32_t type) {
  return runtime::RuntimeLibraries()[0]->dataTypes[(type & 0xFFFF) - 1];
}

template <class F>
F Query(std::uint32_t type, std::int32_t query) {
  const runtime::DataTypeInfo& record = TypeRecord(type);
  return record.interface != nullptr ? reinterpret_cast<F>(record.interface(query)) : nullptr;
}

// Creates a unit of `type` from `data` under `parent`, as the engine does.
QWidget* CreateUnit(std::uint32_t type, const Bytes& data, QWidget& parent) {
  auto create = Query<CreateUnitFunction>(type, kQueryCreate);
  if (create == nullptr) return nullptr;
  UnitCreateParams params;
  params.typeData = data;
  params.style = unit_style::kChild | unit_style::kVisible;
  params.parent = &parent;
  params.width = 120;
  params.height = 60;
  params.formId = kControlsForm;
  params.unitId = kUnitId;
  return create(params);
}

Bytes SomeFont() {
  UnitFont font;
  font.height = -15;
  font.weight = 700;
  font.italic = true;
  font.face = "Sans";
  return controls::RecordFromFont(font);
}

// Each type with stored data away from its defaults, and its table's fixed
// slots.
struct TypeCase {
  const char* name;
  std::uint32_t type;
  std::int32_t propertyCount;
  std::function<Bytes()> data;
  std::vector<std::pair<std::int32_t, std::int32_t>> fixedSlots;  // (number, kind)
};

std::vector<TypeCase> Types() {
  return {
      {"CheckBox", unit_type::kCheckBox, 21,
       [] {
         CheckBoxData d;
         d.pushLike = 1;
         d.horizontalAlign = 2;
         d.checked = 1;
         d.font = SomeFont();
         d.caption = "&Go";
         d.extraText1 = "x";
         return writeCheckBoxData(d);
       },
       {{8, kPicture}, {11, kText}, {17, kFont}, {18, kBoolean}}},
      {"SliderBar", unit_type::kSliderBar, 20,
       [] {
         SliderBarData d;
         d.border = 2;
         d.tickMarks = 3;
         d.minimum = 50;
         d.maximum = 5;
         d.position = 20;
         d.selectionShown = 1;
         d.selectionStart = 8;
         d.selectionLength = 4;
         return writeSliderBarData(d);
       },
       {{9, kChoice}, {17, kInteger}, {18, kInteger}, {19, kInteger}}},
      {"Label", unit_type::kLabel, 29,
       [] {
         LabelData d;
         d.caption = "&Volume";
         d.textColour = 0x0000FF;
         d.horizontalAlign = 1;
         d.border = 3;
         d.wordWrap = 0;
         d.transparent = 1;
         d.font = SomeFont();
         return writeLabelData(d);
       },
       {{8, kText}, {16, kFont}}},
      {"Button", unit_type::kButton, 14,
       [] {
         ButtonData d;
         d.style = 1;
         d.horizontalAlign = 0;
         d.caption = "OK";
         return writeButtonData(d);
       },
       {{8, kText}, {9, kChoice}, {10, kPicture}}},
      {"ComboBox", unit_type::kComboBox, 25,
       [] {
         ComboBoxData d;
         d.maxLength = 12;
         d.items = "one\r\ntwo";
         d.backColour = 0x00FFFF;
         d.text = "typed";
         return writeComboBoxData(d);
       },
       {{13, kText}, {19, kInteger}}},
      {"ListBox", unit_type::kListBox, 22,
       [] {
         ListBoxData d;
         d.border = 0;
         d.sorted = 1;
         d.items = "a\r\nb\r\nc";
         return writeListBoxData(d);
       },
       {{13, kText}, {16, kInteger}}},
      {"PicBox", unit_type::kPicBox, 15,
       [] {
         PicBoxData d;
         d.border = 1;
         d.drawMode = 2;
         d.backColour = 0x00FF00;
         d.picture = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
         d.keepBackground = 0;
         d.autoPlay = 0;
         return writePicBoxData(d);
       },
       {{9, kChoice}, {10, kPicture}, {11, kColour}, {12, kBoolean}, {13, kBoolean}}},
      {"EditBox", unit_type::kEditBox, 29,
       [] {
         EditBoxData d;
         d.multiLine = 1;
         d.readOnly = 1;
         d.maxLength = 40;
         d.text = "hello\r\nworld";
         return writeEditBoxData(d);
       },
       {{8, kText}, {10, kBoolean}, {18, kFont}}},
      {"DrawPanel", unit_type::kDrawPanel, 25,
       [] {
         DrawPanelData d;
         d.border = 3;
         d.backColour = 0xFFFFFF;
         d.pictureMode = 1;
         d.keepPicture = 0;
         return writeDrawPanelData(d);
       },
       {{9, kColour}, {10, kPicture}, {12, kBoolean}}},
  };
}

class UnitTypes : public ControlsTest, public ::testing::WithParamInterface<TypeCase> {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    parentWidget_ = std::make_unique<QWidget>();
  }
  void TearDown() override {
    parentWidget_.reset();
    ControlsTest::TearDown();
  }
  std::unique_ptr<QWidget> parentWidget_;
};

TEST_P(UnitTypes, TheTableHasEverySlotOfTheTypeWithTheCommonOnesFirst) {
  const TypeCase& c = GetParam();
  const runtime::DataTypeInfo& record = TypeRecord(c.type);
  ASSERT_NE(record.properties, nullptr);
  ASSERT_EQ(record.propertyCount, c.propertyCount);
  const std::int32_t common[8] = {kInteger, kInteger, kInteger, kInteger, kText, kBoolean, kBoolean, kPointer};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(record.properties[i].kind, common[i]) << i;
  for (auto [number, kind] : c.fixedSlots) {
    EXPECT_EQ(record.properties[number].kind, kind) << number;
    EXPECT_STRNE(record.properties[number].name, "") << number;
  }
}

TEST_P(UnitTypes, WritesBackWhatItWasCreatedFrom) {
  const Bytes data = GetParam().data();
  std::unique_ptr<QWidget> unit(CreateUnit(GetParam().type, data, *parentWidget_));
  ASSERT_NE(unit, nullptr);
  auto writeBack = Query<WriteBackFunction>(GetParam().type, kQueryWriteBack);
  ASSERT_NE(writeBack, nullptr);
  EXPECT_EQ(writeBack(unit.get()), data);
}

TEST_P(UnitTypes, DataThatCannotBeReadCreatesNoUnit) {
  Bytes data = GetParam().data();
  Bytes truncated(data.begin(), data.end() - 1);
  EXPECT_EQ(CreateUnit(GetParam().type, truncated, *parentWidget_), nullptr);
  data[0] = 9;  // a version no reader knows
  EXPECT_EQ(CreateUnit(GetParam().type, data, *parentWidget_), nullptr);
}

TEST_P(UnitTypes, NumbersOutsideTheTypeReadNothingAndChangeNothing) {
  const Bytes data = GetParam().data();
  std::unique_ptr<QWidget> unit(CreateUnit(GetParam().type, data, *parentWidget_));
  ASSERT_NE(unit, nullptr);
  auto get = Query<GetPropertyFunction>(GetParam().type, kQueryGetProperty);
  auto set = Query<SetPropertyFunction>(GetParam().type, kQuerySetProperty);
  const std::int32_t beyond = GetParam().propertyCount - 8;
  RawProperty value;
  value.number = 1;
  value.text = "x";
  for (std::int32_t index : {-1, beyond, beyond + 5}) {
    RawProperty read = get(unit.get(), index);
    EXPECT_EQ(read.number, 0);
    EXPECT_TRUE(read.text.empty() && read.bytes.empty());
    EXPECT_EQ(set(unit.get(), index, value), 0);
  }
  EXPECT_EQ(Query<WriteBackFunction>(GetParam().type, kQueryWriteBack)(unit.get()), data);
  // A widget that is not one of the type's units is refused too.
  QWidget stranger;
  EXPECT_EQ(get(&stranger, 0).number, 0);
}

INSTANTIATE_TEST_SUITE_P(Simple, UnitTypes, ::testing::ValuesIn(Types()),
                         [](const ::testing::TestParamInfo<TypeCase>& info) { return std::string(info.param.name); });

TEST(UnitFonts, ALogicalFontRecordRoundTripsAndAnEmptyOneIsTheDefaultFont) {
  horavia::testing::TestApplication();  // the default font is the application's
  const Bytes record = SomeFont();
  ASSERT_EQ(record.size(), kLogicalFontSize);
  const UnitFont font = controls::FontFromRecord(record);
  EXPECT_EQ(font.height, -15);
  EXPECT_EQ(font.weight, 700);
  EXPECT_TRUE(font.italic);
  EXPECT_EQ(font.face, "Sans");
  EXPECT_EQ(controls::RecordFromFont(font), record);
  EXPECT_EQ(controls::FontFromRecord({}), DefaultGuiFont());
  EXPECT_LT(controls::FontFromRecord({}).height, 0);
}

}  // namespace
}  // namespace horavia::ui::testing
