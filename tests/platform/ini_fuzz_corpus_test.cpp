// The INI fuzz entry point over its seed corpus as an ordinary test: every
// seed whole, cut at every byte and with bytes damaged, plus a file with a
// megabyte-long line. The entry point traps on a broken round trip, so "does
// not crash" covers that too; under the sanitizers it also means no read out
// of bounds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/platform/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace horavia::platform {
namespace {

std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(HORAVIA_INI_CORPUS)) {
    if (!entry.is_regular_file()) continue;  // the kept corpus replays in tests/fuzz
    seeds.push_back(horavia::testing::ReadBytes(entry.path().string()));
  }
  return seeds;
}

// Runs an exact-size copy: a std::string keeps a zero byte (or its inline
// buffer) past its end, which would hide a read past the cut from
// AddressSanitizer.
int RunInput(const std::string& input) {
  const std::vector<std::uint8_t> bytes(input.begin(), input.end());
  return LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

TEST(IniFuzzCorpus, SeedsCutAtEveryByteDoNotCrash) {
  std::vector<std::string> seeds = Seeds();
  ASSERT_GE(seeds.size(), 4u);
  for (const std::string& seed : seeds) {
    for (std::size_t cut = 0; cut <= seed.size(); ++cut) EXPECT_EQ(RunInput(seed.substr(0, cut)), 0);
  }
}

TEST(IniFuzzCorpus, SeedsWithDamagedBytesDoNotCrash) {
  for (const std::string& seed : Seeds()) {
    for (std::size_t at = 3; at < seed.size(); ++at) {
      for (char replacement : {'\0', '\n', '\r', '[', ']', '=', '"', '\x81'}) {
        std::string damaged = seed;
        damaged[at] = replacement;
        EXPECT_EQ(RunInput(damaged), 0);
      }
    }
  }
}

TEST(IniFuzzCorpus, MegabyteLineDoesNotCrash) {
  std::string input = std::string("\x01\x01\x01skv", 6) + "[s]\n" + std::string(1 << 20, 'x') + "\nk=1";
  EXPECT_EQ(RunInput(input), 0);
}

}  // namespace
}  // namespace horavia::platform
