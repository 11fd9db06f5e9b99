// giflib reading from bytes held in memory, for the tests and benchmarks that
// compare our GIF decoding against it: DGifOpen(&input, ReadGifMemory, &error).
#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

#include "tests/anim/support/encoders.h"

namespace horavia::anim::testing {

struct GifMemoryInput {
  const Bytes* bytes;
  std::size_t position;
};

inline int ReadGifMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* in = static_cast<GifMemoryInput*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), in->bytes->size() - in->position);
  std::memcpy(out, in->bytes->data() + in->position, n);
  in->position += n;
  return static_cast<int>(n);
}

}  // namespace horavia::anim::testing
