// MP3 decoding with libmpg123 from a ByteSource, always to interleaved
// 16-bit stereo at the stream's own rate, a bounded chunk at a time: only
// the decoder's frame buffers live in memory, never the whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "bass/byte_source.h"

struct mpg123_handle_struct;

namespace horavia::bass {

// One output frame is one left and one right 16-bit sample.
inline constexpr std::size_t kBytesPerFrame = 4;

class Mp3Decoder {
 public:
  // Null unless at least one frame of audio decodes from the source: an
  // empty, truncated-before-the-first-frame or non-MP3 source fails here.
  static std::unique_ptr<Mp3Decoder> Open(std::unique_ptr<ByteSource> source);
  ~Mp3Decoder();
  Mp3Decoder(const Mp3Decoder&) = delete;
  Mp3Decoder& operator=(const Mp3Decoder&) = delete;

  int rate() const { return rate_; }
  std::uint64_t lengthFrames() const { return lengthFrames_; }
  ByteSource& source() { return *source_; }

  // Fills `out` (interleaved stereo, out.size() / 2 frames) as far as the
  // stream goes; returns the frames written. Fewer than asked means the
  // stream has ended (or a damaged part could not be decoded).
  std::size_t read(std::span<std::int16_t> out);
  // Moves to output frame `frame`; false when the decoder refuses.
  bool seek(std::uint64_t frame);

 private:
  Mp3Decoder() = default;
  bool keepsRate();

  std::unique_ptr<ByteSource> source_;
  mpg123_handle_struct* handle_ = nullptr;
  int rate_ = 0;
  std::uint64_t lengthFrames_ = 0;
  bool ended_ = false;
};

}  // namespace horavia::bass
