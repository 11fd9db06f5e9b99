// The runtime's file search: attribute masks, continuing and closing a
// search, and constant arrays copied out before they change.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "platform/text_codec.h"
#include "runtime/entry.h"
#include "runtime/memory.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime {
namespace {

class FindFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/horavia-find-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    ASSERT_EQ(mkdir((folder_ + "/sub").c_str(), 0755), 0);
    ASSERT_EQ(mkdir((folder_ + "/皮肤").c_str(), 0755), 0);
    std::FILE* f = std::fopen((folder_ + "/a.txt").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
  }
  void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

  // Every name the search yields, as UTF-8.
  std::set<std::string> All(const char* namePattern, std::int32_t mask, std::int32_t skipDirs) {
    std::string pattern = platform::RuntimePath(folder_) + "\\" + namePattern;
    std::set<std::string> names;
    void* search = nullptr;
    char* name = FindFile(pattern.c_str(), mask, skipDirs, &search);
    while (name != nullptr) {
      names.insert(platform::Cp936ToUtf8(name));
      Free(name);
      name = FindFile("", mask, skipDirs, &search);
    }
    EXPECT_EQ(search, nullptr) << "a finished search leaves no handle";
    return names;
  }

  std::string folder_;
};

TEST_F(FindFileTest, DirectoryMaskListsDotEntriesAndFolders) {
  EXPECT_EQ(All("*.*", 0x10, 0), (std::set<std::string>{".", "..", "sub", "皮肤"}));
}

TEST_F(FindFileTest, MaskZeroFindsNothingOnOrdinaryFiles) { EXPECT_TRUE(All("*.*", 0, 0).empty()); }

TEST_F(FindFileTest, SkippingDirectoriesListsOnlyFiles) {
  EXPECT_EQ(All("*.*", 0x10, 1), (std::set<std::string>{"a.txt"}));
  EXPECT_EQ(All("*.TXT", 0x20, 0), (std::set<std::string>{"a.txt"}));
}

TEST_F(FindFileTest, ContinuingWithoutASearchFindsNothing) {
  void* search = nullptr;
  EXPECT_EQ(FindFile("", 0x10, 0, &search), nullptr);
  EXPECT_EQ(FindFile(nullptr, 0x10, 0, &search), nullptr);
}

TEST_F(FindFileTest, ANewPatternClosesTheOpenSearch) {
  std::string pattern = platform::RuntimePath(folder_) + "\\*.*";
  void* search = nullptr;
  char* first = FindFile(pattern.c_str(), 0x10, 0, &search);
  ASSERT_NE(first, nullptr);
  Free(first);
  ASSERT_NE(search, nullptr);
  std::string single = platform::RuntimePath(folder_) + "\\a.txt";
  char* again = FindFile(single.c_str(), 0x20, 0, &search);
  ASSERT_NE(again, nullptr);
  EXPECT_STREQ(again, "a.txt");
  Free(again);
  FindClose(search);
}

// A constant array [d=1][size=3][3 ints], and the bytes after it.
struct ConstantArray {
  std::int32_t dims = 1, size = 3;
  std::int32_t items[3] = {7, 8, 9};
  std::int32_t after = 0x55;
};
const ConstantArray kArray;

TEST(DetachConstantArray, CopiesAConstantArrayToTheHeap) {
  Runtime().resetForTests();
  Runtime().heap().addConstantRange(&kArray, sizeof kArray);
  void* variable = const_cast<ConstantArray*>(&kArray);
  DetachConstantArray(4, &variable);
  ASSERT_NE(variable, &kArray);
  EXPECT_FALSE(Runtime().heap().isConstant(variable));
  EXPECT_EQ(std::memcmp(variable, &kArray, 20), 0);
  void* heapArray = variable;
  DetachConstantArray(4, &variable);
  EXPECT_EQ(variable, heapArray) << "a heap array stays where it is";
  Free(variable);
  Runtime().resetForTests();
}

TEST(DetachConstantArray, NeverReadsPastTheConstantRange) {
  Runtime().resetForTests();
  // Only the header and two of the three elements lie in the range: no copy.
  Runtime().heap().addConstantRange(&kArray, 16);
  void* variable = const_cast<ConstantArray*>(&kArray);
  DetachConstantArray(4, &variable);
  EXPECT_EQ(variable, &kArray);
  Runtime().resetForTests();
}

}  // namespace
}  // namespace horavia::runtime
