// Value helpers: OLE dates and their components, the number and date
// formats, full-width folding and text to number, ToInt32, heap blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/memory.h"
#include "runtime/values.h"
#include "tests/runtime/runtime_fixture.h"

namespace horavia::runtime {
namespace {

using testing::RuntimeTest;

std::string Cp(const char* utf8) { return platform::Utf8ToCp936(utf8); }

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  double date = 0;
  EXPECT_TRUE(MakeDate(y, mo, d, h, mi, s, date)) << y << "-" << mo << "-" << d;
  return date;
}

// --- dates ------------------------------------------------------------------

TEST(OleDate, EpochAndKnownDays) {
  DateParts p = SplitDate(0.0);
  EXPECT_EQ(p.year, 1899);
  EXPECT_EQ(p.month, 12);
  EXPECT_EQ(p.day, 30);
  EXPECT_EQ(p.dayOfWeek, 7);  // a Saturday
  EXPECT_EQ(p.dayOfYear, 364);

  EXPECT_EQ(Date(2017, 11, 21), 43060.0);
  p = SplitDate(43060.0);
  EXPECT_EQ(p.dayOfWeek, 3);  // a Tuesday
  EXPECT_EQ(SplitDate(Date(2016, 12, 31)).dayOfYear, 366);
}

TEST(OleDate, LeapYearsFollowTheGregorianRules) {
  double d;
  EXPECT_FALSE(MakeDate(1900, 2, 29, 0, 0, 0, d));
  EXPECT_FALSE(MakeDate(2100, 2, 29, 0, 0, 0, d));
  EXPECT_TRUE(MakeDate(2000, 2, 29, 0, 0, 0, d));
  DateParts p = SplitDate(d);
  EXPECT_EQ(p.month, 2);
  EXPECT_EQ(p.day, 29);
  EXPECT_EQ(SplitDate(d + 1).month, 3);
  EXPECT_EQ(SplitDate(d + 1).day, 1);
  EXPECT_EQ(Date(1900, 3, 1) - Date(1900, 2, 28), 1.0);
}

TEST(OleDate, MakeDateRejectsOutOfRangeFields) {
  double d;
  EXPECT_FALSE(MakeDate(99, 12, 31, 0, 0, 0, d));
  EXPECT_FALSE(MakeDate(10000, 1, 1, 0, 0, 0, d));
  EXPECT_FALSE(MakeDate(2020, 13, 1, 0, 0, 0, d));
  EXPECT_FALSE(MakeDate(2020, 4, 31, 0, 0, 0, d));
  EXPECT_FALSE(MakeDate(2020, 4, 1, 24, 0, 0, d));
  EXPECT_FALSE(MakeDate(2020, 4, 1, 0, 60, 0, d));
  EXPECT_FALSE(MakeDate(2020, 4, 1, 0, 0, 60, d));
}

// Construction and splitting are two separate calendars; every day of the
// whole range must come back as it went in, before and after 1899.
TEST(OleDate, EveryDayRoundTrips) {
  // (From 101: times on 100-01-01 lie below the clamp, being negative dates.)
  for (int year = 101; year <= 9999; year += 7) {
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 15, 28}) {
        int hour = (year + month) % 24, minute = (year * 7 + day) % 60, second = (day * 13 + month) % 60;
        double date = Date(year, month, day, hour, minute, second);
        DateParts p = SplitDate(date);
        ASSERT_EQ(p.year, year);
        ASSERT_EQ(p.month, month);
        ASSERT_EQ(p.day, day);
        ASSERT_EQ(p.hour, hour) << year << "-" << month << "-" << day;
        ASSERT_EQ(p.minute, minute);
        ASSERT_EQ(p.second, second);
      }
    }
  }
}

TEST(OleDate, NegativeDatesCountTheirTimeForward) {
  // -1.25: the day before 1899-12-30, at 06:00.
  DateParts p = SplitDate(-1.25);
  EXPECT_EQ(p.day, 29);
  EXPECT_EQ(p.hour, 6);
  EXPECT_EQ(Date(1899, 12, 29, 6), -1.25);
}

