// Fuzz entry for the GIF reader as the player walks it: open, then keep
// asking for images, rewinding at the trailer, as a looping animation does.
#include <cstddef>
#include <cstdint>
#include <span>

#include "anim/picture/gif_reader.h"

namespace horavia::fuzz {

int FuzzGifWalk(const std::uint8_t* data, std::size_t size) {
  anim::GifReader reader;
  if (!reader.Open(std::span<const std::uint8_t>(data, size))) return 0;
  // Enough to pass the trailer a few times; each call rewinds at most once.
  for (int i = 0; i < 64; ++i) {
    auto image = reader.NextImage(anim::GifReader::AtTrailer::Rewind);
    if (!image) break;
    if (image->indices.size() <= (1u << 20)) anim::GifImageToBitmap(*image);
    (void)reader.transparentColour();
    reader.clearDisposal();
  }
  return 0;
}

}  // namespace horavia::fuzz

#ifndef HORAVIA_FUZZ_NO_MAIN
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return horavia::fuzz::FuzzGifWalk(data, size);
}
#endif
