// Settings-file and registry commands, over a temporary configuration folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/files.h"
#include "platform/registry.h"
#include "tests/platform/temp_folder.h"
#include "tests/runtime/commands/command_fixture.h"

namespace horavia::runtime::commands {
namespace {

using horavia::testing::ReadBytes;
using horavia::testing::TempFolder;
using horavia::testing::WriteBytes;
using testing::ByteSetArg;
using testing::Call;
using testing::Cp;
using testing::IsNull;
using testing::TakeText;
using testing::TextArg;

const std::string kRunValue = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\horavia";

class SettingsCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
    ini = platform::RuntimePath(folder.file("settings.ini"));
  }

  std::string Read(const std::string& section, const std::string& key, const ArgRecord& dflt = {}) {
    return TakeText(Call(ReadIniValue, {TextArg(ini), TextArg(section), TextArg(key), dflt}));
  }
  bool Write(const ArgRecord& key, const ArgRecord& value, const std::string& section = "s") {
    return Call(WriteIniValue, {TextArg(ini), TextArg(section), key, value}).low != 0;
  }
  std::string ReadRegistry(std::int32_t root, const std::string& path, const ArgRecord& dflt = {}) {
    return TakeText(Call(ReadRegistryText, {ArgRecord::Int(root), TextArg(path), dflt}));
  }
  bool WriteRegistry(std::int32_t root, const std::string& path, const ArgRecord& value) {
    return Call(WriteRegistryValue, {ArgRecord::Int(root), TextArg(path), value}).low != 0;
  }
  platform::RegistryStore Store() const { return platform::RegistryStore(folder.path()); }

  TempFolder folder;
  std::string ini;
};

// --- settings files -------------------------------------------------------------

TEST_F(SettingsCommands, BlankNamesReadEmptyWithoutTheFile) {
  WriteBytes(folder.file("settings.ini"), "[s]\nk=v\n");
  std::string dflt = "d";
  EXPECT_TRUE(IsNull(Call(ReadIniValue, {TextArg(ini), TextArg("  "), TextArg("k"), TextArg(dflt)})));
  EXPECT_TRUE(IsNull(Call(ReadIniValue, {TextArg(ini), TextArg("s"), TextArg("\t\r"), TextArg(dflt)})));
  EXPECT_TRUE(IsNull(Call(ReadIniValue, {TextArg(""), TextArg("s"), TextArg("k"), TextArg(dflt)})));
  // Leading blanks and control bytes are skipped before reading.
  EXPECT_EQ(TakeText(Call(ReadIniValue, {TextArg(" \x01" + ini), TextArg(" s"), TextArg("\tk")})), "v");
}

TEST_F(SettingsCommands, MissingKeysGiveTheDefault) {
  std::string zero = "0";
  EXPECT_EQ(Read("s", "missing", TextArg(zero)), "0");
  EXPECT_TRUE(IsNull(Call(ReadIniValue, {TextArg(ini), TextArg("s"), TextArg("missing")})));
}

TEST_F(SettingsCommands, WrittenValuesReadBackAndOmittedArgumentsRemove) {
  std::string section = Cp("配置"), key = Cp("皮肤文件名"), value = Cp("蓝色");
  ASSERT_TRUE(Write(TextArg(key), TextArg(value), section));
  ASSERT_TRUE(Write(TextArg("volume"), TextArg("80"), section));
  EXPECT_EQ(ReadBytes(folder.file("settings.ini")), Cp("[配置]\r\n皮肤文件名=蓝色\r\nvolume=80\r\n"));
  EXPECT_EQ(Read(section, key), value);

  ASSERT_TRUE(Write(TextArg("volume"), ArgRecord{}, section));  // no value: the key goes
  EXPECT_EQ(Read(section, "volume"), "");
  EXPECT_EQ(Read(section, key), value);
  ASSERT_TRUE(Write(ArgRecord{}, ArgRecord{}, section));  // no key: the section goes
  EXPECT_EQ(Read(section, key), "");
  EXPECT_EQ(ReadBytes(folder.file("settings.ini")), "");
}

