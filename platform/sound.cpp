// Index
//   [mixer]    SoundMixer: clips summed into 16-bit stereo
//   [decoding] WAVE bytes to the mixer's format through SDL
//   [output]   the one host output, opened on demand, closed when idle
#include "platform/sound.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "platform/sdl_audio.h"
#include "platform/ticks.h"
#include "platform/timers.h"

namespace horavia::platform {

// [mixer] ----------------------------------------------------------------------

std::size_t SoundMixer::purgeFinished() {
  return std::erase_if(clips_, [](const auto& entry) { return entry.second.finished; });
}

SoundHandle SoundMixer::add(std::vector<std::int16_t> samples, bool loop) {
  // An odd count would split a stereo frame; drop the half frame.
  samples.resize(samples.size() & ~std::size_t{1});
  if (samples.empty()) return 0;
  std::lock_guard lock(mutex_);
  purgeFinished();
  if (clips_.size() >= kMaxClips) return 0;
  while (next_ == 0 || clips_.contains(next_)) ++next_;
  const SoundHandle handle = next_++;
  clips_.emplace(handle, Clip{std::move(samples), 0, loop, false});
  return handle;
}

void SoundMixer::remove(SoundHandle handle) {
  std::lock_guard lock(mutex_);
  clips_.erase(handle);
  purgeFinished();
}

void SoundMixer::removeAll() {
  std::lock_guard lock(mutex_);
  clips_.clear();
}

bool SoundMixer::playing(SoundHandle handle) const {
  std::lock_guard lock(mutex_);
  auto found = clips_.find(handle);
  return found != clips_.end() && !found->second.finished;
}

std::size_t SoundMixer::playingCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(clips_.begin(), clips_.end(), [](const auto& entry) { return !entry.second.finished; }));
}

std::uint32_t SoundMixer::msLeft() const {
  std::lock_guard lock(mutex_);
  std::uint64_t frames = 0;
  for (const auto& [handle, clip] : clips_) {
    if (clip.finished) continue;
    if (clip.loop) return std::numeric_limits<std::uint32_t>::max();
    frames = std::max<std::uint64_t>(frames, (clip.samples.size() - clip.position) / kSoundChannels);
  }
  return static_cast<std::uint32_t>((frames * 1000 + kSoundRate - 1) / kSoundRate);
}

void SoundMixer::mix(std::span<std::int16_t> out) {
  // Summed a chunk at a time in 32 bits on the stack: the audio thread
  // never allocates.
  constexpr std::size_t kChunk = 2048;
  std::array<std::int32_t, kChunk> sum;
  std::lock_guard lock(mutex_);
  for (std::size_t start = 0; start < out.size(); start += kChunk) {
    const std::span<std::int16_t> part = out.subspan(start, std::min(kChunk, out.size() - start));
    std::fill(sum.begin(), sum.end(), 0);
    for (auto& [handle, clip] : clips_) {
      if (clip.finished) continue;
      std::size_t at = 0;
      while (at < part.size()) {
        if (clip.position == clip.samples.size()) {
          if (!clip.loop) break;
          clip.position = 0;
        }
        const std::size_t n = std::min(part.size() - at, clip.samples.size() - clip.position);
        for (std::size_t i = 0; i < n; ++i) sum[at + i] += clip.samples[clip.position + i];
        at += n;
        clip.position += n;
      }
    }
    for (std::size_t i = 0; i < part.size(); ++i) {
      part[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(sum[i], INT16_MIN, INT16_MAX));
    }
  }
  // Finished clips are only marked here; their samples are freed by the
  // program's thread (remove, or the next add), never in the audio thread.
  for (auto& [handle, clip] : clips_) clip.finished = clip.finished || (!clip.loop && clip.position == clip.samples.size());
}

// [decoding] -------------------------------------------------------------------

namespace {

// A clip longer than this (about 6 minutes of converted sound) is refused,
// so a WAVE header cannot make the service allocate without bound.
constexpr std::size_t kMaxClipSamples = std::size_t{kSoundRate} * kSoundChannels * 360;

// SDL's audio subsystem, held while anything of this service uses it.
bool HoldAudio() { return InitSdlAudio(); }
void ReleaseAudio() { QuitSdlAudio(); }

}  // namespace

