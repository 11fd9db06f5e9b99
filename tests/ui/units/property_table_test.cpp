// What a unit type derives from its property table: the runtime's table,
// reading and writing by number (hooks only on a change, Live rows always
// through the unit) and writing its data back.
#include "ui/units/property_table.h"

#include <gtest/gtest.h>

#include "tests/support/qt_application.h"

namespace horavia::ui {
namespace {

using namespace property_kind;
using base::Bytes;
using base::StoredStatus;

enum class Mode : std::int32_t { Plain = 0, Framed = 1 };
enum class Hook { None, Redraw, Recreate, Level };

struct Record {
  static constexpr std::uint32_t kWriteVersion = 1;
  static constexpr std::uint32_t kMaxVersion = 1;
  std::int32_t visible = 0;
  base::Choice<Mode> mode = Mode::Plain;
  std::uint32_t colour = 0;
  std::int32_t level = 0;
  std::string caption;
  Bytes picture;
  Bytes font;
  template <class V>
  void visitFields(V& v);
};

constexpr auto kTable = base::MakePropertyTable<Record, 18>(
    base::Field(8, "visible", kBoolean, &Record::visible, 0, base::kAsGiven, Hook::Redraw),
    base::Field(9, {"\xC4\xA3\xCA\xBD", "mode"}, kChoice, &Record::mode, 0, base::Between(0, 1), Hook::Recreate),
    base::Field(10, "colour", kColour, &Record::colour, 0, base::kAsGiven, Hook::Redraw),
    base::Live(11, "level", kInteger, &Record::level, 0, base::Between(0, 100), Hook::Level),
    base::Field(12, "caption", kText, &Record::caption, 0, base::kAsGiven, Hook::None),
    base::Field(13, "picture", kPicture, &Record::picture, 0, base::kAsGiven, Hook::Redraw),
    base::Field(14, "font", kFont, &Record::font, 0, base::kAsGiven, Hook::Redraw));

template <class V>
void Record::visitFields(V& v) {
  base::VisitStoredFields(kTable, *this, v);
}

// A unit with no window: it counts its hooks and keeps its level itself.
class FakeUnit {
 public:
  static constexpr const auto& kTable = ui::kTable;
  std::vector<Hook> applied;
  std::int32_t liveLevel = 42;
  std::vector<std::int64_t> levelsWritten;

  RawProperty get(std::int32_t number) const { return PropertyAccess::Get(*this, number); }
  std::int32_t set(std::int32_t number, const RawProperty& value) { return PropertyAccess::Set(*this, number, value); }
  Record data;

