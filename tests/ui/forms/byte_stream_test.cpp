#include "ui/forms/byte_stream.h"

#include <gtest/gtest.h>

namespace horavia::ui {
namespace {

TEST(ByteReader, ReadsLittleEndianFieldsInOrder) {
  const std::uint8_t bytes[] = {
      0x78, 0x56, 0x34, 0x12,  // dword 0x12345678
      'h', 'i', 0,             // z-string "hi"
      2, 0, 0, 0, 'o', 'k',    // counted string "ok"
      0, 0, 0, 0,              // empty counted block
  };
  ByteReader in(bytes);
  EXPECT_EQ(in.u32(), 0x12345678u);
  EXPECT_EQ(in.zString(), "hi");
  EXPECT_EQ(in.countedString(), "ok");
  EXPECT_TRUE(in.countedBlock().empty());
  EXPECT_TRUE(in.ok());
  EXPECT_EQ(in.remaining(), 0u);
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
}  // namespace horavia::ui
