// GIF decoding: our GifReader walking every image against giflib's
// DGifOpen over memory + DGifSlurp, and a plain copy of the decoded index
// bytes. Two inputs: a 60-frame animation and a 640 × 480 photo-like
// picture with 256 colours.
#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstring>
#include <random>

#include "anim/picture/gif_reader.h"
#include "tests/anim/support/encoders.h"
#include "tests/anim/support/giflib_memory.h"

namespace {

using horavia::anim::GifReader;
using horavia::anim::testing::Bytes;
using horavia::anim::testing::GifMemoryInput;
using horavia::anim::testing::ReadGifMemory;

std::vector<std::uint32_t> Table(std::uint32_t seed) {
  std::vector<std::uint32_t> table(256);
  for (int i = 0; i < 256; ++i) table[i] = ((i + 1) * seed * 2654435761u) & 0xFFFFFF;
  return table;
}

// Smooth gradients with a little noise, as photographs reduced to 256
// colours look to LZW.
std::vector<std::uint8_t> Photo(int width, int height, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out[y * width + x] = static_cast<std::uint8_t>((x / 3 + y / 2 + random() % 4) & 0xFF);
  return out;
}

const Bytes& PhotoGif() {
  static const Bytes bytes = [] {
    horavia::anim::testing::GifFile file;
    file.screenWidth = 640;
    file.screenHeight = 480;
    file.globalTable = Table(3);
    horavia::anim::testing::GifFrame frame;
    frame.width = 640;
    frame.height = 480;
    frame.indices = Photo(640, 480, 1);
    file.frames = {frame};
    return horavia::anim::testing::EncodeGif(file);
  }();
  return bytes;
}

// A 60-frame animation of 200 × 200: a full first frame, then moving
// patches of different sizes, some interlaced.
const Bytes& AnimationGif() {
  static const Bytes bytes = [] {
    horavia::anim::testing::GifFile file;
    file.screenWidth = 200;
    file.screenHeight = 200;
    file.globalTable = Table(7);
    std::mt19937 random(2);
    for (int i = 0; i < 60; ++i) {
      horavia::anim::testing::GifFrame frame;
      frame.width = i == 0 ? 200 : 60 + i % 80;
      frame.height = i == 0 ? 200 : 50 + (i * 7) % 100;
      frame.left = i == 0 ? 0 : (i * 13) % (200 - frame.width);
      frame.top = i == 0 ? 0 : (i * 11) % (200 - frame.height);
      frame.indices = Photo(frame.width, frame.height, 10 + i);
      frame.interlaced = i % 5 == 4;
      frame.delayHundredths = 4;
      frame.disposalMethod = i % 3;
      file.frames.push_back(frame);
    }
    return horavia::anim::testing::EncodeGif(file);
  }();
  return bytes;
}

std::size_t DecodedBytes(const Bytes& bytes) {
  GifReader reader;
  reader.Open(bytes);
  std::size_t total = 0;
  while (auto image = reader.NextImage(GifReader::AtTrailer::Stop)) total += image->indices.size();
  return total;
}

void Ours(benchmark::State& state, const Bytes& bytes) {
  for (auto _ : state) {
    GifReader reader;
    reader.Open(bytes);
    while (auto image = reader.NextImage(GifReader::AtTrailer::Stop)) benchmark::DoNotOptimize(image->indices.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DecodedBytes(bytes)));
}

void Giflib(benchmark::State& state, const Bytes& bytes) {
  for (auto _ : state) {
    GifMemoryInput input{&bytes, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&input, ReadGifMemory, &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) state.SkipWithError("giflib failed");
    benchmark::DoNotOptimize(gif->SavedImages);
    DGifCloseFile(gif, &error);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * DecodedBytes(bytes)));
}

void Copy(benchmark::State& state, const Bytes& bytes) {
  const std::size_t size = DecodedBytes(bytes);
  std::vector<std::uint8_t> from(size, 1), to(size);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), size);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

BENCHMARK_CAPTURE(Ours, Animation, AnimationGif());
BENCHMARK_CAPTURE(Giflib, Animation, AnimationGif());
BENCHMARK_CAPTURE(Copy, Animation, AnimationGif());
BENCHMARK_CAPTURE(Ours, Photo, PhotoGif());
BENCHMARK_CAPTURE(Giflib, Photo, PhotoGif());
BENCHMARK_CAPTURE(Copy, Photo, PhotoGif());

}  // namespace
