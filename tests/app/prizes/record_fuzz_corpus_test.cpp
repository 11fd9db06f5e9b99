// The record reader's fuzz entry point over its seed corpus as an ordinary
// test: every seed whole, cut at every byte and with bytes damaged. The
// entry point traps on a record that does not come back the same, so "does
// not crash" covers that too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace horavia::app::prizes {
namespace {

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(HORAVIA_RECORD_CORPUS)) {
    if (!entry.is_regular_file()) continue;  // the kept corpus replays in tests/fuzz
    std::ifstream in(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return seeds;
}

// An exact-size copy, so that AddressSanitizer sees a read past the cut.
int RunInput(const std::string& input) {
  const std::vector<std::uint8_t> bytes(input.begin(), input.end());
  return LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

TEST(RecordFuzzCorpus, SeedsCutAtEveryByteOrDamagedDoNotCrash) {
  const std::vector<std::string> seeds = Seeds();
  ASSERT_GE(seeds.size(), 3u);
  for (const std::string& seed : seeds) {
    for (std::size_t cut = 0; cut <= seed.size(); ++cut) EXPECT_EQ(RunInput(seed.substr(0, cut)), 0);
    for (std::size_t at = 0; at < seed.size(); ++at) {
      for (char replacement : {'\0', '\n', '\r', ',', '"', '\x81'}) {
        std::string damaged = seed;
        damaged[at] = replacement;
        EXPECT_EQ(RunInput(damaged), 0);
      }
    }
  }
}

}  // namespace
}  // namespace horavia::app::prizes
