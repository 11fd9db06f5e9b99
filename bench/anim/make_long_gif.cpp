// Writes a long animated GIF for measuring what such a picture costs the
// program: FRAMES frames of WIDTH × HEIGHT, each one flat colour (a few
// hundred bytes a frame, WIDTH × HEIGHT × 4 bytes a frame decoded).
//
// Usage: make_long_gif OUT.gif FRAMES [WIDTH HEIGHT]
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tests/anim/support/encoders.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: make_long_gif OUT.gif FRAMES [WIDTH HEIGHT]\n");
    return 2;
  }
  const int frames = std::atoi(argv[2]);
  const int width = argc == 5 ? std::atoi(argv[3]) : 300;
  const int height = argc == 5 ? std::atoi(argv[4]) : 300;
  if (frames < 1 || width < 1 || height < 1 || width > 65535 || height > 65535) {
    std::fprintf(stderr, "make_long_gif: frames, width and height must be positive (sides at most 65535)\n");
    return 2;
  }
  horavia::anim::testing::GifFile file;
  file.screenWidth = width;
  file.screenHeight = height;
  file.globalTable = {0xFFFFFF, 0xC03030, 0x30C030, 0x3030C0};
  file.minimumCodeSize = 2;
  for (int f = 0; f < frames; ++f) {
    horavia::anim::testing::GifFrame frame;
    frame.width = width;
    frame.height = height;
    frame.indices.assign(static_cast<std::size_t>(width) * height, static_cast<std::uint8_t>(1 + f % 3));
    frame.delayHundredths = 5;
    file.frames.push_back(std::move(frame));
  }
  const horavia::anim::testing::Bytes bytes = horavia::anim::testing::EncodeGif(file);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "make_long_gif: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %d frames of %d × %d, %zu bytes\n", argv[1], frames, width, height, bytes.size());
  return 0;
}
