// The mix of every playing channel into one 16-bit stereo output, and the
// host output device that pulls it. SDL's audio thread calls mix() through
// the device callback; every other access takes mutex() first, so a call
// from the application waits at most for one callback (one buffer).
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "bass/channel.h"

namespace horavia::bass {

using Handle = std::uint32_t;

class Mixer {
 public:
  // Streams alive at once; a bound so that a looping caller cannot exhaust
  // memory with decoders.
  static constexpr std::size_t kMaxChannels = 128;
  // Frames mixed per step; also the output buffer asked of the host.
  static constexpr std::size_t kChunkFrames = 1024;

  explicit Mixer(int outputRate);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // Opens the host output (null: the default one) and starts pulling.
  bool openOutput(const char* deviceName);
  bool hasOutput() const { return device_ != 0; }
  int outputRate() const { return outputRate_; }

  std::mutex& mutex() { return mutex_; }

  // The calls below expect mutex() to be held.
  // A new non-zero handle for `channel`, never one in use; 0 when full.
  Handle add(std::unique_ptr<Channel> channel);
  // The channel, handed back so that the caller destroys it after unlocking.
  std::unique_ptr<Channel> remove(Handle handle);
  std::vector<std::unique_ptr<Channel>> removeAll();
  Channel* find(Handle handle);
  float masterVolume() const { return masterVolume_; }
  void setMasterVolume(float volume) { masterVolume_ = volume; }

  // Fills `out` (interleaved stereo) with the sum of the playing channels,
  // each scaled by its volume, then by the master volume, rounded and
  // clamped. A channel that runs out stops. Takes mutex() itself.
  void mix(std::span<std::int16_t> out);

 private:
  static void AudioCallback(void* mixer, Uint8* stream, int length);
  void mixChunk(std::span<std::int16_t> out);
  void closeOutput();

  const int outputRate_;
  std::mutex mutex_;
  SDL_AudioDeviceID device_ = 0;
  std::map<Handle, std::unique_ptr<Channel>> channels_;
  Handle nextHandle_ = 1;
  float masterVolume_ = 1.0f;
  // Working buffers of kChunkFrames frames, allocated once so that the
  // audio thread never allocates.
  std::vector<float> sum_;
  std::vector<std::int16_t> channelBuffer_;
  std::vector<std::int16_t> scratch_;
};

}  // namespace horavia::bass