std::vector<std::int16_t> DecodeWave(std::span<const std::uint8_t> wave) {
  std::vector<std::int16_t> samples;
  if (wave.empty() || wave.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return samples;
  if (!HoldAudio()) return samples;
  SDL_AudioSpec format{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  SDL_RWops* in = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
  if (in != nullptr && SDL_LoadWAV_RW(in, 1, &format, &buffer, &length) != nullptr) {
    // One conversion of the whole clip: format, channels and rate at once.
    SDL_AudioCVT cvt;
    const int needed = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_S16SYS, kSoundChannels,
                                         kSoundRate);
    const std::size_t room = needed < 0 ? 0 : std::size_t{length} * static_cast<std::size_t>(std::max(cvt.len_mult, 1));
    if (room > 0 && room / 2 <= kMaxClipSamples * 2) {
      std::vector<std::uint8_t> work(room);
      std::memcpy(work.data(), buffer, length);
      cvt.buf = work.data();
      cvt.len = static_cast<int>(length);
      if (needed == 0 || SDL_ConvertAudio(&cvt) == 0) {
        const std::size_t bytes = needed == 0 ? length : static_cast<std::size_t>(cvt.len_cvt);
        if (bytes / 2 <= kMaxClipSamples) {
          samples.resize(bytes / 2);
          std::memcpy(samples.data(), work.data(), samples.size() * 2);
        }
      }
    }
    SDL_FreeWAV(buffer);
  }
  ReleaseAudio();
  return samples;
}

// [output] ---------------------------------------------------------------------

namespace {

// Time the output stays open after the last clip should have ended, so that
// clips played in quick succession reuse it.
constexpr std::uint32_t kIdleCloseMs = 500;

struct SoundService {
  SoundMixer mixer;
  SDL_AudioDeviceID device = 0;
  // Checks, once the clips should have ended, whether the output can close.
  Timer idleCheck{[] { CheckIdle(); }};

  // Never destroyed: the audio thread may still hold a pointer to the mixer
  // while static objects go at exit.
  static SoundService& Get() {
    static SoundService* service = new SoundService;
    return *service;
  }

  static void Callback(void* mixer, Uint8* stream, int length) {
    auto* samples = reinterpret_cast<std::int16_t*>(stream);
    static_cast<SoundMixer*>(mixer)->mix(std::span(samples, static_cast<std::size_t>(length) / 2));
  }

  bool open() {
    if (device != 0) return true;
    if (!HoldAudio()) return false;
    SDL_AudioSpec want{};
    want.freq = kSoundRate;
    want.format = AUDIO_S16SYS;
    want.channels = kSoundChannels;
    want.samples = 1024;
    want.callback = Callback;
    want.userdata = &mixer;
    SDL_AudioSpec have{};
    // No allowed changes: SDL converts to what the hardware wants, so the
    // callback always mixes this format.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
      ReleaseAudio();
      return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
  }

  void close() {
    idleCheck.stop();
    if (device == 0) return;
    SDL_CloseAudioDevice(device);  // waits for the callback to finish
    device = 0;
    ReleaseAudio();
  }

  // Arms the idle check for when the clips should have ended; looping clips
  // keep the output open until they are stopped.
  void armIdleCheck() {
    if (device == 0) return;
    const std::uint32_t left = mixer.msLeft();
    if (left == std::numeric_limits<std::uint32_t>::max()) {
      idleCheck.stop();
      return;
    }
    idleCheck.startIn(left + kIdleCloseMs);
  }

  static void CheckIdle() {
    SoundService& s = Get();
    if (s.mixer.playingCount() == 0) {
      s.close();
      return;
    }
    s.armIdleCheck();
  }
};

}  // namespace

SoundHandle PlaySound(std::span<const std::uint8_t> wave, bool loop) {
  std::vector<std::int16_t> samples = DecodeWave(wave);
  if (samples.empty()) return 0;
  SoundService& s = SoundService::Get();
  if (!s.open()) return 0;
  const SoundHandle handle = s.mixer.add(std::move(samples), loop);
  s.armIdleCheck();
  return handle;
}

void StopSound(SoundHandle handle) {
  SoundService& s = SoundService::Get();
  s.mixer.remove(handle);
  s.armIdleCheck();
}

void StopAllSounds() {
  SoundService& s = SoundService::Get();
  s.mixer.removeAll();
  s.armIdleCheck();
}

bool SoundPlaying(SoundHandle handle) { return SoundService::Get().mixer.playing(handle); }

bool SoundOutputOpen() { return SoundService::Get().device != 0; }

void ShutdownSound() {
  SoundService& s = SoundService::Get();
  s.close();
  s.mixer.removeAll();
}

}  // namespace horavia::platform
