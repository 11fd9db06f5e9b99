// The picture fuzz entry points run over their seed corpus as an ordinary
// test: every seed whole, cut at every byte, and with single bytes replaced
// by values that break sizes, counts and offsets. Under the sanitizers this
// proves the decoders clean on all of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace horavia::fuzz {
int FuzzDecodePicture(const std::uint8_t* data, std::size_t size);
int FuzzGifWalk(const std::uint8_t* data, std::size_t size);
int FuzzFrameImage(const std::uint8_t* data, std::size_t size);
}  // namespace horavia::fuzz

namespace {

using Bytes = std::vector<std::uint8_t>;
using Entry = int (*)(const std::uint8_t*, std::size_t);

std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds;
  for (const auto& file : std::filesystem::directory_iterator(HORAVIA_ANIM_CORPUS_DIR)) {
    if (!file.is_regular_file()) continue;  // the kept corpora replay in tests/fuzz
    std::ifstream in(file.path(), std::ios::binary);
    seeds.emplace_back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  return seeds;
}

const Entry kEntries[] = {horavia::fuzz::FuzzDecodePicture, horavia::fuzz::FuzzGifWalk,
                          horavia::fuzz::FuzzFrameImage};

TEST(PictureFuzzCorpus, HoldsEveryKindOfSeed) { EXPECT_GE(Seeds().size(), 20u); }

TEST(PictureFuzzCorpus, WholeAndCutSeedsDoNotCrash) {
  for (const Bytes& seed : Seeds()) {
    for (std::size_t cut = 0; cut <= seed.size(); ++cut) {
      Bytes piece(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut));  // exact size, so overreads show
      for (Entry entry : kEntries) EXPECT_EQ(entry(piece.data(), piece.size()), 0);
    }
  }
}

TEST(PictureFuzzCorpus, DamagedSeedsDoNotCrash) {
  const std::uint8_t kValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  for (const Bytes& seed : Seeds()) {
    const std::size_t limit = std::min<std::size_t>(seed.size(), 160);  // headers and tables
    for (std::size_t at = 0; at < limit; ++at) {
      for (std::uint8_t value : kValues) {
        Bytes damaged = seed;
        damaged[at] = value;
        for (Entry entry : kEntries) EXPECT_EQ(entry(damaged.data(), damaged.size()), 0);
      }
    }
  }
}

}  // namespace