 private:
  friend struct ui::PropertyAccess;
  Record& record() { return data; }
  const Record& record() const { return data; }
  std::int32_t apply(Hook hook) {
    applied.push_back(hook);
    return hook == Hook::Recreate ? 1 : 0;
  }
  RawProperty liveValue(Hook) const {
    RawProperty v;
    v.number = liveLevel;
    return v;
  }
  void setLive(Hook, const RawProperty& value) {
    levelsWritten.push_back(value.number);
    liveLevel = static_cast<std::int32_t>(value.number);
  }
};

RawProperty Number(std::int64_t n) {
  RawProperty v;
  v.number = n;
  return v;
}

TEST(PropertyTable, TheRuntimesTableHasTheCommonPropertiesThenTheRowsByNumber) {
  constexpr auto infos = PropertyInfos(kTable);
  static_assert(infos.size() == 18);
  EXPECT_STREQ(infos[0].englishName, "left");
  EXPECT_EQ(infos[7].kind, kPointer);
  EXPECT_STREQ(infos[9].name, "\xC4\xA3\xCA\xBD");
  EXPECT_STREQ(infos[9].englishName, "mode");
  EXPECT_EQ(infos[13].kind, kPicture);
  // Numbers without a row are empty slots.
  EXPECT_STREQ(infos[15].name, "");
  EXPECT_EQ(infos[17].kind, kInteger);
}

TEST(PropertyTable, AHookRunsOnlyWhenAWriteChangesTheStoredValue) {
  FakeUnit unit;
  EXPECT_EQ(unit.set(10, Number(0x00FF00)), 0);
  EXPECT_EQ(unit.set(10, Number(0x00FF00)), 0);
  RawProperty picture;
  picture.bytes = {'G', 'I', 'F'};
  unit.set(13, picture);
  unit.set(13, picture);  // the same picture again: nothing to decode
  EXPECT_EQ(unit.applied, (std::vector<Hook>{Hook::Redraw, Hook::Redraw}));
  EXPECT_EQ(unit.data.colour, 0x00FF00u);
  EXPECT_EQ(unit.get(13).bytes, picture.bytes);
  // A hook's answer is the write's: 1 asks for a new unit window.
  EXPECT_EQ(unit.set(9, Number(1)), 1);
  EXPECT_EQ(unit.set(9, Number(1)), 0);
  unit.set(12, [] { RawProperty v; v.text = "OK"; return v; }());
  EXPECT_EQ(unit.get(12).text, "OK");
  EXPECT_EQ(unit.applied.size(), 3u);  // the caption has no hook
}

TEST(PropertyTable, WritesAreClampedAndBooleansStoreZeroOrOne) {
  FakeUnit unit;
  unit.set(9, Number(-4));
  EXPECT_EQ(unit.get(9).number, 0);
  unit.set(9, Number(99));
  EXPECT_EQ(unit.get(9).number, 1);
  unit.set(8, Number(-7));
  EXPECT_EQ(unit.data.visible, 1);
  unit.set(10, Number(0xFF000000));
  EXPECT_EQ(unit.get(10).number, 0xFF000000);  // a colour is kept as given
}

TEST(PropertyTable, ALiveRowGoesThroughTheUnitOnEveryWriteAndIsWrittenBack) {
  FakeUnit unit;
  EXPECT_EQ(unit.get(11).number, 42);
  unit.set(11, Number(500));
  unit.set(11, Number(100));
  EXPECT_EQ(unit.levelsWritten, (std::vector<std::int64_t>{100, 100}));
  EXPECT_TRUE(unit.applied.empty());
  Record back;
  ASSERT_EQ(base::readStored(PropertyAccess::WriteBack(unit), back), StoredStatus::Ok);
  EXPECT_EQ(back.level, 100);
  EXPECT_EQ(unit.data.level, 0);  // the unit's own record is not touched
}

TEST(PropertyTable, NumbersWithoutARowReadNothingAndChangeNothing) {
  FakeUnit unit;
  for (std::int32_t number : {7, 15, 18, 40}) {
    EXPECT_EQ(unit.get(number).number, 0);
    EXPECT_EQ(unit.set(number, Number(1)), 0);
  }
  EXPECT_TRUE(unit.applied.empty());
  EXPECT_TRUE(unit.levelsWritten.empty());
}

TEST(PropertyTable, AFontReadsAsTheDefaultUntilWrittenAndKeepsWhatAUnitFontLacks) {
  horavia::testing::TestApplication();  // the default font is the application's
  FakeUnit unit;
  EXPECT_EQ(unit.get(14).font, DefaultGuiFont());
  unit.data.font = RecordFromUnitFont(UnitFont{0, 400, false, false, false, -12, "Sans"});
  unit.data.font[23] = 134;  // a character set, which a UnitFont does not carry
  RawProperty bold = unit.get(14);
  bold.font.weight = 700;
  unit.set(14, bold);
  ASSERT_EQ(unit.data.font.size(), kLogicalFontSize);
  EXPECT_EQ(unit.data.font[23], 134);
  EXPECT_EQ(UnitFontFromRecord(unit.data.font)->weight, 700);
}

}  // namespace
}  // namespace horavia::ui
