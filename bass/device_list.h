// The numbered output device list: 0 "no sound", 1 the default output, then
// the host's outputs in the order SDL lists them, without gaps. Texts are
// kept in code page 936 for the whole life of the list, so the pointers
// handed out stay valid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace horavia::bass {

inline constexpr int kNoSoundDevice = 0;
inline constexpr int kDefaultDevice = 1;
inline constexpr int kFirstHostDevice = 2;

struct DeviceEntry {
  std::string name;     // code page 936
  std::string driver;   // code page 936
  std::string hostName; // UTF-8 name to open it by; empty for 0 and 1
  std::uint32_t flags = 0;
};

class DeviceList {
 public:
  // The list for `driver` and the host's output names (UTF-8); empty names
  // (devices SDL could not name) are left out so numbering has no gaps.
  static DeviceList FromHostNames(const std::string& driver, std::span<const std::string> names);
  // Asks SDL, whose audio subsystem must be initialised; when it could not
  // be, only entry 0 exists.
  static DeviceList FromSdl(bool audioReady);

  std::size_t size() const { return entries_.size(); }
  // Null past the end.
  const DeviceEntry* at(std::size_t number) const;

 private:
  std::vector<DeviceEntry> entries_;
};

}  // namespace horavia::bass