TEST(OleDate, TimeOfDayRoundsToTheNearestSecond) {
  const double second = 1.0 / 86400.0;
  double date = Date(2020, 5, 17, 10, 59, 59) + 0.6 * second;
  DateParts p = SplitDate(date);
  EXPECT_EQ(p.hour, 11);
  EXPECT_EQ(p.minute, 0);
  EXPECT_EQ(p.second, 0);

  p = SplitDate(Date(2020, 12, 31, 23, 59, 59) + 0.7 * second);  // into the new year
  EXPECT_EQ(p.year, 2021);
  EXPECT_EQ(p.dayOfYear, 1);
  EXPECT_EQ(p.hour, 0);

  p = SplitDate(Date(2020, 5, 17, 10, 59, 59) + 0.4 * second);
  EXPECT_EQ(p.second, 59);
}

TEST(OleDate, ClampsToTheRangeAndRejectsNaN) {
  DateParts high = SplitDate(3000000.0);
  EXPECT_EQ(high.year, 9999);
  EXPECT_EQ(high.month, 12);
  EXPECT_EQ(high.day, 31);
  DateParts low = SplitDate(-700000.0);
  EXPECT_EQ(low.year, 100);
  EXPECT_EQ(low.month, 1);
  EXPECT_EQ(low.day, 1);
  DateParts bad = SplitDate(std::nan(""));
  EXPECT_EQ(bad.year, -1);
  EXPECT_EQ(bad.hour, -1);
  EXPECT_EQ(bad.dayOfWeek, -1);
}

// --- formats ----------------------------------------------------------------

TEST(ValueFormat, NumbersUseTheirPatterns) {
  EXPECT_EQ(ValueToText(ArgRecord::Int(200, kTagByte)), "200");
  EXPECT_EQ(ValueToText(ArgRecord::Int(0xFFFF, kTagShort)), "-1");
  EXPECT_EQ(ValueToText(ArgRecord::Int(-42)), "-42");
  EXPECT_EQ(ValueToText(ArgRecord::Int64(-9000000000LL)), "-9000000000");
  EXPECT_EQ(ValueToText(ArgRecord::Float(0.1f)), "0.1");
  EXPECT_EQ(ValueToText(ArgRecord::Double(1.0 / 3.0)), "0.3333333333333");
  EXPECT_EQ(ValueToText(ArgRecord::Double(1e20)), "1e+20");
  EXPECT_EQ(ValueToText(ArgRecord::Double(2.5)), "2.5");
  EXPECT_EQ(ValueToText(ArgRecord::Bool(true)), "");
}

TEST(ValueFormat, DatesShowOnlyTheTimeThatIsThere) {
  EXPECT_EQ(DateToText(0.5), Cp("1899年12月30日12时"));
  EXPECT_EQ(DateToText(Date(2017, 11, 21)), Cp("2017年11月21日"));
  EXPECT_EQ(DateToText(Date(2017, 11, 21, 8, 5)), Cp("2017年11月21日8时5分"));
  EXPECT_EQ(DateToText(Date(2017, 11, 21, 0, 0, 9)), Cp("2017年11月21日0时0分9秒"));
}

TEST(ValueFormat, BasicValuesAsText) {
  EXPECT_EQ(BasicValueToText(ArgRecord::Bool(true)), Cp("真"));
  EXPECT_EQ(BasicValueToText(ArgRecord::Bool(false)), Cp("假"));
  const char text[] = "abc";
  EXPECT_EQ(BasicValueToText(ArgRecord::Pointer(text, kTagText)), "abc");
  EXPECT_EQ(BasicValueToText(ArgRecord::Pointer(nullptr, kTagText)), "");
  EXPECT_EQ(BasicValueToText(ArgRecord::Double(0.75, kTagDateTime)), Cp("1899年12月30日18时"));
  EXPECT_EQ(BasicValueToText(ArgRecord{1, 0, unit_type::kCartoonBox}), "");
}

// --- text to number ---------------------------------------------------------

TEST(FullWidthFolding, FoldsDigitsSignsAndSpaces) {
  EXPECT_EQ(FoldFullWidth(Cp("１２３")), "123");
  EXPECT_EQ(FoldFullWidth(Cp("－４．５")), "-4.5");
  EXPECT_EQ(FoldFullWidth(Cp("　～☆★")), " ~**");
  // Other two-byte characters stay whole, even when their trail byte is in
  // the folded range.
  EXPECT_EQ(FoldFullWidth(Cp("中文")), Cp("中文"));
  // A lead byte at the very end stays as it is.
  EXPECT_EQ(FoldFullWidth("1\xA3"), "1\xA3");
}

