// Text, byte-set and conversion commands.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/runtime/commands/command_fixture.h"

namespace horavia::runtime::commands {
namespace {

using testing::ByteSetArg;
using testing::Call;
using testing::Cp;
using testing::IsNull;
using testing::TakeBytes;
using testing::TakeText;
using testing::TakeTextArray;
using testing::TextArg;

using Pieces = std::vector<std::string>;

// --- conversions --------------------------------------------------------------

TEST(ToTextCommand, ByteSetsAndNumericArraysStopAtTheFirstZero) {
  ByteSetArg bytes(std::string("\x41\x42\x00\x43", 4));
  EXPECT_EQ(TakeText(Call(ToText, {bytes.record()})), "AB");
  // An array of two shorts: one dimension of 2, then the bytes 'h' 'i' 'j' 0
  // and a further word past the first dimension's elements.
  const std::int32_t shorts[] = {1, 2, 0x006A6968, 0x41414141};
  EXPECT_EQ(TakeText(Call(ToText, {ArgRecord::Pointer(shorts, kTagShort | kArrayFlag)})), "hij");
  const std::int32_t texts[] = {1, 0};
  EXPECT_TRUE(IsNull(Call(ToText, {ArgRecord::Pointer(texts, kTagText | kArrayFlag)})));
  EXPECT_TRUE(IsNull(Call(ToText, {ByteSetArg("").record()})));
}

TEST(ToTextCommand, BasicValues) {
  EXPECT_EQ(TakeText(Call(ToText, {ArgRecord::Bool(true)})), Cp("真"));
  EXPECT_EQ(TakeText(Call(ToText, {ArgRecord::Double(43060.0, kTagDateTime)})), Cp("2017年11月21日"));
  EXPECT_EQ(TakeText(Call(ToText, {ArgRecord::Int(200, kTagByte)})), "200");
  EXPECT_TRUE(IsNull(Call(ToText, {TextArg("")})));
  EXPECT_TRUE(IsNull(Call(ToText, {ArgRecord{1, 2, unit_type::kWindow}})));
}

TEST(ToIntegerCommand, EachKind) {
  EXPECT_EQ(Call(ToInteger, {TextArg("  12abc")}).asInt32(), 12);
  EXPECT_EQ(Call(ToInteger, {TextArg(Cp("－１２３"))}).asInt32(), -123);
  EXPECT_EQ(Call(ToInteger, {ArgRecord::Double(-2.7)}).asInt32(), -2);
  EXPECT_EQ(Call(ToInteger, {ArgRecord::Double(43060.5, kTagDateTime)}).asInt32(), 0);
  EXPECT_EQ(Call(ToInteger, {ArgRecord::Int64(0x1FFFFFFFFLL)}).asInt32(), -1);
  EXPECT_EQ(Call(ToInteger, {ArgRecord{0xFFFFFF80, 0, kTagByte}}).asInt32(), 128);
  EXPECT_EQ(Call(ToInteger, {ArgRecord{0x8000, 0, kTagShort}}).asInt32(), -32768);
  EXPECT_EQ(Call(ToInteger, {ArgRecord::Bool(true)}).asInt32(), 1);
}

TEST(ToFloat64Command, EachKind) {
  EXPECT_DOUBLE_EQ(Call(ToFloat64, {TextArg(Cp("１２．５"))}).asDouble(), 12.5);
  EXPECT_DOUBLE_EQ(Call(ToFloat64, {ArgRecord{0xFFFFFFFF, 0, kTagAddress}}).asDouble(), 4294967295.0);
  EXPECT_DOUBLE_EQ(Call(ToFloat64, {ArgRecord::Int(-3)}).asDouble(), -3.0);
  EXPECT_DOUBLE_EQ(Call(ToFloat64, {ArgRecord::Float(0.5f)}).asDouble(), 0.5);
  EXPECT_DOUBLE_EQ(Call(ToFloat64, {ArgRecord::Double(1.0, kTagDateTime)}).asDouble(), 0.0);
}

TEST(ToByteSetCommand, BytesOfEachKind) {
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgRecord::Int(1)})), std::string("\x01\x00\x00\x00", 4));
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {TextArg("abc")})), "abc");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgRecord{0x1FF, 0, kTagByte}})), "\xFF");
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {ArgRecord::Double(1.0)})).size(), 8u);
  ByteSetArg bytes(std::string("\x00\x01", 2));
  EXPECT_EQ(TakeBytes(Call(ToByteSet, {bytes.record()})), std::string("\x00\x01", 2));
  EXPECT_TRUE(IsNull(Call(ToByteSet, {ArgRecord{1, 2, unit_type::kCartoonBox}})));
  EXPECT_TRUE(IsNull(Call(ToByteSet, {TextArg("")})));
}

