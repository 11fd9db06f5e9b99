// The sound service: clips mixed side by side, WAVE bytes converted to the
// output format, and a clip played through SDL's disk driver into a file.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace horavia::platform {
namespace {

using Samples = std::vector<std::int16_t>;

// A WAVE file image of 16-bit samples with the given channels and rate.
std::vector<std::uint8_t> Wave(const Samples& samples, int channels, int rate) {
  std::vector<std::uint8_t> out;
  auto dw = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto w = [&](std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const auto data = static_cast<std::uint32_t>(samples.size() * 2);
  out = {'R', 'I', 'F', 'F'};
  dw(36 + data);
  for (char c : std::string("WAVEfmt ")) out.push_back(static_cast<std::uint8_t>(c));
  dw(16);
  w(1);                                                    // PCM
  w(static_cast<std::uint32_t>(channels));
  dw(static_cast<std::uint32_t>(rate));
  dw(static_cast<std::uint32_t>(rate * channels * 2));     // bytes per second
  w(static_cast<std::uint32_t>(channels * 2));             // block
  w(16);                                                   // bits
  for (char c : std::string("data")) out.push_back(static_cast<std::uint8_t>(c));
  dw(data);
  for (std::int16_t s : samples) w(static_cast<std::uint16_t>(s));
  return out;
}

TEST(SoundMixer, OverlappingClipsAddUpAndClamp) {
  SoundMixer mixer;
  const SoundHandle a = mixer.add({1000, -1000, 30000, 30000}, false);
  const SoundHandle b = mixer.add({5, 5, 30000, -30000, 7, 7}, false);
  ASSERT_NE(a, b);
  Samples out(8, 99);
  mixer.mix(out);
  EXPECT_EQ(out, (Samples{1005, -995, 32767, 0, 7, 7, 0, 0}));
  EXPECT_FALSE(mixer.playing(a));
  EXPECT_FALSE(mixer.playing(b));
  EXPECT_EQ(mixer.playingCount(), 0u);
}

TEST(SoundMixer, LoopingClipStartsOverUntilRemoved) {
  SoundMixer mixer;
  const SoundHandle loop = mixer.add({1, 2, 3, 4}, true);
  Samples out(10);
  mixer.mix(out);
  EXPECT_EQ(out, (Samples{1, 2, 3, 4, 1, 2, 3, 4, 1, 2}));
  EXPECT_EQ(mixer.msLeft(), UINT32_MAX);
  mixer.remove(loop);
  mixer.mix(out);
  EXPECT_EQ(out, Samples(10, 0));
  EXPECT_EQ(mixer.msLeft(), 0u);
}

TEST(SoundMixer, RefusesEmptyClipsAndTooManyAtOnce) {
  SoundMixer mixer;
  EXPECT_EQ(mixer.add({}, false), 0u);
  EXPECT_EQ(mixer.add({7}, false), 0u);  // half a stereo frame
  for (std::size_t i = 0; i < SoundMixer::kMaxClips; ++i) ASSERT_NE(mixer.add({1, 1}, false), 0u);
  EXPECT_EQ(mixer.add({1, 1}, false), 0u);
}

TEST(DecodeWave, ConvertsMonoAtHalfTheRateToStereo) {
  const Samples mono(2205, 1000);  // 0.1 s at 22050 Hz
  const Samples out = DecodeWave(Wave(mono, 1, 22050));
  // 0.1 s of stereo at 44100 Hz, give or take the resampler's edge.
  EXPECT_NEAR(static_cast<double>(out.size()), 8820.0, 64.0);
  EXPECT_NEAR(out[4000], 1000, 4);  // the resampler's filter ripples a little
  EXPECT_EQ(out[4001], out[4000]);
  EXPECT_TRUE(DecodeWave(std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 0, 0}).empty());
  EXPECT_EQ(PlaySound(std::vector<std::uint8_t>{1, 2, 3}), 0u);
}

TEST(SoundService, PlaysAClipIntoTheOutputWithoutWaiting) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "horavia-sound-test.raw";
  std::filesystem::remove(file);
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);
  Samples clip;
  for (int i = 0; i < 4410; ++i) clip.insert(clip.end(), {static_cast<std::int16_t>(i), static_cast<std::int16_t>(-i)});
  const SoundHandle handle = PlaySound(Wave(clip, 2, kSoundRate));
  ASSERT_NE(handle, 0u);
  EXPECT_TRUE(SoundOutputOpen());
  // The audio thread runs on its own: wait (bounded) until the clip is out.
  for (int i = 0; i < 5000 && SoundPlaying(handle); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(SoundPlaying(handle));
  ShutdownSound();
  EXPECT_FALSE(SoundOutputOpen());
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Samples written(bytes.size() / 2);
  std::memcpy(written.data(), bytes.data(), written.size() * 2);
  const auto at = std::search(written.begin(), written.end(), clip.begin() + 2, clip.end());
  EXPECT_NE(at, written.end()) << "the clip is not in the output";
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace horavia::platform
