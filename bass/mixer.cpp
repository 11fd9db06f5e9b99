#include "bass/mixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace horavia::bass {

Mixer::Mixer(int outputRate)
    : outputRate_(outputRate),
      sum_(kChunkFrames * 2),
      channelBuffer_(kChunkFrames * 2),
      scratch_(kChunkFrames * 2) {}

Mixer::~Mixer() {
  {
    std::lock_guard lock(deviceMutex_);
    stopping_ = true;
  }
  restCondition_.notify_one();
  if (rester_.joinable()) rester_.join();
  std::lock_guard lock(deviceMutex_);
  closeDevice();
}

bool Mixer::openOutput(const char* deviceName) {
  std::lock_guard lock(deviceMutex_);
  closeDevice();
  defaultDevice_ = deviceName == nullptr;
  deviceName_ = deviceName != nullptr ? deviceName : "";
  outputChosen_ = openDevice();
  closeDevice();
  return outputChosen_;
}

bool Mixer::wakeOutput() {
  std::lock_guard lock(deviceMutex_);
  if (!outputChosen_) return false;
  silentChunks_ = 0;
  if (device_ != 0) return true;
  if (!openDevice()) return false;
  if (!rester_.joinable()) rester_ = std::thread(&Mixer::restLoop, this);
  return true;
}

bool Mixer::outputRunning() {
  std::lock_guard lock(deviceMutex_);
  return device_ != 0;
}

bool Mixer::openDevice() {
  SDL_AudioSpec want{};
  want.freq = outputRate_;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = static_cast<Uint16>(kChunkFrames);
  want.callback = AudioCallback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No allowed changes: SDL converts to whatever the hardware wants, so the
  // callback always sees exactly this format.
  device_ = SDL_OpenAudioDevice(defaultDevice_ ? nullptr : deviceName_.c_str(), 0, &want, &have, 0);
  if (device_ == 0) return false;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void Mixer::closeDevice() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);
  device_ = 0;
}

// Sleeps until the callback reports a long silence, then closes the device.
// The callback cannot take deviceMutex_ (closing waits for it), so a report
// can slip past between the check and the wait; the wait's limit picks it up.
void Mixer::restLoop() {
  std::unique_lock lock(deviceMutex_);
  while (!stopping_) {
    restCondition_.wait_for(lock, std::chrono::seconds(kRestAfterSeconds),
                            [this] { return stopping_ || restWanted_.load(); });
    if (stopping_) break;
    if (!restWanted_.exchange(false)) continue;
    const auto restChunks = static_cast<std::uint32_t>(outputRate_ * kRestAfterSeconds / kChunkFrames);
    if (silentChunks_.load() >= restChunks) closeDevice();
  }
}

Handle Mixer::add(std::unique_ptr<Channel> channel) {
  if (channel == nullptr || channels_.size() >= kMaxChannels) return 0;
  // Handles count up and skip 0 and live ones, so a freed handle is not
  // handed out again until the counter wraps.
  while (nextHandle_ == 0 || channels_.contains(nextHandle_)) ++nextHandle_;
  Handle handle = nextHandle_++;
  channels_.emplace(handle, std::move(channel));
  return handle;
}

std::unique_ptr<Channel> Mixer::remove(Handle handle) {
  auto found = channels_.find(handle);
  if (found == channels_.end()) return nullptr;
  std::unique_ptr<Channel> channel = std::move(found->second);
  channels_.erase(found);
  return channel;
}

std::vector<std::unique_ptr<Channel>> Mixer::removeAll() {
  std::vector<std::unique_ptr<Channel>> all;
  for (auto& [handle, channel] : channels_) all.push_back(std::move(channel));
  channels_.clear();
  return all;
}

Channel* Mixer::find(Handle handle) {
  auto found = channels_.find(handle);
  return found == channels_.end() ? nullptr : found->second.get();
}

void Mixer::AudioCallback(void* mixer, Uint8* stream, int length) {
  auto* samples = reinterpret_cast<std::int16_t*>(stream);
  static_cast<Mixer*>(mixer)->mix(std::span(samples, static_cast<std::size_t>(length) / 2));
}

void Mixer::mix(std::span<std::int16_t> out) {
  std::lock_guard lock(mutex_);
  const std::size_t chunk = kChunkFrames * 2;
  for (std::size_t start = 0; start < out.size(); start += chunk) {
    mixChunk(out.subspan(start, std::min(chunk, out.size() - start)));
  }
}

void Mixer::mixChunk(std::span<std::int16_t> out) {
  std::fill_n(sum_.begin(), out.size(), 0.0f);
  std::span<std::int16_t> buffer(channelBuffer_.data(), out.size());
  bool playing = false;
  for (auto& [handle, channel] : channels_) {
    if (channel->state() != PlayState::kPlaying) continue;
    playing = true;
    std::size_t frames = channel->pull(buffer, scratch_);
    const float volume = channel->volume();
    for (std::size_t i = 0; i < frames * 2; ++i) sum_[i] += static_cast<float>(buffer[i]) * volume;
    if (channel->finished()) channel->setState(PlayState::kStopped);
  }
  for (std::size_t i = 0; i < out.size(); ++i) {
    float level = std::nearbyint(sum_[i] * masterVolume_);
    out[i] = static_cast<std::int16_t>(std::clamp(level, -32768.0f, 32767.0f));
  }
  if (playing) {
    silentChunks_ = 0;
    return;
  }
  const auto restChunks = static_cast<std::uint32_t>(outputRate_ * kRestAfterSeconds / kChunkFrames);
  if (++silentChunks_ == restChunks) {
    restWanted_ = true;
    restCondition_.notify_one();
  }
}

}  // namespace horavia::bass