// --- texts --------------------------------------------------------------------

TEST(TextCommands, CharactersSpacesAndRightParts) {
  EXPECT_EQ(TakeText(Call(CharFromCode, {ArgRecord::Int(65, kTagByte)})), "A");
  EXPECT_TRUE(IsNull(Call(CharFromCode, {ArgRecord::Int(0, kTagByte)})));
  EXPECT_EQ(TakeText(Call(Spaces, {ArgRecord::Int(3)})), "   ");
  EXPECT_TRUE(IsNull(Call(Spaces, {ArgRecord::Int(0)})));
  EXPECT_EQ(TakeText(Call(RightText, {TextArg("hello"), ArgRecord::Int(10)})), "hello");
  EXPECT_EQ(TakeText(Call(RightText, {TextArg("hello"), ArgRecord::Int(2)})), "lo");
  EXPECT_TRUE(IsNull(Call(RightText, {TextArg("hello"), ArgRecord::Int(-1)})));
}

TEST(TextCommands, UpperCaseLeavesTwoByteCharactersAlone) {
  // 0x81 0x61 is one character whose trail byte looks like "a".
  EXPECT_EQ(TakeText(Call(ToUpperCase, {TextArg("ab\x81\x61z")})), "AB\x81\x61Z");
  EXPECT_EQ(TakeText(Call(ToUpperCase, {TextArg(Cp("皮肤skin"))})), Cp("皮肤SKIN"));
}

TEST(TextCommands, CompareWithAndWithoutCase) {
  auto compare = [](const std::string& a, const std::string& b, bool sensitive) {
    return Call(CompareText, {TextArg(a), TextArg(b), ArgRecord::Bool(sensitive)}).asInt32();
  };
  EXPECT_EQ(compare("abc", "abc", true), 0);
  EXPECT_LT(compare("ABC", "abc", true), 0);
  EXPECT_EQ(compare("ABC", "abc", false), 0);
  EXPECT_GT(compare("abd", "abc", false), 0);
  EXPECT_LT(compare("ab", "abc", true), 0);
  // Two-byte characters sort after single bytes and by their codes; their
  // trail bytes never fold.
  EXPECT_GT(compare("\xB0\xA1", "z", true), 0);
  EXPECT_NE(compare("\x81\x41", "\x81\x61", false), 0);
  // "_" lies between "Z" and "a": folding goes to lower case.
  EXPECT_GT(compare("_", "A", true), 0);
  EXPECT_LT(compare("_", "A", false), 0);
}

TEST(SplitTextCommand, DefaultDelimiterAndEmptyPieces) {
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("a,,b,")})), (Pieces{"a", "", "b"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg(",a")})), (Pieces{"", "a"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("abc"), TextArg("")})), (Pieces{"abc"}));
}

TEST(SplitTextCommand, MaximumCount) {
  ArgRecord omitted;
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("a,b,c"), omitted, ArgRecord::Int(1)})), (Pieces{"a"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("a,b,c"), omitted, ArgRecord::Int(2)})), (Pieces{"a", "b"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("a,b"), omitted, ArgRecord::Int(5)})), (Pieces{"a", "b"}));
}

TEST(SplitTextCommand, EmptyResultsAreEmptyArrays) {
  for (auto result : {Call(SplitText, {TextArg("")}),
                      Call(SplitText, {TextArg("a,b"), TextArg(","), ArgRecord::Int(0)}),
                      Call(SplitText, {TextArg("a,b"), TextArg(","), ArgRecord::Int(-3)})}) {
    ASSERT_FALSE(IsNull(result));  // an array block with one dimension of size 0
    std::int32_t header[2];
    std::memcpy(header, result.asPointer(), sizeof header);
    EXPECT_EQ(header[0], 1);
    EXPECT_EQ(header[1], 0);
    Free(result.asPointer());
  }
}

TEST(SplitTextCommand, DelimitersNeverMatchInsideTwoByteCharacters) {
  // The two-byte delimiter A1 A2; the text's first two characters B0 A1 and
  // A2 B0 hold the bytes A1 A2 across their boundary.
  std::string text = "\xB0\xA1\xA2\xB0\xA1\xA2x";
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg(text), TextArg("\xA1\xA2")})), (Pieces{"\xB0\xA1\xA2\xB0", "x"}));
  // A backslash delimiter and a character whose trail byte is 0x5C.
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("\x81\x5C\\b"), TextArg("\\")})), (Pieces{"\x81\x5C", "b"}));
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg(Cp("甲，乙")), TextArg(Cp("，"))})), (Pieces{Cp("甲"), Cp("乙")}));
  // A lead byte at the very end stops the scan; the rest is one piece.
  EXPECT_EQ(TakeTextArray(Call(SplitText, {TextArg("a,\xB0")})), (Pieces{"a", "\xB0"}));
}

