// The file-backed registry: stored value lines, keys and roots, damaged
// stores, environment expansion and the autostart mirror.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/text_codec.h"
#include "tests/platform/temp_folder.h"

namespace horavia::platform {
namespace {

using horavia::testing::ReadBytes;
using horavia::testing::TempFolder;
using horavia::testing::WriteBytes;

RegistryValue Sz(const std::string& text) { return {kRegSz, text + std::string(1, '\0')}; }

constexpr std::string_view kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(RegistryValueLine, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (std::uint32_t type : {kRegSz, kRegExpandSz, kRegBinary, 7u}) {
    RegistryValue value{type, all};
    std::string line = EncodeRegistryValue(value);
    EXPECT_EQ(line.find_first_of("\r\n\0 ", 0, 4), std::string::npos) << "line break or blank in " << line;
    EXPECT_EQ(DecodeRegistryValue(line), value);
  }
  RegistryValue dword{kRegDword, std::string("\x2A\x00\x00\x00", 4)};
  EXPECT_EQ(DecodeRegistryValue(EncodeRegistryValue(dword)), dword);
}

TEST(RegistryValueLine, MalformedLinesAreNoValue) {
  EXPECT_EQ(DecodeRegistryValue(""), std::nullopt);
  EXPECT_EQ(DecodeRegistryValue("sz"), std::nullopt);
  EXPECT_EQ(DecodeRegistryValue("sz:abc%4"), std::nullopt);   // cut escape
  EXPECT_EQ(DecodeRegistryValue("sz:abc%G0"), std::nullopt);  // not hexadecimal
  EXPECT_EQ(DecodeRegistryValue("dword:%01%00"), std::nullopt);  // two bytes only
  EXPECT_EQ(DecodeRegistryValue("nonsense:x"), std::nullopt);
  EXPECT_EQ(DecodeRegistryValue("t:x"), std::nullopt);
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  TempFolder folder;
  RegistryStore store{folder.path()};
};

TEST_F(RegistryStoreTest, ValuesReadBackByRootKeyAndName) {
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software\\X", "v"), std::nullopt);
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\X", "v", Sz("one")));
  ASSERT_TRUE(store.write(RegistryRoot::LocalMachine, "Software\\X", "v", Sz("two")));
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\X", "", Sz("default")));
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\X", "=[odd] name", Sz("odd")));
  // Names ending in a lead byte without its trail; 0x81 0x5D is a
  // character whose trail byte looks like "]".
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\\x81", "\x81", Sz("lone")));
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\\x81\x5D", "\x81\x5D", Sz("pair")));

  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "SOFTWARE\\x", "V"), Sz("one"));  // any case
  EXPECT_EQ(store.read(RegistryRoot::LocalMachine, "Software\\X", "v"), Sz("two"));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software\\X", ""), Sz("default"));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software\\X", "=[odd] name"), Sz("odd"));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software\\\x81", "\x81"), Sz("lone"));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software\\\x81\x5D", "\x81\x5D"), Sz("pair"));
  EXPECT_EQ(store.read(RegistryRoot::Users, "Software\\X", "v"), std::nullopt);
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software", "v"), std::nullopt);  // not inherited

  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\X", "v", {kRegDword, std::string(4, '\0')}));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "Software\\X", "v")->type, kRegDword);
}

TEST_F(RegistryStoreTest, DamagedStoreReadsWhatItCanAndKeepsItOnWrite) {
  std::string path = store.rootFile(RegistryRoot::CurrentUser);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::string junk = std::string("\x00\xFF garbage [[[ \n", 17) + std::string(200000, 'j') +
                     "\n[k:A]\nv:good=sz:yes%00\nv:bad=sz:%Z\nv:dw=dword:%01\n";
  WriteBytes(path, junk);
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "A", "good"), Sz("yes"));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "A", "bad"), std::nullopt);
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "A", "dw"), std::nullopt);

  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "B", "new", Sz("n")));
  std::string after = ReadBytes(path);
  EXPECT_EQ(after.substr(0, junk.size()), junk);
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "A", "good"), Sz("yes"));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, "B", "new"), Sz("n"));
}

TEST_F(RegistryStoreTest, MirrorIsNeverRead) {
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, kRun, "app", Sz("\\bin\\app")));
  ASSERT_TRUE(PathExists(store.autostartEntry("app")));
  std::filesystem::remove(store.rootFile(RegistryRoot::CurrentUser));
  EXPECT_EQ(store.read(RegistryRoot::CurrentUser, kRun, "app"), std::nullopt);
}

TEST_F(RegistryStoreTest, OnlyTextUnderTheRunKeyIsMirrored) {
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, "Software\\Run", "a", Sz("\\bin\\a")));
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, kRun, "b", {kRegBinary, "\\bin\\b"}));
  ASSERT_TRUE(store.write(RegistryRoot::CurrentUser, kRun, "c", Sz("")));  // nothing to hide yet
  EXPECT_FALSE(PathExists(store.autostartEntry("a")));
  EXPECT_FALSE(PathExists(store.autostartEntry("b")));
  EXPECT_FALSE(PathExists(store.autostartEntry("c")));
}

TEST(AutostartEntry, ExecIsQuotedAndEscaped) {
  std::string text = AutostartEntryText("n", "/a$b/100%/x\"y", false);
  // Quoted for the reserved "$" and '"', which are escaped inside the
  // quotes; "%" is doubled; then every backslash is doubled once more.
  EXPECT_NE(text.find("Exec=\"/a\\\\$b/100%%/x\\\\\"y\"\n"), std::string::npos) << text;
  EXPECT_NE(AutostartEntryText("n", "/my apps/x", false).find("Exec=\"/my apps/x\"\n"), std::string::npos);
  EXPECT_NE(AutostartEntryText("a\nb", "/x", true).find("Name=a\\nb\n"), std::string::npos);
}

TEST(EnvironmentReferences, KnownNamesExpandUnknownStay) {
  setenv("HORAVIA_TEST_FOLDER", "/data", 1);
  unsetenv("HORAVIA_TEST_UNSET");
  EXPECT_EQ(ExpandEnvironmentReferences("%HORAVIA_TEST_FOLDER%\\x"), "/data\\x");
  EXPECT_EQ(ExpandEnvironmentReferences("%HORAVIA_TEST_UNSET%%HORAVIA_TEST_FOLDER%"), "%HORAVIA_TEST_UNSET%/data");
  EXPECT_EQ(ExpandEnvironmentReferences("100% sure"), "100% sure");
  EXPECT_EQ(ExpandEnvironmentReferences("%%"), "%%");
  setenv("HORAVIA_TEST_SKIN", "皮肤", 1);  // UTF-8 in the environment
  EXPECT_EQ(ExpandEnvironmentReferences("%HORAVIA_TEST_SKIN%"), Utf8ToCp936("皮肤"));
}

}  // namespace
}  // namespace horavia::platform
