// A folder of the fuzz target's own, made once per process, where each input
// is written as the file the program reads: the application reads its
// settings through the runtime's file commands, so the input goes through
// the disk as a real file would.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace horavia::fuzz {

// The folder as a host path ending in "/" (ASCII, so it reads the same in
// code page 936).
inline const std::string& FuzzFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "horavia-fuzz-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    if (made == nullptr) std::abort();
    return std::string(made) + "/";
  }();
  return folder;
}

inline void WriteFuzzFile(const std::string& hostPath, const std::uint8_t* data, std::size_t size) {
  std::ofstream(hostPath, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                     static_cast<std::streamsize>(size));
}

inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace horavia::fuzz