TEST(TextCommands, TextAtAddressCopies) {
  std::string external = "device";
  ArgRecord result = Call(TextAtAddress, {ArgRecord::Pointer(external.c_str(), kTagInt)});
  EXPECT_NE(result.asPointer(), external.c_str());
  EXPECT_EQ(TakeText(result), "device");
  EXPECT_TRUE(IsNull(Call(TextAtAddress, {ArgRecord::Int(0)})));
  EXPECT_TRUE(IsNull(Call(TextAtAddress, {ArgRecord::Pointer("", kTagInt)})));
}

// --- byte-sets ----------------------------------------------------------------

TEST(ByteSetCommands, LeftZeroAndLength) {
  ByteSetArg bytes("abcdef");
  EXPECT_EQ(TakeBytes(Call(LeftBytes, {bytes.record(), ArgRecord::Int(2)})), "ab");
  EXPECT_EQ(TakeBytes(Call(LeftBytes, {bytes.record(), ArgRecord::Int(99)})), "abcdef");
  EXPECT_TRUE(IsNull(Call(LeftBytes, {bytes.record(), ArgRecord::Int(-1)})));
  EXPECT_EQ(TakeBytes(Call(ZeroByteSet, {ArgRecord::Int(3)})), std::string(3, '\0'));
  EXPECT_TRUE(IsNull(Call(ZeroByteSet, {ArgRecord::Int(0)})));
  EXPECT_EQ(Call(ByteSetLength, {bytes.record()}).asInt32(), 6);
  EXPECT_EQ(Call(ByteSetLength, {ByteSetArg("").record()}).asInt32(), 0);
  EXPECT_EQ(Call(ByteSetLength, {ArgRecord::Pointer(nullptr, kTagByteSet)}).asInt32(), 0);
}

// --- numbers ------------------------------------------------------------------

TEST(FloorToIntegerCommand, HairBelowAnIntegerCountsAsIt) {
  auto floor = [](double x) { return Call(FloorToInteger, {ArgRecord::Double(x)}).asInt32(); };
  EXPECT_EQ(floor(2.9999999999999), 3);
  EXPECT_EQ(floor(2.999999999), 2);  // not within the hair
  EXPECT_EQ(floor(3.7), 3);
  EXPECT_EQ(floor(-0.5), -1);
  EXPECT_EQ(floor(-2.9999999999999), -3);
  // -0.9999999999999 has -0.0 as its whole part; it is a hair from -1.
  EXPECT_EQ(floor(-0.9999999999999), -1);
  EXPECT_EQ(floor(1e300), std::numeric_limits<std::int32_t>::min());
}

class RandomIntegerCommand : public ::testing::Test {
 protected:
  void SetUp() override { CoreRandomGenerator().reset(); }
  void TearDown() override { CoreRandomGenerator().reset(); }
  static std::int32_t Draw(std::vector<ArgRecord> args) { return Call(RandomInteger, std::move(args)).asInt32(); }
};

TEST_F(RandomIntegerCommand, EveryRunStartsTheSameSequence) {
  std::vector<std::int32_t> drawn;
  for (int i = 0; i < 10; ++i) drawn.push_back(Draw({ArgRecord::Int(1), ArgRecord::Int(12)}));
  EXPECT_EQ(drawn, (std::vector<std::int32_t>{6, 12, 11, 5, 6, 5, 7, 7, 11, 9}));
}

TEST_F(RandomIntegerCommand, RangesAreClampedAndOrdered) {
  std::int32_t swapped = Draw({ArgRecord::Int(12), ArgRecord::Int(1)});
  EXPECT_EQ(swapped, 6);  // the same first draw as (1, 12)
  EXPECT_EQ(Draw({ArgRecord::Int(7), ArgRecord::Int(7)}), 7);
  EXPECT_EQ(Draw({ArgRecord::Int(-5), ArgRecord::Int(0)}), 0);  // both clamped to 0
  // Without arguments: 0 … 2147483647, reaching only the generator's 32767.
  for (int i = 0; i < 200; ++i) {
    std::int32_t r = Draw({});
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
  }
}

}  // namespace
}  // namespace horavia::runtime::commands
