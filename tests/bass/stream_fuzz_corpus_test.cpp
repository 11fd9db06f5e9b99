// The MP3 stream fuzz entry point run over a seed corpus as an ordinary
// test: the generated sounds whole, cut off at many points and with bytes
// damaged. The entry point traps on a stream that never ends, so "does not
// crash" covers that too; under the sanitizers it also means no read out of
// bounds. Cut streams are exact-size copies, so a read past the cut lands
// outside the allocation where AddressSanitizer sees it.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/bass/sound_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace horavia::bass {
namespace {

const char* const kSounds[] = {"tones.mp3", "square.mp3", "low_rate.mp3"};

// Every truncation at a stride that is prime to the frame sizes, so the
// cuts land in headers, side information and main data alike.
TEST(BassStreamFuzzCorpus, TruncatedStreamsDoNotCrash) {
  for (const char* name : kSounds) {
    std::vector<std::uint8_t> mp3 = testing::ReadBytes(testing::SoundPath(name));
    ASSERT_FALSE(mp3.empty()) << name;
    for (std::size_t cut = 0; cut <= mp3.size(); cut += 61) {
      const std::vector<std::uint8_t> piece(mp3.begin(), mp3.begin() + static_cast<std::ptrdiff_t>(cut));  // exact size
      EXPECT_EQ(LLVMFuzzerTestOneInput(piece.data(), piece.size()), 0) << name << " cut at " << cut;
    }
  }
}

TEST(BassStreamFuzzCorpus, DamagedStreamsDoNotCrash) {
  for (const char* name : kSounds) {
    std::vector<std::uint8_t> mp3 = testing::ReadBytes(testing::SoundPath(name));
    for (std::size_t at = 0; at < mp3.size(); at += 211) {
      std::vector<std::uint8_t> damaged = mp3;
      // Flip a run of bits: a header, a length field or a table index goes wrong.
      for (std::size_t i = at; i < std::min(at + 8, damaged.size()); ++i) damaged[i] ^= 0xA5;
      EXPECT_EQ(LLVMFuzzerTestOneInput(damaged.data(), damaged.size()), 0) << name << " at " << at;
    }
  }
}

}  // namespace
}  // namespace horavia::bass
