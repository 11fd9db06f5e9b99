// A property table as the stored-data walkers and the clamps see it: stored
// order, the version that brought each field, Live rows without a stored
// place, clamps, choices, and the table's own soundness check.
#include "base/property_rows.h"

#include <gtest/gtest.h>

#include "base/stored_fields.h"
#include "tests/base/test_bytes.h"

namespace horavia::base {
namespace {

using namespace property_kind;
using test::TestBytes;

enum class Mode : std::int32_t { Plain = 0, Framed = 1, Boxed = 2 };
enum class Hook { None, Redraw, Count };

struct Sample {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  std::int32_t count = 3;
  Choice<Mode> mode = Mode::Framed;
  std::uint32_t colour = kDefaultColour;
  std::string name = "x";
  Bytes blob;
  template <class V>
  void visitFields(V& v);
};

constexpr auto kSampleTable = MakePropertyTable<Sample, 14>(
    Field(9, "count", kInteger, &Sample::count, 0, Between(0, 9), Hook::Count),
    Live(13, "shown", kBoolean, kNotStored, kAsGiven, Hook::Redraw),
    Field(8, "mode", kChoice, &Sample::mode, 0, Between(0, 2), Hook::Redraw),
    Field(10, "colour", kColour, &Sample::colour, 0, kAsGiven, Hook::Redraw),
    Field(12, "name", kText, &Sample::name, 0, kAsGiven, Hook::None),
    Field(11, "blob", kPicture, &Sample::blob, 2, kAsGiven, Hook::None));

template <class V>
void Sample::visitFields(V& v) {
  VisitStoredFields(kSampleTable, *this, v);
}

TEST(PropertyRows, StoredDataFollowsTheRowsInTheirOrderWithoutLiveOnes) {
  Sample sample;
  sample.count = 7;
  sample.mode = Mode::Boxed;
  sample.colour = 0x123456;
  sample.name = "ab";
  sample.blob = {1, 2};
  TestBytes want;
  want.dws({2, 7, 2, 0x123456});  // version, count, mode, colour
  want.counted("ab");             // name
  want.counted("\x01\x02");       // blob, from version 2
  EXPECT_EQ(writeStored(sample), want.bytes);

  Sample back;
  ASSERT_EQ(readStored(want.bytes, back), StoredStatus::Ok);
  EXPECT_EQ(writeStored(back), want.bytes);
}

TEST(PropertyRows, AFieldOfALaterVersionKeepsItsDefaultInAnOlderStream) {
  TestBytes older;
  older.dws({1, 4, 0, 0xFF});  // version 1: count, mode, colour
  older.counted("n");          // name; no blob
  Sample sample;
  sample.blob = {9};
  ASSERT_EQ(readStored(older.bytes, sample), StoredStatus::Ok);
  EXPECT_EQ(sample.count, 4);
  EXPECT_EQ(sample.mode, Mode::Plain);
  EXPECT_TRUE(sample.blob.empty());
  older.bytes.pop_back();
  EXPECT_EQ(readStored(older.bytes, sample), StoredStatus::Truncated);
}

TEST(PropertyRows, ClampingLimitsOnlyTheRowsThatHaveAClamp) {
  Sample sample;
  sample.count = 40;
  sample.mode = -3;
  sample.colour = 0xFFFFFFFF;
  ClampStoredFields(kSampleTable, sample);
  EXPECT_EQ(sample.count, 9);
  EXPECT_EQ(sample.mode, 0);
  EXPECT_EQ(sample.colour, 0xFFFFFFFFu);
  EXPECT_EQ(Between(-5, 5)(-1LL << 40), -5);
  EXPECT_EQ(AtLeast(1)(1LL << 40), 0x7FFFFFFF);
  EXPECT_EQ(kAsGiven(0x1'0000'0002LL), 2);  // its low 32 bits
}

TEST(PropertyRows, AChoiceKeepsNumbersItsEnumDoesNotName) {
  Choice<Mode> mode = 7;
  EXPECT_EQ(mode, 7);
  EXPECT_NE(mode, Mode::Boxed);
  EXPECT_EQ(mode.number(), 7);
  mode = Mode::Boxed;
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(mode.value(), Mode::Boxed);
}

TEST(PropertyRows, RowsAreFoundByNumberAndByName) {
  EXPECT_EQ(NumberOf(kSampleTable, "colour"), 10);
  EXPECT_EQ(IndexOf(kSampleTable, "colour"), 2);
  EXPECT_EQ(NumberOf(kSampleTable, "missing"), -1);
  std::string found;
  EXPECT_TRUE(kSampleTable.withRow(13, [&](const auto& row) { found = row.name.english; }));
  EXPECT_EQ(found, "shown");
  EXPECT_FALSE(kSampleTable.withRow(14, [](const auto&) {}));
}

TEST(PropertyRows, ATableWithADoubledOrForeignNumberIsNotSound) {
  static_assert(kSampleTable.numbersAreSound());
  constexpr auto doubled = MakePropertyTable<Sample, 14>(
      Field(9, "count", kInteger, &Sample::count, 0, kAsGiven, Hook::None),
      Field(9, "mode", kChoice, &Sample::mode, 0, kAsGiven, Hook::None));
  constexpr auto common = MakePropertyTable<Sample, 14>(Field(7, "count", kInteger, &Sample::count, 0, kAsGiven,
                                                              Hook::None));
  constexpr auto beyond = MakePropertyTable<Sample, 14>(Field(14, "count", kInteger, &Sample::count, 0, kAsGiven,
                                                              Hook::None));
  EXPECT_FALSE(doubled.numbersAreSound());
  EXPECT_FALSE(common.numbersAreSound());
  EXPECT_FALSE(beyond.numbersAreSound());
}

}  // namespace
}  // namespace horavia::base
