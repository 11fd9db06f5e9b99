#include "tests/bass/sound_support.h"

#include <mpg123.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace horavia::bass::testing {

std::string SoundPath(const std::string& name) { return std::string(HORAVIA_BASS_SOUNDS) + "/" + name; }

DecodedSound DecodeReference(const std::string& path) {
  DecodedSound sound;
  mpg123_init();
  mpg123_handle* handle = mpg123_new(nullptr, nullptr);
  if (handle == nullptr) throw std::runtime_error("mpg123_new failed");
  mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  mpg123_format_none(handle);
  const long* rates = nullptr;
  std::size_t count = 0;
  mpg123_rates(&rates, &count);
  for (std::size_t i = 0; i < count; ++i) {
    mpg123_format(handle, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);
  }
  if (mpg123_open(handle, path.c_str()) != MPG123_OK) {
    mpg123_delete(handle);
    throw std::runtime_error("cannot open " + path);
  }
  int channels = 0;
  int encoding = 0;
  mpg123_getformat(handle, &sound.rate, &channels, &encoding);
  std::int16_t buffer[4096];
  for (;;) {
    std::size_t done = 0;
    int result = mpg123_read(handle, reinterpret_cast<unsigned char*>(buffer), sizeof buffer, &done);
    sound.samples.insert(sound.samples.end(), buffer, buffer + done / 2);
    if (result != MPG123_OK && result != MPG123_NEW_FORMAT) break;
  }
  mpg123_close(handle);
  mpg123_delete(handle);
  return sound;
}

std::vector<std::int16_t> Scaled(std::span<const std::int16_t> samples, float volume) {
  std::vector<std::int16_t> out;
  out.reserve(samples.size());
  for (std::int16_t s : samples) {
    out.push_back(static_cast<std::int16_t>(std::nearbyint(static_cast<float>(s) * volume)));
  }
  return out;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::size_t> FindAligned(std::span<const std::int16_t> recorded,
                                       std::span<const std::int16_t> expected, int tolerance) {
  if (expected.size() > recorded.size()) return std::nullopt;
  for (std::size_t start = 0; start + expected.size() <= recorded.size(); start += 2) {
    std::size_t i = 0;
    while (i < expected.size() && std::abs(recorded[start + i] - expected[i]) <= tolerance) ++i;
    if (i == expected.size()) return start;
  }
  return std::nullopt;
}

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "horavia-bass-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace horavia::bass::testing