TEST(TextToNumber, ParsesLikeTheCParsers) {
  EXPECT_EQ(TextToInt32(Cp("１２３").c_str()), 123);
  EXPECT_EQ(TextToInt32("  12abc"), 12);
  EXPECT_EQ(TextToInt32("\t-7"), -7);
  EXPECT_EQ(TextToInt32("abc"), 0);
  EXPECT_EQ(TextToInt32(nullptr), 0);
  EXPECT_EQ(TextToInt32("99999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(TextToInt32("-99999999999"), std::numeric_limits<std::int32_t>::min());

  EXPECT_DOUBLE_EQ(TextToDouble(Cp("３．２５").c_str()), 3.25);
  EXPECT_DOUBLE_EQ(TextToDouble(" -.5x"), -0.5);
  EXPECT_DOUBLE_EQ(TextToDouble("1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(TextToDouble("2e"), 2.0);
  EXPECT_DOUBLE_EQ(TextToDouble("."), 0.0);
  EXPECT_DOUBLE_EQ(TextToDouble("0x10"), 0.0);  // no hexadecimal
  EXPECT_TRUE(std::isinf(TextToDouble("1e999")));
  EXPECT_EQ(TextToDouble("1e-999"), 0.0);
  EXPECT_EQ(TextToDouble("0.0000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000"
                         "00000000000000000000000000000000000000000000000000000000000000000000000000000000000001"),
            0.0);
}

// --- ToInt32 ----------------------------------------------------------------

TEST(ToInt32Conversion, EachNumericKind) {
  EXPECT_EQ(ToInt32(ArgRecord{0xFFFFFFC8, 0, kTagByte}), 200);  // only the low byte counts
  EXPECT_EQ(ToInt32(ArgRecord{0xFFFF, 0, kTagShort}), -1);
  EXPECT_EQ(ToInt32(ArgRecord::Int(-5)), -5);
  EXPECT_EQ(ToInt32(ArgRecord::Int64(0x100000005LL)), 5);
  EXPECT_EQ(ToInt32(ArgRecord::Float(-2.9f)), -2);
  EXPECT_EQ(ToInt32(ArgRecord::Double(2.9)), 2);
  EXPECT_EQ(ToInt32(ArgRecord::Double(1e12)), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ToInt32(ArgRecord::Double(std::nan(""))), std::numeric_limits<std::int32_t>::min());
}

class ToInt32Fatal : public RuntimeTest {};

TEST_F(ToInt32Fatal, NonNumericKindEndsTheProgram) {
  const char text[] = "12";
  int code = ExitCodeOf([&] { ToInt32(ArgRecord::Pointer(text, kTagText)); });
  EXPECT_EQ(code, -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_NE(dialogs[0].text.find("欲转换数据类型不是数值"), std::string::npos) << dialogs[0].text;
}

// --- blocks -----------------------------------------------------------------

TEST(HeapBlocks, EmptyResultsAreNull) {
  EXPECT_EQ(CopyText(""), nullptr);
  EXPECT_EQ(CopyText(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(CopyTextN("abc", 0), nullptr);
  EXPECT_EQ(MakeByteSet("x", 0), nullptr);

  char* two = CopyTextN("abc", 2);
  ASSERT_NE(two, nullptr);
  EXPECT_STREQ(two, "ab");
  Free(two);

  void* set = MakeByteSet("\x01\x02\x03", 3);
  std::int32_t header[2];
  std::memcpy(header, set, sizeof header);
  EXPECT_EQ(header[0], 1);
  EXPECT_EQ(header[1], 3);
  ByteSetView view = ByteSetBytes(set);
  ASSERT_EQ(view.size, 3u);
  EXPECT_EQ(view.data[2], 3);
  Free(set);
}

TEST(HeapBlocks, ArrayElementsSkipTheDimensions) {
  // Two dimensions of 2 and 3, then six bytes.
  const std::int32_t block[] = {2, 2, 3, 0x04030201, 0x00000605};
  ArrayView view = ArrayElements(block);
  EXPECT_EQ(view.count, 6u);
  EXPECT_EQ(*static_cast<std::uint8_t*>(view.first), 1);
  const std::int32_t noDimensions[] = {0, 7};
  view = ArrayElements(noDimensions);
  EXPECT_EQ(view.count, 1u);
  EXPECT_EQ(*static_cast<std::int32_t*>(view.first), 7);
}

}  // namespace
}  // namespace horavia::runtime
