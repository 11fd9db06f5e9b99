// horavia-call: reading arguments and printing results.
#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "runtime/commands/commands.h"
#include "tools/call/call_console.h"

namespace horavia::tools {
namespace {

using runtime::ArgRecord;

TEST(CallArguments, EachKindBecomesItsRecord) {
  ArgumentStore store;
  EXPECT_EQ(ParseArgument("int:-5", store)->asInt32(), -5);
  EXPECT_EQ(ParseArgument("int:0x10", store)->asInt32(), 16);
  EXPECT_EQ(ParseArgument("short:65535", store)->tag, runtime::kTagShort);
  EXPECT_EQ(ParseArgument("byte:300", store)->low, 44u);
  EXPECT_EQ(ParseArgument("long:-9000000000", store)->asInt64(), -9000000000LL);
  EXPECT_EQ(ParseArgument("bool:7", store)->low, 1u);
  EXPECT_EQ(ParseArgument("date:0.75", store)->tag, runtime::kTagDateTime);
  EXPECT_FLOAT_EQ(ParseArgument("float:0.5", store)->asFloat(), 0.5f);
  EXPECT_EQ(ParseArgument("omit", store)->tag, runtime::kTagNone);

  ArgRecord text = *ParseArgument("text:配置", store);
  EXPECT_EQ(std::string(text.asText()), platform::Utf8ToCp936("配置"));
  ArgRecord bytes = *ParseArgument("bytes:00ff", store);
  runtime::ByteSetView view = runtime::ByteSetBytes(bytes.asPointer());
  ASSERT_EQ(view.size, 2u);
  EXPECT_EQ(view.data[1], 0xFF);
  // The first text still points at live bytes after more arguments.
  EXPECT_EQ(std::string(text.asText()), platform::Utf8ToCp936("配置"));
}

TEST(CallArguments, MalformedWordsAreRefused) {
  ArgumentStore store;
  for (const char* bad : {"5", "int:", "int:5x", "int:99999999999", "bytes:abc", "bytes:zz", "double:x", "what:1"}) {
    EXPECT_FALSE(ParseArgument(bad, store).has_value()) << bad;
  }
}

TEST(CallResults, OneLinePerKind) {
  ArgumentStore store;
  ArgRecord args[] = {*ParseArgument("text:a,,b,", store)};
  ArgRecord split;
  runtime::commands::SplitText(&split, 1, args);
  auto type = ResultTypeOf(runtime::commands::SplitText);
  ASSERT_TRUE(type.has_value());
  EXPECT_EQ(FormatResult(split, *type), "a0000004 [\"a\",\"\",\"b\"]");
  FreeResult(split, *type);

  EXPECT_EQ(FormatResult(ArgRecord{6, 0, 0}, runtime::kTagInt), "80000301 6");
  EXPECT_EQ(FormatResult(ArgRecord{}, runtime::kTagText), "80000004 text:");
  EXPECT_EQ(FormatResult(ArgRecord{}, runtime::kTagNone), "0 none");
  EXPECT_EQ(FormatResult(*ParseArgument("bytes:01ab", store), runtime::kTagByteSet), "80000005 bytes:01ab");
  EXPECT_EQ(FormatResult(ArgRecord::Double(0.5), runtime::kTagDouble), "80000601 0.5");
  EXPECT_FALSE(ResultTypeOf(nullptr).has_value());
}

}  // namespace
}  // namespace horavia::tools
