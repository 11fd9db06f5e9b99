// The one font converter: 60-byte records, unit fonts and toolkit fonts.
#include "ui/units/logical_font.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>

#include "tests/support/qt_application.h"

namespace horavia::ui {
namespace {

// A record as a form carries it: height -16, escapement 900, weight 700,
// italic, character set 134, face "宋体" in code page 936.
std::vector<std::uint8_t> StoredRecord() {
  std::vector<std::uint8_t> r(60, 0);
  const std::uint8_t head[] = {0xF0, 0xFF, 0xFF, 0xFF,  // height -16
                               5, 0, 0, 0,              // width
                               0x84, 3, 0, 0,           // escapement 900
                               0x84, 3, 0, 0,           // orientation
                               0xBC, 2, 0, 0,           // weight 700
                               1, 0, 0, 134, 3, 2, 1, 0x31};
  std::copy(std::begin(head), std::end(head), r.begin());
  const std::uint8_t face[] = {0xCB, 0xCE, 0xCC, 0xE5};
  std::copy(std::begin(face), std::end(face), r.begin() + 28);
  return r;
}

TEST(LogicalFont, RecordToUnitFontAndBackKeepsEveryField) {
  const std::vector<std::uint8_t> record = StoredRecord();
  const std::optional<UnitFont> font = UnitFontFromRecord(record);
  ASSERT_TRUE(font);
  EXPECT_EQ(*font, (UnitFont{900, 700, true, false, false, -16, "\xCB\xCE\xCC\xE5"}));
  EXPECT_EQ(RecordFromUnitFont(*font, record), record);
  EXPECT_FALSE(UnitFontFromRecord(std::vector<std::uint8_t>(59, 0)));
}

TEST(LogicalFont, LongFacesAreCutAtACharacterBoundary) {
  UnitFont font;
  font.face = std::string(30, 'a') + "\xCB\xCE";  // 32 bytes: the last character does not fit
  const std::vector<std::uint8_t> record = RecordFromUnitFont(font);
  ASSERT_EQ(record.size(), kLogicalFontSize);
  EXPECT_EQ(UnitFontFromRecord(record)->face, std::string(30, 'a'));
  EXPECT_EQ(record[23], 1);  // a new record gets the default character set
  EXPECT_EQ(UnitFontFromRecord(RecordWithFace(record, "Sans"))->face, "Sans");
}

TEST(LogicalFont, ToolkitFontCarriesSizeWeightAndStyles) {
  horavia::testing::TestApplication();
  const QFont q = QFontFromUnitFont(UnitFont{0, 700, true, true, false, -20, "DejaVu Sans"});
  EXPECT_EQ(q.pixelSize(), 20);
  EXPECT_EQ(q.weight(), QFont::Bold);
  EXPECT_TRUE(q.italic());
  EXPECT_TRUE(q.strikeOut());
  EXPECT_FALSE(q.underline());
  EXPECT_EQ(q.families().front(), QString("DejaVu Sans"));
  const UnitFont back = UnitFontFromQFont(q);
  EXPECT_EQ(back.height, -20);
  EXPECT_EQ(back.weight, 700);
  EXPECT_LT(DefaultGuiFont().height, 0);
}

}  // namespace
}  // namespace horavia::ui
