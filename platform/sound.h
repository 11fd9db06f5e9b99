// The runtime's sound service: plays WAVE file images through the host's
// default output without waiting. Several clips may sound at once (a
// create sound over a destroy sound); a clip plays once or loops until it is
// stopped (a window's background music).
//
// The output is opened at the first clip and closed again once nothing has
// played for a while, so an idle program keeps no audio thread busy. The
// mixing itself (SoundMixer) is plain code, testable without any output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <span>
#include <vector>

namespace horavia::platform {

using SoundHandle = std::uint32_t;  // 0 = none

// The output format every clip is converted to before it is mixed.
inline constexpr int kSoundRate = 44100;
inline constexpr int kSoundChannels = 2;

// Interleaved 16-bit stereo clips at kSoundRate, summed and clamped. The
// audio thread calls mix(); every other call may come from the program's
// thread: each takes the mixer's lock itself.
class SoundMixer {
 public:
  // Clips alive at once; beyond it a new clip is refused, so a caller that
  // plays in a loop cannot exhaust memory.
  static constexpr std::size_t kMaxClips = 64;

  SoundHandle add(std::vector<std::int16_t> samples, bool loop);
  void remove(SoundHandle handle);
  void removeAll();
  bool playing(SoundHandle handle) const;
  std::size_t playingCount() const;
  // Milliseconds until the last non-looping clip ends; nothing left → 0.
  // A looping clip counts as never ending (UINT32_MAX).
  std::uint32_t msLeft() const;

  // Fills `out` with the sum of the clips from where each one stands, and
  // moves them on. Clips that run out stop (their samples are freed later by
  // the program's thread, never by the audio thread); looping ones start
  // over.
  void mix(std::span<std::int16_t> out);

 private:
  struct Clip {
    std::vector<std::int16_t> samples;
    std::size_t position = 0;
    bool loop = false;
    bool finished = false;
  };
  std::size_t purgeFinished();  // with the lock held
  mutable std::mutex mutex_;
  std::map<SoundHandle, Clip> clips_;
  SoundHandle next_ = 1;
};

// WAVE bytes converted to the mixer's format; empty when the bytes are not a
// WAVE file the host can read.
std::vector<std::int16_t> DecodeWave(std::span<const std::uint8_t> wave);

// Starts a clip; 0 when the bytes do not decode, the output cannot open or
// too many clips are playing. Returns at once.
SoundHandle PlaySound(std::span<const std::uint8_t> wave, bool loop = false);
void StopSound(SoundHandle handle);
void StopAllSounds();
bool SoundPlaying(SoundHandle handle);
// Whether the host output is open now.
bool SoundOutputOpen();
// Stops everything and closes the output (program exit, tests).
void ShutdownSound();

}  // namespace horavia::platform
