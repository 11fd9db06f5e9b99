#include "bass/device_list.h"

#include <SDL.h>

#include "bass/bass.h"
#include "platform/text_codec.h"

namespace horavia::bass {

DeviceList DeviceList::FromHostNames(const std::string& driver, std::span<const std::string> names) {
  DeviceList list;
  std::string driverText = platform::Utf8ToCp936(driver);
  list.entries_.push_back({"No sound", "", "", BASS_DEVICE_ENABLED});
  list.entries_.push_back({"Default", driverText, "", BASS_DEVICE_ENABLED | BASS_DEVICE_DEFAULT});
  for (const std::string& name : names) {
    if (name.empty()) continue;
    list.entries_.push_back({platform::Utf8ToCp936(name), driverText, name, BASS_DEVICE_ENABLED});
  }
  return list;
}

DeviceList DeviceList::FromSdl(bool audioReady) {
  if (!audioReady) {
    // No audio driver at all: there is no default output to offer either.
    DeviceList list;
    list.entries_.push_back({"No sound", "", "", BASS_DEVICE_ENABLED});
    return list;
  }
  std::vector<std::string> names;
  std::string driver;
  const char* current = SDL_GetCurrentAudioDriver();
  if (current != nullptr) driver = current;
  // A negative count means SDL cannot list them; then only the default.
  int count = SDL_GetNumAudioDevices(0);
  for (int i = 0; i < count; ++i) {
    const char* name = SDL_GetAudioDeviceName(i, 0);
    names.emplace_back(name != nullptr ? name : "");
  }
  return FromHostNames(driver, names);
}

const DeviceEntry* DeviceList::at(std::size_t number) const {
  return number < entries_.size() ? &entries_[number] : nullptr;
}

}  // namespace horavia::bass