TEST_F(SettingsCommands, HandWrittenFilesKeepTheirOtherLines) {
  const std::string original =
      "; written by hand\r\n"
      "[s]\r\n"
      "  spaced  =  \"quoted value\"  \r\n"
      "k = 1\r\n"
      "\r\n"
      "[other]\r\n"
      "x=y\r\n";
  WriteBytes(folder.file("settings.ini"), original);
  EXPECT_EQ(Read("s", "spaced"), "quoted value");
  ASSERT_TRUE(Write(TextArg("k"), TextArg("2")));
  std::string expected = original;
  expected.replace(expected.find("k = 1"), 5, "k=2");
  EXPECT_EQ(ReadBytes(folder.file("settings.ini")), expected);
}

TEST_F(SettingsCommands, WritingToAFolderThatIsMissingFails) {
  std::string bad = platform::RuntimePath(folder.file("none/settings.ini"));
  EXPECT_EQ(Call(WriteIniValue, {TextArg(bad), TextArg("s"), TextArg("k"), TextArg("v")}).low, 0u);
  EXPECT_EQ(Call(WriteIniValue, {TextArg(""), TextArg("s"), TextArg("k"), TextArg("v")}).low, 0u);
}

// --- registry -------------------------------------------------------------------

TEST(RegistryPathSplit, LastBackslashStepsOverTwoByteCharacters) {
  RegistryPath p = SplitRegistryPath("A\\B\\name");
  EXPECT_EQ(p.key, "A\\B");
  EXPECT_EQ(p.value, "name");
  // 0x81 0x5C is one character whose trail byte is a backslash.
  p = SplitRegistryPath("A\\\x81\x5C" "b");
  EXPECT_EQ(p.key, "A");
  EXPECT_EQ(p.value, "\x81\x5C" "b");
  p = SplitRegistryPath("plain");
  EXPECT_EQ(p.key, "");
  EXPECT_EQ(p.value, "plain");
  p = SplitRegistryPath("A\\B\\");
  EXPECT_EQ(p.key, "A\\B");
  EXPECT_EQ(p.value, "");
}

TEST_F(SettingsCommands, TextValuesReadBackAndOtherTypesGiveTheDefault) {
  std::string dflt = "default";
  ASSERT_TRUE(WriteRegistry(3, "Software\\T\\text", TextArg(Cp("文字"))));
  EXPECT_EQ(ReadRegistry(3, "Software\\T\\text", TextArg(dflt)), Cp("文字"));
  ASSERT_TRUE(WriteRegistry(3, "Software\\T\\number", ArgRecord::Int(7)));
  EXPECT_EQ(ReadRegistry(3, "Software\\T\\number", TextArg(dflt)), "default");
  EXPECT_TRUE(IsNull(Call(ReadRegistryText, {ArgRecord::Int(3), TextArg("Software\\T\\number")})));
  EXPECT_EQ(ReadRegistry(3, "Software\\T\\missing", TextArg(dflt)), "default");
  EXPECT_EQ(ReadRegistry(3, "Software\\Missing\\x", TextArg(dflt)), "default");

  // An empty text value exists: it reads as the empty text, not the default.
  ASSERT_TRUE(WriteRegistry(3, "Software\\T\\empty", TextArg("")));
  auto stored = Store().read(platform::RegistryRoot::CurrentUser, "Software\\T", "empty");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->data, std::string(1, '\0'));
  EXPECT_TRUE(IsNull(Call(ReadRegistryText, {ArgRecord::Int(3), TextArg("Software\\T\\empty"), TextArg(dflt)})));
}

