// Fuzz entry point for MP3 streams: any bytes, opened as a memory stream,
// decoded to the end through the rate converter, rewound and decoded again.
// Nothing may crash, read out of bounds or run without bound.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bass/channel.h"

using namespace horavia::bass;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto decoder = Mp3Decoder::Open(ByteSource::FromMemory(data, 0, size));
  if (decoder == nullptr) return 0;
  const std::uint64_t length = decoder->lengthFrames();
  // 48000 Hz matches no MP3 rate of the usual files, so the converter runs.
  auto channel = Channel::Create(std::move(decoder), 48000);
  if (channel == nullptr) return 0;
  std::vector<std::int16_t> out(2048);
  std::vector<std::int16_t> scratch(2048);
  // A stream cannot give more than its length at the higher rate; the
  // bound stops a decoder that would never end.
  const std::uint64_t limit = length * 48000 / 8000 + 4096;
  std::uint64_t produced = 0;
  while (!channel->finished() && produced <= limit) produced += channel->pull(out, scratch);
  if (produced > limit) __builtin_trap();
  if (channel->seek(length / 2)) channel->pull(out, scratch);
  (void)channel->id3v1();
  return 0;
}
