// The skin's sounds, opened as the audio library opens a stream (its own MP3
// decoder over the file) and decoded to the end, so that a file the library
// refuses, or one that decodes to nothing, is found before a stream fails.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bass/byte_source.h"
#include "bass/mp3_decoder.h"
#include "tools/skin/checks.h"

namespace horavia::tools::skin {

namespace {

namespace fs = std::filesystem;

// A spin's sound lasts seconds; decoding stops after ten minutes of audio
// and files above this size are not decoded at all.
constexpr std::uint64_t kMaxSoundFileBytes = std::uint64_t{64} << 20;
constexpr int kMaxDecodedSeconds = 600;

struct Decoded {
  std::uint64_t frames = 0;
  int peak = 0;         // the largest sample magnitude
  bool capped = false;  // stopped at the ceiling, not at the end
};

Decoded DecodeAll(bass::Mp3Decoder& decoder) {
  Decoded out;
  const std::uint64_t ceiling = static_cast<std::uint64_t>(decoder.rate()) * kMaxDecodedSeconds;
  std::int16_t chunk[2 * 4096];
  for (;;) {
    const std::size_t got = decoder.read(chunk);
    for (std::size_t i = 0; i < 2 * got; ++i) out.peak = std::max(out.peak, std::abs(int{chunk[i]}));
    out.frames += got;
    if (got < 4096) return out;
    if (out.frames >= ceiling) {
      out.capped = true;
      return out;
    }
  }
}

std::string Seconds(std::uint64_t frames, int rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(frames) / rate);
  return text;
}

}  // namespace

void CheckSound(SkinFile file, const fs::path& path, Report& report) {
  const char* name = FileName(file);
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    report.problem(name, "cannot be read (it is not a plain file)");
    return;
  }
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) {
    report.problem(name, "cannot be read");
    return;
  }
  if (size == 0) {
    report.problem(name, "is empty: nothing plays");
    return;
  }
  if (size > kMaxSoundFileBytes) {
    report.warning(name, "is larger than 64 MiB; not decoded here (a spin's sound lasts seconds)");
    return;
  }
  std::unique_ptr<bass::Mp3Decoder> decoder = bass::Mp3Decoder::Open(bass::ByteSource::FromFile(path.string(), 0, 0));
  if (decoder == nullptr) {
    report.problem(name, "does not decode as MP3 audio: the audio library will not open it, so nothing plays");
    return;
  }
  const Decoded decoded = DecodeAll(*decoder);
  const int rate = decoder->rate();
  if (decoded.frames == 0) {
    report.problem(name, "decodes to no sound at all: nothing plays");
    return;
  }
  report.info(name, "MP3, " + (decoded.capped ? "more than " + Seconds(decoded.frames, rate)
                                               : Seconds(decoded.frames, rate)) +
                        " at " + std::to_string(rate) + " Hz");
  if (decoded.peak == 0) report.warning(name, "is silent: every sample is zero");
  // The header scan knows the whole length; decoding that stops well short
  // of it met damage the library stops at too.
  if (!decoded.capped && decoded.frames * 10 < decoder->lengthFrames() * 9) {
    report.warning(name, "only " + Seconds(decoded.frames, rate) + " of " + Seconds(decoder->lengthFrames(), rate) +
                             " decode: the rest is damaged and does not play");
  }
}

}  // namespace horavia::tools::skin
