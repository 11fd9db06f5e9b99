#include "base/ascii.h"

#include <gtest/gtest.h>

namespace horavia::base {
namespace {

TEST(Ascii, FoldsOnlyTheTwentySixLetters) {
  EXPECT_EQ(ToAsciiLower('A'), 'a');
  EXPECT_EQ(ToAsciiLower('Z'), 'z');
  EXPECT_EQ(ToAsciiUpper('a'), 'A');
  EXPECT_EQ(ToAsciiUpper('z'), 'Z');
  // The bytes beside each range, and a code-page-936 lead byte, stay.
  for (char c : {'@', '[', '`', '{', '5', '\xC4'}) {
    EXPECT_EQ(ToAsciiLower(c), c) << "byte " << int(static_cast<unsigned char>(c));
    EXPECT_EQ(ToAsciiUpper(c), c) << "byte " << int(static_cast<unsigned char>(c));
  }
}

TEST(Ascii, ComparesByteStringsIgnoringLetterCaseOnly) {
  EXPECT_TRUE(EqualIgnoringAsciiCase("Software\\Run", "SOFTWARE\\run"));
  EXPECT_TRUE(EqualIgnoringAsciiCase("", ""));
  EXPECT_FALSE(EqualIgnoringAsciiCase("run", "runs"));
  // Each pair differs only in bit 0x20, as a letter's two cases do.
  EXPECT_FALSE(EqualIgnoringAsciiCase("@", "`"));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xC4", "\xE4"));
}

}  // namespace
}  // namespace horavia::base
