// Every corpus and seed under fuzz/ together stays within 2 MiB: the budget
// runs of dev/fuzz minimise what they keep, and the test suite replays all
// of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMostCorpusBytes = 2 * 1024 * 1024;

bool IsCorpusFile(const fs::directory_entry& entry) {
  if (!entry.is_regular_file()) return false;
  for (const auto& part : entry.path()) {
    if (part == "corpus") return true;
  }
  return false;
}

TEST(FuzzCorpora, StayWithinTwoMebibytesInAll) {
  std::uintmax_t total = 0;
  std::size_t files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(HORAVIA_FUZZ_FOLDER)) {
    if (!IsCorpusFile(entry)) continue;
    total += entry.file_size();
    ++files;
  }
  EXPECT_GT(files, 0u);
  EXPECT_LE(total, kMostCorpusBytes) << files << " files";
}

}  // namespace
