// File, path and system commands.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "runtime/library_links.h"
#include "runtime/runtime_app.h"
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
using testing::TakeBytes;
using testing::TakeText;
using testing::TextArg;

class FileCommands : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return platform::RuntimePath(folder.file(name)); }
  TempFolder folder;
};

// --- files ----------------------------------------------------------------------

TEST_F(FileCommands, FileExistsFindsFilesFoldersAndPatterns) {
  std::filesystem::create_directories(folder.file("skins/blue"));
  WriteBytes(folder.file("skins/blue/face.gif"), "GIF89a");
  auto exists = [](const std::string& name) { return Call(FileExists, {TextArg(name)}).low != 0; };
  EXPECT_TRUE(exists(Path("skins")));
  EXPECT_TRUE(exists(Path("skins/blue/face.gif")));
  EXPECT_TRUE(exists(Path("skins/blue") + "\\*.gif"));
  EXPECT_TRUE(exists(Path("skins/blue") + "\\*.GIF"));
  EXPECT_FALSE(exists(Path("skins/blue") + "\\*.png"));
  EXPECT_FALSE(exists(Path("missing.gif")));
  EXPECT_FALSE(exists(""));
}

TEST_F(FileCommands, ReadFileBytesGivesTheWholeFileOrNothing) {
  WriteBytes(folder.file("data.bin"), std::string("\x00\x01\x02", 3));
  WriteBytes(folder.file("empty.bin"), "");
  EXPECT_EQ(TakeBytes(Call(ReadFileBytes, {TextArg(Path("data.bin"))})), std::string("\x00\x01\x02", 3));
  EXPECT_TRUE(IsNull(Call(ReadFileBytes, {TextArg(Path("empty.bin"))})));
  EXPECT_TRUE(IsNull(Call(ReadFileBytes, {TextArg(Path("missing.bin"))})));
  EXPECT_TRUE(IsNull(Call(ReadFileBytes, {TextArg(Path(""))})));  // a folder
  EXPECT_TRUE(IsNull(Call(ReadFileBytes, {TextArg("")})));
}

TEST_F(FileCommands, WriteFileBytesWritesThePiecesInOrder) {
  ByteSetArg a("ab"), empty(""), c("c");
  EXPECT_EQ(Call(WriteFileBytes, {TextArg(Path("out.bin")), a.record(), empty.record(), c.record()}).low, 1u);
  EXPECT_EQ(ReadBytes(folder.file("out.bin")), "abc");
  // Only empty byte-sets: an empty file, and success.
  EXPECT_EQ(Call(WriteFileBytes, {TextArg(Path("out.bin")), empty.record()}).low, 1u);
  EXPECT_TRUE(platform::PathExists(folder.file("out.bin")));
  EXPECT_EQ(ReadBytes(folder.file("out.bin")), "");
  EXPECT_EQ(Call(WriteFileBytes, {TextArg(""), a.record()}).low, 0u);
  EXPECT_EQ(Call(WriteFileBytes, {TextArg(Path("none/out.bin")), a.record()}).low, 0u);
}

// --- program and library folders -------------------------------------------------

class ProgramCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    Runtime().resetForTests();
    CoreLibraryLink().connect(&RuntimeApp::Service);
  }
  void TearDown() override {
    CoreLibraryLink().connect(nullptr);
    Runtime().externals().setSearchFolder("");
    Runtime().resetForTests();
  }
};

TEST_F(ProgramCommands, ProgramFolderAndFileNameComeFromTheRuntime) {
  Runtime().setProgramPath("/opt/clock/horavia");
  EXPECT_EQ(TakeText(Call(GetProgramDirectory)), "\\opt\\clock");
  EXPECT_EQ(TakeText(Call(GetProgramFileName)), "horavia");
}

TEST_F(ProgramCommands, SetLibraryDirectoryReturnsThePreviousValue) {
  EXPECT_TRUE(IsNull(Call(SetLibraryDirectory, {TextArg("C:\\x")})));
  EXPECT_EQ(Runtime().externals().searchFolder(), "C:\\x\\");
  EXPECT_EQ(TakeText(Call(SetLibraryDirectory)), "C:\\x\\");
  EXPECT_EQ(Runtime().externals().searchFolder(), "");
  EXPECT_TRUE(IsNull(Call(SetLibraryDirectory, {TextArg("D:\\y\\")})));
  EXPECT_EQ(Runtime().externals().searchFolder(), "D:\\y\\");
  // The last character is 0x81 0x5C, a letter, not a separator.
  EXPECT_EQ(TakeText(Call(SetLibraryDirectory, {TextArg("E:\\\x81\x5C")})), "D:\\y\\");
  EXPECT_EQ(Runtime().externals().searchFolder(), "E:\\\x81\x5C\\");
}

// --- message boxes ----------------------------------------------------------------

class MessageBoxCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDialogResponder([this](const platform::DialogRequest& r) {
      shown.push_back(r);
      return answer;
    });
  }
  void TearDown() override { platform::SetDialogResponder({}); }

  std::vector<platform::DialogRequest> shown;
  platform::DialogButton answer = platform::DialogButton::Ok;
};

