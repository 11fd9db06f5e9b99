// The mix of every playing channel into one 16-bit stereo output, and the
// host output device that pulls it. SDL's audio thread calls mix() through
// the device callback; every other access takes mutex() first, so a call
// from the application waits at most for one callback (one buffer).
//
// The output runs only while there is something to play: a running device
// wakes the process about forty times a second even for silence, which an
// idle clock must not pay for. It rests (the device is closed) once it has
// played silence for kRestAfterSeconds, and wakeOutput() opens it again.
#pragma once

#include <SDL.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
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

  static constexpr int kRestAfterSeconds = 30;

  // Chooses the host output (null: the default one) and opens it once to
  // see that it works; false when it cannot be opened. It then rests until
  // something plays.
  bool openOutput(const char* deviceName);
  // Whether an output was chosen (none for the "no sound" device).
  bool hasOutput() const { return outputChosen_; }
  // Makes the chosen output run (opening it again after a rest); false
  // when it cannot be opened. Call without mutex() held.
  bool wakeOutput();
  // Whether the output device is open and pulling now.
  bool outputRunning();
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
  // Both expect deviceMutex_ to be held, and never mutex_: closing waits for
  // the callback, which takes it.
  bool openDevice();
  void closeDevice();
  void restLoop();

  const int outputRate_;
  std::mutex mutex_;
  // The output device and the thread that lets it rest.
  std::mutex deviceMutex_;
  SDL_AudioDeviceID device_ = 0;
  bool outputChosen_ = false;
  bool defaultDevice_ = true;
  std::string deviceName_;
  std::atomic<std::uint32_t> silentChunks_{0};
  std::atomic<bool> restWanted_{false};
  std::condition_variable restCondition_;
  bool stopping_ = false;
  std::thread rester_;
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
