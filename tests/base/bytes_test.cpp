#include "base/bytes.h"

#include <gtest/gtest.h>

namespace horavia::base {
namespace {

TEST(ByteReader, ReadsLittleEndianFieldsInOrder) {
  const std::uint8_t bytes[] = {
      0x7F,                    // byte 0x7F
      0x34, 0x12,              // word 0x1234
      0x78, 0x56, 0x34, 0x12,  // dword 0x12345678
      'h', 'i', 0,             // z-string "hi"
      2, 0, 0, 0, 'o', 'k',    // counted string "ok"
      0, 0, 0, 0,              // empty counted block
      9, 8,                    // the rest
  };
  ByteReader in(bytes);
  EXPECT_EQ(in.u8(), 0x7Fu);
  EXPECT_EQ(in.u16(), 0x1234u);
  EXPECT_EQ(in.u32(), 0x12345678u);
  EXPECT_EQ(in.zString(), "hi");
  EXPECT_EQ(in.countedString(), "ok");
  EXPECT_TRUE(in.countedBlock().empty());
  EXPECT_EQ(in.rest().size(), 2u);
  EXPECT_TRUE(in.ok());
  EXPECT_TRUE(in.atEnd());
}

TEST(ByteReader, FailureSticksAndYieldsNothing) {
  const std::uint8_t bytes[] = {
      0xFF, 0xFF, 0xFF, 0x7F,  // a count far beyond the input
      1, 0, 0, 0,              // would be a dword 1
  };
  ByteReader in(bytes);
  EXPECT_TRUE(in.countedBlock().empty());
  EXPECT_FALSE(in.ok());
  EXPECT_EQ(in.u32(), 0u);  // the dword after is not read once the stream failed
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(ByteReader, RejectsShortDwordAndUnterminatedText) {
  const std::uint8_t three[] = {1, 2, 3};
  ByteReader shortDword(three);
  shortDword.u32();
  EXPECT_FALSE(shortDword.ok());

  const std::uint8_t text[] = {'a', 'b'};
  ByteReader unterminated(text);
  EXPECT_EQ(unterminated.zString(), "");
  EXPECT_FALSE(unterminated.ok());
}

// A failed read moves nothing, so the bytes it refused are still under the
// reader: later reads that would fit must yield zero all the same.
TEST(ByteReader, TruncatedTextOrBlockFailsEveryLaterRead) {
  const std::uint8_t text[] = {'a', 'b'};  // a z-string cut before its zero
  ByteReader cutText(text);
  EXPECT_EQ(cutText.zString(), "");
  EXPECT_EQ(cutText.position(), 0u);
  EXPECT_EQ(cutText.u8(), 0u) << "have 'a', want nothing after the failure";
  EXPECT_EQ(cutText.peek(), 0u);
  EXPECT_TRUE(cutText.atEnd());

  const std::uint8_t block[] = {
      3, 0, 0, 0,  // a block of three bytes
      'x', 'y',    // of which two arrived
  };
  ByteReader cutBlock(block);
  EXPECT_TRUE(cutBlock.countedBlock().empty());
  EXPECT_FALSE(cutBlock.ok());
  EXPECT_EQ(cutBlock.u16(), 0u) << "have \"xy\", want nothing after the failure";
  EXPECT_TRUE(cutBlock.take(1).empty());
  EXPECT_TRUE(cutBlock.rest().empty());
  EXPECT_FALSE(cutBlock.seek(0));
  EXPECT_FALSE(cutBlock.ok());
}

TEST(ByteWriter, EndsAZStringAtAnEmbeddedZero) {
  // Whatever followed the zero would otherwise be read back as the next field.
  ByteWriter out;
  out.zString(std::string("cut\0here", 8));
  out.u32(7);
  ByteReader in(out.bytes());
  EXPECT_EQ(in.zString(), "cut");
  EXPECT_EQ(in.u32(), 7u);
  EXPECT_EQ(in.remaining(), 0u);
}

}  // namespace
}  // namespace horavia::base
