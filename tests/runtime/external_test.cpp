// Resolution of external functions: search order, caching, and the fatal
// messages for a missing library or export.
#include <gtest/gtest.h>

#include "platform/text_codec.h"
#include "runtime/entry.h"
#include "runtime/runtime_app.h"
#include "tests/runtime/runtime_fixture.h"

namespace horavia::runtime {
namespace {

using testing::RuntimeTest;

std::string RuntimeFolder(const char* hostFolder) { return platform::RuntimePath(hostFolder) + "\\"; }

class ExternalTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    std::string folderB = platform::RuntimePath(TESTEXT_DIR_B);
    externals().setProgramFolder(folderB, folderB + "\\");
  }
  ExternalTable& externals() { return Runtime().externals(); }
  void Declare(std::vector<const char*> libraries, std::vector<const char*> functions) {
    libraries_ = std::move(libraries);
    functions_ = std::move(functions);
    externals().declare(static_cast<std::uint32_t>(libraries_.size()), libraries_.data(), functions_.data());
  }
  std::vector<const char*> libraries_, functions_;
};

TEST_F(ExternalTest, ProgramFolderIsSearchedWhenNoSearchFolderIsSet) {
  Declare({"testext.dll"}, {"which"});
  EXPECT_EQ(CallExternal<int (*)()>(0), 2);
}

TEST_F(ExternalTest, SearchFolderWinsOverTheProgramFolder) {
  externals().setSearchFolder(RuntimeFolder(TESTEXT_DIR_A));
  Declare({"testext.dll", "testext.dll"}, {"which", "add"});
  EXPECT_EQ(CallExternal<int (*)()>(0), 1);
  EXPECT_EQ((CallExternal<int (*)(int, int)>(1, 2, 3)), 1005);
}

TEST_F(ExternalTest, SecondCallUsesTheCachedAddress) {
  Declare({"testext.dll"}, {"which"});
  void* first = externals().resolve(0);
  int attempts = externals().loadAttempts();
  // Even a new search folder does not move a resolved declaration.
  externals().setSearchFolder(RuntimeFolder(TESTEXT_DIR_A));
  EXPECT_EQ(externals().resolve(0), first);
  EXPECT_EQ(externals().loadAttempts(), attempts);
}

TEST_F(ExternalTest, EmptyLibraryNameSearchesTheLoadedSystemLibraries) {
  Declare({""}, {"strlen"});
  EXPECT_EQ((CallExternal<unsigned long (*)(const char*)>(0, "four")), 4u);
}

TEST_F(ExternalTest, MissingExportIsFatalAndNamesBoth) {
  Declare({"testext.dll"}, {"nosuch"});
  EXPECT_EQ(ExitCodeOf([this] { externals().resolve(0); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_NE(dialogs[0].text.find("错误信息：无法找到指定DLL库文件“testext.dll”中的输出命令“nosuch”"),
            std::string::npos);
}

TEST_F(ExternalTest, MissingLibraryIsFatal) {
  Declare({"bass.dll"}, {"BASS_Init"});
  EXPECT_EQ(ExitCodeOf([this] { externals().resolve(0); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_NE(dialogs[0].text.find("“bass.dll”中的输出命令“BASS_Init”"), std::string::npos);
}

TEST_F(ExternalTest, MissingExportWithoutLibraryNameUsesTheShortMessage) {
  Declare({""}, {"no_such_function_anywhere"});
  EXPECT_EQ(ExitCodeOf([this] { externals().resolve(0); }), -1);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_NE(dialogs[0].text.find("无法找到指定DLL库文件中的输出命令“no_such_function_anywhere”"),
            std::string::npos);
}

TEST_F(ExternalTest, OrdinalsDoNotResolveWhereTheHostHasNone) {
  Declare({"testext.dll"}, {"#5"});
  EXPECT_EQ(ExitCodeOf([this] { externals().resolve(0); }), -1);
}

}  // namespace
}  // namespace horavia::runtime
