// A fuzz target's kept corpus (fuzz/<folder>/corpus/<target>/, what a budget
// run of dev/fuzz merged and minimised) and the seeds beside it replayed
// through its entry point as an ordinary test: every input whole, as an exact-size copy so that a read
// past its end shows under the sanitizers. The entry points trap on a broken
// invariant, so "returns 0" covers those too.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::size_t ReplayFiles(const fs::path& folder) {
  std::size_t replayed = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(LLVMFuzzerTestOneInput(input.data(), input.size()), 0) << entry.path().filename();
    ++replayed;
  }
  return replayed;
}

// The kept corpus, and the hand-made seeds beside it that every run starts
// from too.
TEST(FuzzCorpusReplay, EveryKeptInputAndSeedRunsCleanly) {
  const fs::path kept = HORAVIA_KEPT_CORPUS;
  ASSERT_TRUE(fs::is_directory(kept)) << kept << ": run dev/fuzz --budget to grow it";
  EXPECT_GT(ReplayFiles(kept), 0u) << kept;
  ReplayFiles(kept.parent_path());
}

}  // namespace
