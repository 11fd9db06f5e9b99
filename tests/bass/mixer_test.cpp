// The mixer driven by hand, without an output device: every call of mix()
// is one buffer the audio thread would have asked for.
#include "bass/mixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/sdl_audio.h"
#include "tests/bass/sound_support.h"

namespace horavia::bass {
namespace {

using testing::DecodeReference;
using testing::SoundPath;

std::unique_ptr<Channel> Load(const std::string& name) {
  return Channel::Create(Mp3Decoder::Open(ByteSource::FromFile(SoundPath(name), 0, 0)), 44100);
}

Handle AddPlaying(Mixer& mixer, const std::string& name, float volume) {
  std::lock_guard lock(mixer.mutex());
  Handle handle = mixer.add(Load(name));
  Channel* channel = mixer.find(handle);
  channel->setVolume(volume);
  channel->setState(PlayState::kPlaying);
  return handle;
}

// 3000 frames: more than one of the mixer's steps, not a multiple of one.
constexpr std::size_t kFrames = 3000;

TEST(BassMixer, SumsChannelsEachAtItsVolume) {
  Mixer mixer(44100);
  AddPlaying(mixer, "tones.mp3", 0.5f);
  AddPlaying(mixer, "square.mp3", 0.25f);
  std::vector<std::int16_t> out(kFrames * 2);
  mixer.mix(out);
  std::vector<std::int16_t> tones = DecodeReference(SoundPath("tones.mp3")).samples;
  std::vector<std::int16_t> square = DecodeReference(SoundPath("square.mp3")).samples;
  for (std::size_t i = 0; i < out.size(); ++i) {
    float want = static_cast<float>(tones[i]) * 0.5f + static_cast<float>(square[i]) * 0.25f;
    ASSERT_NEAR(out[i], std::nearbyint(want), 1) << "sample " << i;
  }
}

TEST(BassMixer, ClampsLoudSumsInsteadOfWrapping) {
  Mixer mixer(44100);
  for (int i = 0; i < 3; ++i) AddPlaying(mixer, "tones.mp3", 1.0f);  // 1.5 times full scale
  std::vector<std::int16_t> out(kFrames * 2);
  mixer.mix(out);
  std::vector<std::int16_t> tones = DecodeReference(SoundPath("tones.mp3")).samples;
  int clipped = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    int want = std::clamp(3 * tones[i], -32768, 32767);
    ASSERT_NEAR(out[i], want, 1) << "sample " << i;
    if (out[i] == 32767 || out[i] == -32768) ++clipped;
  }
  EXPECT_GT(clipped, 0);
}

TEST(BassMixer, PausedAndStoppedChannelsNeitherSoundNorMove) {
  Mixer mixer(44100);
  Handle paused = AddPlaying(mixer, "tones.mp3", 1.0f);
  Handle stopped = AddPlaying(mixer, "square.mp3", 1.0f);
  mixer.find(paused)->setState(PlayState::kPaused);
  mixer.find(stopped)->setState(PlayState::kStopped);
  std::vector<std::int16_t> out(kFrames * 2, 7);
  mixer.mix(out);
  EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t s) { return s == 0; }));
  EXPECT_EQ(mixer.find(paused)->positionFrames(), 0u);
  EXPECT_EQ(mixer.find(stopped)->positionFrames(), 0u);
}

TEST(BassMixer, ChannelStopsAtItsEndAndSilenceFollows) {
  Mixer mixer(44100);
  Handle handle = AddPlaying(mixer, "square.mp3", 1.0f);
  const std::uint64_t length = mixer.find(handle)->lengthFrames();
  std::vector<std::int16_t> out((length + 500) * 2, 7);
  mixer.mix(out);
  Channel* channel = mixer.find(handle);
  EXPECT_EQ(channel->state(), PlayState::kStopped);
  EXPECT_TRUE(channel->finished());
  EXPECT_EQ(channel->positionFrames(), length);
  std::vector<std::int16_t> square = DecodeReference(SoundPath("square.mp3")).samples;
  ASSERT_EQ(square.size(), length * 2);
  EXPECT_TRUE(std::equal(square.begin(), square.end(), out.begin()));
  EXPECT_TRUE(std::all_of(out.begin() + static_cast<std::ptrdiff_t>(length * 2), out.end(),
                          [](std::int16_t s) { return s == 0; }));
  // Rewound, it plays again from its first sample. The decoder's filter
  // still holds the old end, which may move a few samples by one step.
  ASSERT_TRUE(channel->seek(0));
  channel->setState(PlayState::kPlaying);
  std::vector<std::int16_t> again(kFrames * 2);
  mixer.mix(again);
  EXPECT_EQ(testing::FindAligned(again, std::span(square).first(again.size()), 1), 0u);
}

