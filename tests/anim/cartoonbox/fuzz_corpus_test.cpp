// The animation box's fuzz entry over its seeds (corpus files cartoon-*),
// as an ordinary test: every seed whole, cut at every byte and read in each
// of the three modes, each fed as an exact-size copy so that overreads show
// under the sanitizers. Inputs the fuzzer once found live on below.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace horavia::fuzz {
int FuzzCartoonBox(const std::uint8_t* data, std::size_t size);
}  // namespace horavia::fuzz

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  for (const auto& file : std::filesystem::directory_iterator(HORAVIA_ANIM_CORPUS_DIR)) {
    if (file.path().filename().string().rfind("cartoon-", 0) != 0) continue;
    std::ifstream in(file.path(), std::ios::binary);
    seeds.emplace_back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  return seeds;
}

int Feed(const Bytes& input) {
  const Bytes copy(input);  // exact size
  return horavia::fuzz::FuzzCartoonBox(copy.data(), copy.size());
}

TEST(CartoonBoxFuzzCorpus, HasSeedsForEveryMode) {
  std::vector<int> modes(3, 0);
  for (const Bytes& seed : Seeds()) ++modes[std::min<int>(seed.at(0), 2)];
  EXPECT_GE(modes[0], 1);
  EXPECT_GE(modes[1], 1);
  EXPECT_GE(modes[2], 1);
}

TEST(CartoonBoxFuzzCorpus, WholeAndCutSeedsRunCleanlyInEveryMode) {
  for (Bytes seed : Seeds()) {
    for (std::uint8_t mode : {0, 1, 2}) {
      seed[0] = mode;
      for (std::size_t cut = 0; cut <= seed.size(); ++cut) {
        EXPECT_EQ(Feed(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut))), 0);
      }
    }
  }
}

}  // namespace
