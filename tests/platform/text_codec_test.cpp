// Code page 936 at the edges: conversions and runtime paths.
#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace horavia::platform {
namespace {

TEST(Cp936Codec, RoundTripsAndReplacesWhatItCannotRead) {
  const std::string utf8 = "配置.ini 蓝色";
  EXPECT_EQ(Cp936ToUtf8(Utf8ToCp936(utf8)), utf8);
  EXPECT_EQ(Utf8ToCp936("表"), "\xB1\xED");
  EXPECT_EQ(Cp936ToUtf16("\xB1\xED" "a"), u"表a");
  EXPECT_EQ(Utf16ToCp936(u"表a"), "\xB1\xED" "a");
  // A lone lead byte at the end: one replacement character, nothing lost
  // before it.
  EXPECT_EQ(Cp936ToUtf8("ab\x81"), "ab\xEF\xBF\xBD");
  // A character the code page lacks becomes one "?"; its neighbours stay.
  EXPECT_EQ(Utf8ToCp936("a😀b中"), "a?b\xD6\xD0");
}

TEST(RuntimePaths, BackslashesAreSeparatorsOnlyBetweenCharacters) {
  // 0x81 0x5C is "乗": its trail byte is a backslash but it is a letter.
  const std::string runtime = "skins\\\x81\x5C\\face.gif";
  EXPECT_EQ(HostPath(runtime), "skins/乗/face.gif");
  EXPECT_EQ(RuntimePath("/opt/乗/x"), "\\opt\\\x81\x5C\\x");
  EXPECT_EQ(RuntimePath(HostPath(runtime)), runtime);
}

}  // namespace
}  // namespace horavia::platform
