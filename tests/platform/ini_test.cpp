// The INI engine: lookup rules, line-preserving edits, damaged files.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text_codec.h"
#include "tests/platform/temp_folder.h"

namespace horavia::platform {
namespace {

using horavia::testing::ReadBytes;
using horavia::testing::TempFolder;
using horavia::testing::WriteBytes;

std::string Cp(const char* utf8) { return Utf8ToCp936(utf8); }

// --- lookup -------------------------------------------------------------------

TEST(IniLookup, NamesMatchWithoutCaseAndValuesAreTrimmed) {
  const std::string file =
      "; leading comment\r\n"
      "k=before any section\r\n"
      "  [ Settings ]  ; trailing words\r\n"
      "  Volume \t=  80  \r\n"
      "path=\"C:\\a b\\\"\r\n"
      "single='x'\r\n"
      "mixed=\"x'\r\n"
      "novalue\r\n";
  EXPECT_EQ(IniLookup(file, "settings", "VOLUME"), "80");
  EXPECT_EQ(IniLookup(file, " Settings ", " volume "), "80");
  EXPECT_EQ(IniLookup(file, "Settings", "path"), "C:\\a b\\");  // quotes removed
  EXPECT_EQ(IniLookup(file, "Settings", "single"), "x");
  EXPECT_EQ(IniLookup(file, "Settings", "mixed"), "\"x'");      // unmatched quotes stay
  EXPECT_EQ(IniLookup(file, "Settings", "novalue"), std::nullopt);  // no "=", no key
  EXPECT_EQ(IniLookup(file, "Settings", "k"), std::nullopt);        // before the section
  EXPECT_EQ(IniLookup(file, "Other", "volume"), std::nullopt);
}

TEST(IniLookup, FirstSectionAndFirstKeyWin) {
  const std::string file =
      "[a]\nx=1\nx=2\n"
      "[b]\ny=3\n"
      "[A]\nx=4\nz=5\n";
  EXPECT_EQ(IniLookup(file, "a", "x"), "1");
  // Only the first section of a name is read.
  EXPECT_EQ(IniLookup(file, "a", "z"), std::nullopt);
}

TEST(IniLookup, TwoByteNamesMatchExactly) {
  // 0x81 0x41 and 0x81 0x61 are two different characters whose trail bytes
  // look like "A" and "a"; they must not match each other.
  const std::string file = "[\x81\x41]\nk=upper\n[\x81\x61]\nk=lower\n";
  EXPECT_EQ(IniLookup(file, "\x81\x61", "k"), "lower");
  // 0x81 0x5D: a character whose trail byte looks like "]".
  const std::string bracket = "[\x81\x5D" "x]\nk=v\n";
  EXPECT_EQ(IniLookup(bracket, "\x81\x5D" "x", "k"), "v");
  const std::string chinese = Cp("[配置]\r\n皮肤文件名=蓝色\r\n");
  EXPECT_EQ(IniLookup(chinese, Cp("配置"), Cp("皮肤文件名")), Cp("蓝色"));
}

// --- edits --------------------------------------------------------------------

TEST(IniEdit, ChangingAKeyKeepsEveryOtherByte) {
  const std::string file =
      "; settings\r\n"
      "[main]\r\n"
      "   odd   spacing   =  kept  \r\n"
      "Volume = 10\r\n"
      "\r\n"
      "[next]\r\n"
      "x=1";  // no final line break
  std::string changed = IniSetValue(file, "MAIN", "volume", "80");
  EXPECT_EQ(changed,
            "; settings\r\n"
            "[main]\r\n"
            "   odd   spacing   =  kept  \r\n"
            "volume=80\r\n"
            "\r\n"
            "[next]\r\n"
            "x=1");
}

TEST(IniEdit, NewKeyGoesAfterTheLastLineOfItsSection) {
  const std::string file = "[a]\nx=1\n\n\n[b]\ny=2\n";
  EXPECT_EQ(IniSetValue(file, "a", "z", "3"), "[a]\nx=1\nz=3\n\n\n[b]\ny=2\n");
  // A section whose last line has no break gets one first.
  EXPECT_EQ(IniSetValue("[a]\r\nx=1", "a", "z", "3"), "[a]\r\nx=1\r\nz=3");
  EXPECT_EQ(IniSetValue("[a]", "a", "z", "3"), "[a]\r\nz=3");
}

TEST(IniEdit, NewSectionGoesAtTheEndWithTheFilesLineBreaks) {
  EXPECT_EQ(IniSetValue("", "s", "k", "v"), "[s]\r\nk=v\r\n");
  EXPECT_EQ(IniSetValue("[a]\nx=1\n", "s", "k", "v"), "[a]\nx=1\n[s]\nk=v\n");
  EXPECT_EQ(IniSetValue("[a]\r\nx=1", "s", "k", ""), "[a]\r\nx=1\r\n[s]\r\nk=\r\n");
}

TEST(IniEdit, RemovingKeysAndSections) {
  const std::string file = "[a]\nx=1\ny=2\nX=3\n[b]\nx=4\n[A]\nq=5\n";
  EXPECT_EQ(IniRemoveKey(file, "a", "x"), "[a]\ny=2\n[b]\nx=4\n[A]\nq=5\n");
  EXPECT_EQ(IniRemoveKey(file, "a", "missing"), file);
  EXPECT_EQ(IniRemoveSection(file, "a"), "[b]\nx=4\n");
  EXPECT_EQ(IniRemoveSection(file, "none"), file);
  // The last line without a break goes as a whole.
  EXPECT_EQ(IniRemoveKey("[a]\nk=1\nj=2", "a", "j"), "[a]\nk=1\n");
}

// --- damaged input ------------------------------------------------------------

TEST(IniDamaged, JunkNulAndHugeLinesReadAsFarAsTheyCan) {
  std::string junk("\xFF\xFE\x00\x01[\x80", 6);
  std::string huge(1 << 20, 'z');
  std::string file = junk + "\n[s]\nbefore=1\n" + huge + "\nnul=a" + std::string(1, '\0') + "b\nafter=2\n[";
  EXPECT_EQ(IniLookup(file, "s", "before"), "1");
  EXPECT_EQ(IniLookup(file, "s", "after"), "2");
  EXPECT_EQ(IniLookup(file, "s", "nul"), "a");  // the text ends at the NUL byte

  std::string changed = IniSetValue(file, "s", "before", "9");
  std::string expected = file;
  expected.replace(expected.find("before=1"), 8, "before=9");
  EXPECT_EQ(changed, expected);
}

// --- files --------------------------------------------------------------------

TEST(IniFile, MissingFileReadsDefaultsAndWritingCreatesIt) {
  TempFolder folder;
  std::string path = folder.file("settings.ini");
  EXPECT_EQ(ReadIniString(path, "s", "k", "0", 10240), "0");
  EXPECT_EQ(ReadIniString(path, "s", "k", "dflt  ", 10240), "dflt");  // trailing blanks go
  EXPECT_TRUE(WriteIniString(path, "s", "k", std::nullopt));          // removing: nothing to do
  EXPECT_FALSE(PathExists(path));

  EXPECT_TRUE(WriteIniString(path, "s", "k", "v"));
  EXPECT_EQ(ReadBytes(path), "[s]\r\nk=v\r\n");
  EXPECT_EQ(ReadIniString(path, "S", "K", "", 10240), "v");
  EXPECT_TRUE(WriteIniString(path, "s", "k", std::nullopt));
  EXPECT_EQ(ReadBytes(path), "[s]\r\n");
  EXPECT_TRUE(WriteIniString(path, "s", std::nullopt, std::nullopt));
  EXPECT_EQ(ReadBytes(path), "");
}

TEST(IniFile, ValuesAreCutToTheBufferWithoutHalfCharacters) {
  TempFolder folder;
  std::string path = folder.file("cut.ini");
  std::string value = Cp("中文中文中");  // ten bytes
  WriteBytes(path, "[s]\nk=" + value + "\nascii=abcdefghijkl\n");
  EXPECT_EQ(ReadIniString(path, "s", "k", "", 11), value);
  EXPECT_EQ(ReadIniString(path, "s", "k", "", 10), value.substr(0, 8));  // not 9: no half character
  EXPECT_EQ(ReadIniString(path, "s", "ascii", "", 10), "abcdefghi");
}

TEST(IniFile, RefusesLineBreaksThatWouldAddLines) {
  TempFolder folder;
  std::string path = folder.file("inject.ini");
  WriteBytes(path, "[s]\nk=1\n");
  EXPECT_FALSE(WriteIniString(path, "s", "k", "1\r\n[evil]\r\nx=2"));
  EXPECT_FALSE(WriteIniString(path, "s\n", "k", "1"));
  EXPECT_FALSE(WriteIniString(path, "a]b", "k", "1"));
  EXPECT_FALSE(WriteIniString(path, "s", "k=j", "1"));
  EXPECT_FALSE(WriteIniString(path, "s\x81", "k", "1"));  // half a character swallows the "]"
  EXPECT_EQ(ReadBytes(path), "[s]\nk=1\n");
}

TEST(IniFile, UnwritableFolderFailsAndLeavesNoTemporaryFile) {
  TempFolder folder;
  EXPECT_FALSE(WriteIniString(folder.file("missing/settings.ini"), "s", "k", "v"));
  EXPECT_FALSE(PathExists(folder.file("missing")));
}

}  // namespace
}  // namespace horavia::platform
