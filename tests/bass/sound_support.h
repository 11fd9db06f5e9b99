// Helpers shared by the audio library's tests: the generated test sounds,
// libmpg123's own decoding of them as the reference, temporary folders and
// finding a reference inside recorded output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace horavia::bass::testing {

// A sound made by make_test_sounds.sh at build time.
std::string SoundPath(const std::string& name);

struct DecodedSound {
  long rate = 0;
  std::vector<std::int16_t> samples;  // interleaved stereo, 16-bit
};
// libmpg123 decoding the file straight, to 16-bit stereo at its own rate.
DecodedSound DecodeReference(const std::string& path);

// Each sample times `volume`, rounded to nearest.
std::vector<std::int16_t> Scaled(std::span<const std::int16_t> samples, float volume);

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// The first stereo-frame offset (in samples) at which `expected` appears
// in `recorded`, each sample within `tolerance`; nothing when it does not.
std::optional<std::size_t> FindAligned(std::span<const std::int16_t> recorded,
                                       std::span<const std::int16_t> expected, int tolerance);

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace horavia::bass::testing
