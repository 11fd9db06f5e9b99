// The control token: well formed, and a new secret every time.
#include "app/control_token.h"

#include <gtest/gtest.h>

#include <set>

namespace horavia::app {
namespace {

TEST(ControlToken, Is32HexCharactersAndNeverRepeats) {
  std::set<std::string> seen;
  for (int i = 0; i < 100; ++i) {
    const std::optional<std::string> token = NewControlToken();
    ASSERT_TRUE(token.has_value());
    EXPECT_TRUE(IsWellFormedToken(*token)) << *token;
    EXPECT_TRUE(seen.insert(*token).second) << *token;
  }
  // Every hex digit turns up somewhere in 3200 random ones.
  std::set<char> digits;
  for (const std::string& token : seen) digits.insert(token.begin(), token.end());
  EXPECT_EQ(digits.size(), 16u);
}

TEST(ControlToken, WellFormedMeans32HexDigits) {
  EXPECT_TRUE(IsWellFormedToken("0123456789abcdefABCDEF0123456789"));
  EXPECT_FALSE(IsWellFormedToken("0123456789abcdefABCDEF012345678"));    // 31
  EXPECT_FALSE(IsWellFormedToken("0123456789abcdefABCDEF01234567890"));  // 33
  EXPECT_FALSE(IsWellFormedToken("0123456789abcdefABCDEF012345678g"));
  EXPECT_FALSE(IsWellFormedToken(""));
}

}  // namespace
}  // namespace horavia::app