TEST_F(SettingsCommands, NumbersAreStoredAsDwordsAndByteSetsAsBinary) {
  ASSERT_TRUE(WriteRegistry(3, "K\\d", ArgRecord::Double(2.9)));
  ASSERT_TRUE(WriteRegistry(3, "K\\i", ArgRecord::Int(-2)));
  ByteSetArg bytes(std::string("\x00\x01\xFF", 3));
  ASSERT_TRUE(WriteRegistry(3, "K\\b", bytes.record()));
  EXPECT_FALSE(WriteRegistry(3, "K\\bool", ArgRecord::Bool(true)));  // not storable

  auto store = Store();
  auto root = platform::RegistryRoot::CurrentUser;
  EXPECT_EQ(store.read(root, "K", "d"), (platform::RegistryValue{platform::kRegDword, std::string("\x02\0\0\0", 4)}));
  EXPECT_EQ(store.read(root, "K", "i"), (platform::RegistryValue{platform::kRegDword, "\xFE\xFF\xFF\xFF"}));
  EXPECT_EQ(store.read(root, "K", "b"), (platform::RegistryValue{platform::kRegBinary, std::string("\x00\x01\xFF", 3)}));
  EXPECT_EQ(store.read(root, "K", "bool"), std::nullopt);
}

TEST_F(SettingsCommands, RootNumbersPickTheirRoots) {
  ASSERT_TRUE(WriteRegistry(1, "K\\v", TextArg("classes")));
  ASSERT_TRUE(WriteRegistry(2, "K\\v", TextArg("config")));
  ASSERT_TRUE(WriteRegistry(4, "K\\v", TextArg("machine")));
  ASSERT_TRUE(WriteRegistry(5, "K\\v", TextArg("users")));
  ASSERT_TRUE(WriteRegistry(99, "K\\v", TextArg("user")));
  EXPECT_EQ(ReadRegistry(3, "K\\v"), "user");
  EXPECT_EQ(ReadRegistry(0, "K\\v"), "user");
  EXPECT_EQ(ReadRegistry(4, "K\\v"), "machine");
  auto store = Store();
  EXPECT_EQ(store.read(platform::RegistryRoot::ClassesRoot, "K", "v")->data, std::string("classes", 8));
  EXPECT_EQ(store.read(platform::RegistryRoot::CurrentConfig, "K", "v")->data, std::string("config", 7));
  EXPECT_EQ(store.read(platform::RegistryRoot::Users, "K", "v")->data, std::string("users", 6));
}

TEST_F(SettingsCommands, ExpandableTextsAreExpanded) {
  setenv("HORAVIA_TEST_HOME", "/h", 1);
  auto store = Store();
  ASSERT_TRUE(store.write(platform::RegistryRoot::CurrentUser, "K", "e",
                          {platform::kRegExpandSz, std::string("%HORAVIA_TEST_HOME%\\x", 22)}));
  EXPECT_EQ(ReadRegistry(3, "K\\e"), "/h\\x");
}

TEST_F(SettingsCommands, PathEndingInABackslashIsTheDefaultValue) {
  ASSERT_TRUE(WriteRegistry(3, "K\\", TextArg("unnamed")));
  EXPECT_EQ(Store().read(platform::RegistryRoot::CurrentUser, "K", "")->data, std::string("unnamed", 8));
  EXPECT_EQ(ReadRegistry(3, "K\\"), "unnamed");
}

TEST_F(SettingsCommands, AutostartEntryFollowsTheRunValue) {
  std::string entry = folder.file("autostart/horavia.desktop");
  std::string program = platform::RuntimePath("/opt/horavia/horavia");
  ASSERT_TRUE(WriteRegistry(4, kRunValue, TextArg(program)));
  EXPECT_NE(ReadBytes(entry).find("Exec=/opt/horavia/horavia\n"), std::string::npos);
  EXPECT_NE(ReadBytes(entry).find("Hidden=false\n"), std::string::npos);
  EXPECT_EQ(ReadRegistry(4, kRunValue), program);

  ASSERT_TRUE(WriteRegistry(4, kRunValue, TextArg("")));
  EXPECT_NE(ReadBytes(entry).find("Hidden=true\n"), std::string::npos);
  EXPECT_EQ(ReadRegistry(4, kRunValue, TextArg("x")), "");

  ASSERT_TRUE(WriteRegistry(4, kRunValue, TextArg(program)));
  EXPECT_NE(ReadBytes(entry).find("Hidden=false\n"), std::string::npos);
}

}  // namespace
}  // namespace horavia::runtime::commands
