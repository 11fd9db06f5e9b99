#include "app/sound_player.h"

#include "app/call.h"
#include "app/externals.h"
#include "runtime/entry.h"

namespace horavia::app {
namespace {

using runtime::CallExternal;

// The channel attribute the application sets: the volume.
constexpr std::uint32_t kVolumeAttribute = 2;
// Positions and lengths in bytes.
constexpr std::uint32_t kBytes = 0;
// Asks the library for a 256-point spectrum.
constexpr std::uint32_t kFft256 = 0x80000000;

}  // namespace

bool SoundPlayer::Init(std::optional<std::int32_t> device, std::optional<std::uint32_t> frequency,
                       std::optional<std::uint32_t> flags, void* window) {
  return CallExternal<bass::Init>(kBassInit, device.value_or(-1), frequency.value_or(44100), flags.value_or(0),
                                  window, nullptr) != 0;
}

bool SoundPlayer::Free() { return CallExternal<bass::Free>(kBassFree) != 0; }

std::uint32_t SoundPlayer::CreateStream(const char* file, const void* byteSet, const char* url,
                                        std::int32_t offset) {
  const std::string name = TextOf(file);
  const runtime::ByteSetView bytes = runtime::ByteSetBytes(byteSet);
  const std::string address = TextOf(url);
  if (name.empty() && bytes.size == 0 && address.empty()) return 0;
  const auto start = static_cast<std::uint64_t>(static_cast<std::int64_t>(offset));
  if (!name.empty() && Call(CoreCommand::FileExists, {Text(name)}).boolean()) {
    return CallExternal<bass::StreamCreateFile>(kBassStreamCreateFile, 0, name.c_str(), start, 0, 0);
  }
  if (bytes.size != 0) {
    return CallExternal<bass::StreamCreateFile>(kBassStreamCreateMemory, 1, bytes.data, start,
                                                std::uint64_t{bytes.size}, 0);
  }
  if (!address.empty()) {
    return CallExternal<bass::StreamCreateUrl>(kBassStreamCreateUrl, address.c_str(),
                                               static_cast<std::uint32_t>(offset), 0, nullptr, nullptr);
  }
  return 0;
}

bool SoundPlayer::Play(std::uint32_t handle, std::optional<std::int32_t> restart) {
  if (handle == 0) return false;
  return CallExternal<bass::ChannelPlay>(kBassChannelPlay, handle, restart.value_or(1)) != 0;
}

bool SoundPlayer::Pause(std::uint32_t handle) {
  return CallExternal<bass::ChannelHandle>(kBassChannelPause, handle) != 0;
}

bool SoundPlayer::Stop(std::uint32_t handle) { return CallExternal<bass::ChannelHandle>(kBassChannelStop, handle) != 0; }

std::uint64_t SoundPlayer::GetPosition(std::uint32_t handle) {
  return CallExternal<bass::ChannelGetPosition>(kBassChannelGetPosition, handle, kBytes);
}

bool SoundPlayer::SetPosition(std::uint32_t handle, std::uint64_t position) {
  return CallExternal<bass::ChannelSetPosition>(kBassChannelSetPosition, handle, position, kBytes) != 0;
}

std::uint64_t SoundPlayer::GetLength(std::uint32_t handle) {
  return CallExternal<bass::ChannelGetPosition>(kBassChannelGetLength, handle, kBytes);
}

char* SoundPlayer::GetTags(std::uint32_t handle) {
  return NewText(TextOf(CallExternal<bass::ChannelGetTags>(kBassChannelGetTags, handle, 0)));
}

std::uint32_t SoundPlayer::IsActive(std::uint32_t handle) {
  return CallExternal<bass::ChannelIsActive>(kBassChannelIsActive, handle);
}

bool SoundPlayer::StreamFree(std::uint32_t handle) {
  return CallExternal<bass::ChannelHandle>(kBassStreamFree, handle) != 0;
}

std::array<float, 128> SoundPlayer::GetData(std::uint32_t handle) {
  std::array<float, 128> levels{};
  CallExternal<bass::ChannelGetData>(kBassChannelGetData, handle, levels.data(), kFft256);
  return levels;
}

bool SoundPlayer::SetVolume(float volume) { return CallExternal<bass::SetVolume>(kBassSetVolume, volume) != 0; }

float SoundPlayer::GetVolume() { return CallExternal<bass::GetVolume>(kBassGetVolume); }

bool SoundPlayer::SetAttribute(std::uint32_t handle, float value) {
  return CallExternal<bass::ChannelSetAttribute>(kBassChannelSetAttribute, handle, kVolumeAttribute, value) != 0;
}

float SoundPlayer::GetAttribute(std::uint32_t handle) {
  float value = 0.0f;
  CallExternal<bass::ChannelGetAttribute>(kBassChannelGetAttribute, handle, kVolumeAttribute, &value);
  return value;
}

double SoundPlayer::Bytes2Seconds(std::uint32_t handle, std::uint64_t position) {
  return CallExternal<bass::ChannelBytes2Seconds>(kBassChannelBytes2Seconds, handle, position);
}

std::uint64_t SoundPlayer::Seconds2Bytes(std::uint32_t handle, double seconds) {
  return CallExternal<bass::ChannelSeconds2Bytes>(kBassChannelSeconds2Bytes, handle, seconds);
}

std::int32_t SoundPlayer::ColourPart(std::uint32_t colour, std::int32_t index) {
  if (index < 0 || index > 2) return 0;
  return static_cast<std::int32_t>((colour >> (8 * index)) & 0xFF);
}

}  // namespace horavia::app
