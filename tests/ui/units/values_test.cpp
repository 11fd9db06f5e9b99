// What the units share: the cursor table and the conversions of font sizes
// and angles between the program and the stored fonts.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/qt_application.h"
#include "ui/units/cursors.h"
#include "ui/units/property_values.h"

namespace horavia::ui {
namespace {

TEST(FontSizes, ConvertBetweenPointsAndHeightRounded) {
  EXPECT_EQ(FontHeightFromPoints(9, 96), -12);
  EXPECT_EQ(FontHeightFromPoints(-9, 96), -12);
  EXPECT_EQ(FontPointsFromHeight(-12, 96), 9);
  EXPECT_EQ(FontPointsFromHeight(-13, 96), 10);  // 9.75 rounds up
  EXPECT_EQ(NormaliseAngle(-10), 3590);
  EXPECT_EQ(NormaliseAngle(7300), 100);
}

class CursorTable : public ::testing::Test {
 protected:
  void SetUp() override { horavia::testing::TestApplication(); }  // cursors need the application object
};

TEST_F(CursorTable, NumbersAndSystemIdsAreUniqueAndTranslateBothWays) {
  for (std::size_t i = 0; i < kCursorTable.size(); ++i) {
    EXPECT_EQ(kCursorTable[i].number, static_cast<std::int32_t>(i));
    for (std::size_t j = i + 1; j < kCursorTable.size(); ++j) EXPECT_NE(kCursorTable[i].systemId, kCursorTable[j].systemId);
    EXPECT_EQ(CursorNumberFromSystemId(SystemIdFromCursorNumber(kCursorTable[i].number)), kCursorTable[i].number);
  }
  EXPECT_EQ(SystemIdFromCursorNumber(99), 99);
  EXPECT_EQ(CursorNumberFromSystemId(12345), 12345);
  const std::uint8_t hand[] = {0x89, 0x7F, 0, 0};  // the stored hand
  ASSERT_TRUE(MakeUnitCursor(hand).has_value());
  EXPECT_EQ(MakeUnitCursor(hand)->shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(MakeUnitCursor({}).has_value());
}

}  // namespace
}  // namespace horavia::ui
