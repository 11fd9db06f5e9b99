// The external functions the application declares, by declaration number,
// with the function type each is called through.
#pragma once

#include <cstdint>

namespace horavia::app {

enum ExternalDeclaration : std::uint32_t {
  kBassFree = 0,
  kCreateThread = 1,
  kCloseHandle = 2,
  kInternetOpen = 3,
  kInternetOpenUrl = 4,
  kInternetReadFile = 5,
  kInternetCloseHandle = 6,
  kBassGetDevice = 7,
  kBassGetDeviceInfo = 8,
  kBassInit = 9,
  kBassStreamCreateFile = 10,  // file form: memory flag 0, file name
  kBassStreamCreateMemory = 11,  // the same function, memory form: flag 1, data pointer
  kBassStreamCreateUrl = 12,
  kBassChannelPlay = 13,
  kBassChannelPause = 14,
  kBassChannelStop = 15,
  kBassChannelGetPosition = 16,
  kBassChannelSetPosition = 17,
  kBassChannelGetLength = 18,
  kBassChannelGetTags = 19,
  kBassChannelIsActive = 20,
  kBassStreamFree = 21,
  kBassChannelGetData = 22,
  kBassSetVolume = 23,
  kBassGetVolume = 24,
  kBassChannelSetAttribute = 25,
  kBassChannelGetAttribute = 26,
  kBassChannelBytes2Seconds = 27,
  kBassChannelSeconds2Bytes = 28,
  kExternalCount = 29,
};

// The library's device information record: the application reads only its
// first field, the device's description (code page 936); the rest is the
// library's and is given room.
struct DeviceInfoRecord {
  const char* description = nullptr;
  const void* libraryFields[7] = {};
};

// Function types of the declarations the application calls.
namespace bass {
using Free = std::int32_t (*)();
using GetDevice = std::uint32_t (*)();
using GetDeviceInfo = std::int32_t (*)(std::uint32_t device, void* info);
using Init = std::int32_t (*)(std::int32_t device, std::uint32_t frequency, std::uint32_t flags, void* window,
                              void* classId);
using StreamCreateFile = std::uint32_t (*)(std::int32_t memory, const void* file, std::uint64_t offset,
                                           std::uint64_t length, std::uint32_t flags);
using StreamCreateUrl = std::uint32_t (*)(const char* url, std::uint32_t offset, std::uint32_t flags,
                                          void* procedure, void* user);
using ChannelPlay = std::int32_t (*)(std::uint32_t handle, std::int32_t restart);
using ChannelHandle = std::int32_t (*)(std::uint32_t handle);  // Pause, Stop, StreamFree
using ChannelIsActive = std::uint32_t (*)(std::uint32_t handle);
using ChannelGetPosition = std::uint64_t (*)(std::uint32_t handle, std::uint32_t mode);
using ChannelSetPosition = std::int32_t (*)(std::uint32_t handle, std::uint64_t position, std::uint32_t mode);
using ChannelGetTags = const char* (*)(std::uint32_t handle, std::uint32_t tags);
using ChannelGetData = std::uint32_t (*)(std::uint32_t handle, void* buffer, std::uint32_t length);
using SetVolume = std::int32_t (*)(float volume);
using GetVolume = float (*)();
using ChannelSetAttribute = std::int32_t (*)(std::uint32_t handle, std::uint32_t attribute, float value);
using ChannelGetAttribute = std::int32_t (*)(std::uint32_t handle, std::uint32_t attribute, float* value);
using ChannelBytes2Seconds = double (*)(std::uint32_t handle, std::uint64_t position);
using ChannelSeconds2Bytes = std::uint64_t (*)(std::uint32_t handle, double seconds);
}  // namespace bass

}  // namespace horavia::app