TEST(BassMixer, HalfRateChannelGivesTwiceTheFrames) {
  Mixer mixer(44100);
  Handle handle = AddPlaying(mixer, "low_rate.mp3", 1.0f);
  const std::uint64_t length = mixer.find(handle)->lengthFrames();
  ASSERT_EQ(mixer.find(handle)->rate(), 22050);
  // Mix step by step and count the steps' frames until the channel stops.
  std::vector<std::int16_t> out(Mixer::kChunkFrames * 2);
  std::uint64_t frames = 0;
  while (mixer.find(handle)->state() == PlayState::kPlaying) {
    mixer.mix(out);
    frames += Mixer::kChunkFrames;
    ASSERT_LT(frames, 10 * length);
  }
  std::uint64_t last = Mixer::kChunkFrames;
  while (last > 0 && out[last * 2 - 1] == 0 && out[last * 2 - 2] == 0) --last;
  frames = frames - Mixer::kChunkFrames + last;
  EXPECT_NEAR(static_cast<double>(frames), 2.0 * static_cast<double>(length), 8.0);
}

TEST(BassMixer, HandlesAreNonZeroUniqueAndBounded) {
  Mixer mixer(44100);
  std::vector<std::uint8_t> mp3 = testing::ReadBytes(SoundPath("square.mp3"));
  auto fromMemory = [&] {
    return Channel::Create(Mp3Decoder::Open(ByteSource::FromMemory(mp3.data(), 0, mp3.size())), 44100);
  };
  std::lock_guard lock(mixer.mutex());
  Handle first = mixer.add(fromMemory());
  EXPECT_NE(first, 0u);
  ASSERT_NE(mixer.remove(first), nullptr);
  EXPECT_EQ(mixer.remove(first), nullptr);
  std::vector<Handle> handles;
  for (std::size_t i = 0; i < Mixer::kMaxChannels; ++i) handles.push_back(mixer.add(fromMemory()));
  EXPECT_EQ(std::count(handles.begin(), handles.end(), first), 0);
  std::sort(handles.begin(), handles.end());
  EXPECT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end());
  EXPECT_EQ(mixer.add(fromMemory()), 0u);  // full
  EXPECT_EQ(mixer.add(nullptr), 0u);
  EXPECT_EQ(mixer.removeAll().size(), Mixer::kMaxChannels);
}

// The output runs only while there is something to play: after a long
// silence it rests, and playing wakes it again. (SDL's dummy driver; the
// silence is mixed here rather than waited for.)
TEST(BassMixer, TheOutputRestsAfterALongSilenceAndWakesToPlay) {
  ASSERT_TRUE(platform::InitSdlAudio());
  {
    Mixer mixer(44100);
    ASSERT_TRUE(mixer.openOutput(nullptr));
    EXPECT_FALSE(mixer.outputRunning());  // opened once to check it, then resting
    ASSERT_TRUE(mixer.wakeOutput());
    EXPECT_TRUE(mixer.outputRunning());
    std::vector<std::int16_t> out(Mixer::kChunkFrames * 2);
    const int restChunks = 44100 * Mixer::kRestAfterSeconds / static_cast<int>(Mixer::kChunkFrames);
    for (int i = 0; i < restChunks; ++i) mixer.mix(out);
    bool rested = false;
    for (int i = 0; i < 200 && !rested; ++i) {  // the resting thread closes it: at most 2 s
      rested = !mixer.outputRunning();
      if (!rested) SDL_Delay(10);
    }
    EXPECT_TRUE(rested);
    ASSERT_TRUE(mixer.wakeOutput());
    EXPECT_TRUE(mixer.outputRunning());
  }
  platform::QuitSdlAudio();
}

}  // namespace
}  // namespace horavia::bass