TEST_F(MessageBoxCommand, AnyValueWithTheDefaultCaption) {
  EXPECT_EQ(Call(ShowMessageBox, {ArgRecord::Int(5)}).asInt32(), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "5");
  EXPECT_EQ(shown[0].caption, "信息：");
  EXPECT_EQ(shown[0].style, 0x2000);  // task-modal added

  std::string caption = Cp("失败");
  Call(ShowMessageBox, {ArgRecord::Bool(false), ArgRecord::Int(0x1030), TextArg(caption)});
  EXPECT_EQ(shown[1].text, "假");
  EXPECT_EQ(shown[1].caption, "失败");
  EXPECT_EQ(shown[1].style, 0x1030);  // system-modal stays as it is
}

TEST_F(MessageBoxCommand, ButtonsMapToTheirNumbers) {
  using B = platform::DialogButton;
  const std::pair<B, int> cases[] = {{B::Ok, 0}, {B::Cancel, 1}, {B::Abort, 2}, {B::Retry, 3},
                                     {B::Ignore, 4}, {B::Yes, 5}, {B::No, 6}};
  for (auto [button, number] : cases) {
    answer = button;
    EXPECT_EQ(Call(ShowMessageBox, {TextArg("q"), ArgRecord::Int(4)}).asInt32(), number);
  }
}

// --- pumping ----------------------------------------------------------------------

int g_pumps = 0;
std::intptr_t CountingService(std::int32_t code, std::intptr_t, std::intptr_t) {
  if (code == kServicePumpMessages) ++g_pumps;
  return 0;
}

TEST(ProcessEventsCommand, PumpsThroughTheCoreLibraryOnce) {
  g_pumps = 0;
  CoreLibraryLink().connect(&CountingService);
  Call(ProcessEvents);
  CoreLibraryLink().connect(nullptr);
  EXPECT_EQ(g_pumps, 1);
}

// --- shell and folders ------------------------------------------------------------

class ShellOpenCommand : public FileCommands {
 protected:
  void SetUp() override {
    platform::SetShellLauncher([this](const platform::ShellAction& a) {
      actions.push_back(a);
      return true;
    });
  }
  void TearDown() override { platform::SetShellLauncher({}); }
  std::vector<platform::ShellAction> actions;
};

TEST_F(ShellOpenCommand, FilesAndAddressesOpenWithTheDesktop) {
  WriteBytes(folder.file("notes.txt"), "x");
  ArgRecord none;
  Call(ShellOpen, {ArgRecord::Int(4), TextArg(Path("notes.txt"))});
  Call(ShellOpen, {none, TextArg("https://example.org/a?b")});
  Call(ShellOpen, {ArgRecord::Int(5), TextArg(Path("notes.txt"))});  // print: nothing to run
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[0].kind, platform::ShellAction::OpenUrl);
  EXPECT_EQ(actions[0].url, "file://" + folder.file("notes.txt"));
  EXPECT_EQ(actions[1].url, "https://example.org/a?b");
}

TEST_F(ShellOpenCommand, ProgramsStartWithTheirParameters) {
  std::string program = folder.file("tool");
  WriteBytes(program, "#!/bin/sh\n");
  chmod(program.c_str(), 0755);
  std::string params = "-a \"two words\" b";
  Call(ShellOpen, {ArgRecord{}, TextArg(Path("tool")), TextArg(params), TextArg(Path(""))});
  ASSERT_EQ(actions.size(), 1u);
  EXPECT_EQ(actions[0].kind, platform::ShellAction::StartProgram);
  EXPECT_EQ(actions[0].program, program);
  EXPECT_EQ(actions[0].arguments, (std::vector<std::string>{"-a", "two words", "b"}));
  // "edit" opens the file instead of running it.
  Call(ShellOpen, {ArgRecord::Int(1), TextArg(Path("tool"))});
  EXPECT_EQ(actions[1].kind, platform::ShellAction::OpenUrl);
}

class SpecialFolderCommand : public FileCommands {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    std::filesystem::create_directories(folder.file("config/autostart"));
    std::filesystem::create_directories(folder.file("data"));
  }
};

TEST_F(SpecialFolderCommand, KindsMapToHostFoldersEndingInABackslash) {
  EXPECT_EQ(TakeText(Call(GetSpecialFolder, {ArgRecord::Int(8)})), Path("data") + "\\");
  EXPECT_EQ(TakeText(Call(GetSpecialFolder, {ArgRecord::Int(7)})), Path("config/autostart") + "\\");
  std::string temp = TakeText(Call(GetSpecialFolder, {ArgRecord::Int(11)}));
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(IsNull(Call(GetSpecialFolder, {ArgRecord::Int(2)})));  // favourites do not exist yet
  EXPECT_TRUE(IsNull(Call(GetSpecialFolder, {ArgRecord::Int(12)})));
  EXPECT_TRUE(IsNull(Call(GetSpecialFolder, {ArgRecord::Int(0)})));
}

}  // namespace
}  // namespace horavia::runtime::commands
