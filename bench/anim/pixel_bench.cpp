// Rotation of a 300 × 300 frame by 7°, 37° and 90° (ours, pixman with the
// nearest filter and a general transform, QImage::transformed with
// Qt::FastTransformation) and blending of a 300 × 300 and a 1920 × 1080
// frame (ours, pixman OVER), each beside a plain copy of the same pixels.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <QImage>
#include <QTransform>
#include <cmath>
#include <cstring>
#include <random>

#include "anim/frameimage/frame_image.h"

namespace {

using horavia::anim::FrameImage;

// Photo-like opaque pixels for rotation; for blending 60 % opaque, 20 %
// half transparent and 20 % fully transparent (our fourth byte).
std::vector<std::uint32_t> Pixels(int width, int height, bool mixedTransparency) {
  std::mt19937 random(5);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = static_cast<std::uint32_t>(x * 0x010203 + y * 0x030201) & 0xFFFFFF;
      if (mixedTransparency) {
        const unsigned r = random() % 10;
        pixel |= r < 6 ? 0 : r < 8 ? 0x80000000u : 0xFF000000u;
      }
      out[static_cast<std::size_t>(y) * width + x] = pixel;
    }
  }
  return out;
}

FrameImage Frame(int width, int height) {
  FrameImage image;
  image.width = width;
  image.height = height;
  image.frames.push_back({horavia::anim::kNoKey, 0, Pixels(width, height, false)});
  return image;
}

const FrameImage& Source300() {
  static const FrameImage image = Frame(300, 300);
  return image;
}

void CountPixels(benchmark::State& state, std::size_t pixels) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pixels * 4));
}

// [rotation] ------------------------------------------------------------------

void RotateOurs(benchmark::State& state) {
  const double angle = static_cast<double>(state.range(0));
  std::size_t pixels = 0;
  for (auto _ : state) {
    auto turned = horavia::anim::Rotate(Source300(), angle);
    benchmark::DoNotOptimize(turned->frames[0].pixels.data());
    pixels = turned->frames[0].pixels.size();
  }
  CountPixels(state, pixels);
}

// pixman maps destination to source: the same inverse mapping we use,
// source = (X·c + Y·s, Y·c − X·s) with X = k + minX, Y = j + minY.
void RotatePixman(benchmark::State& state) {
  const double angle = static_cast<double>(state.range(0));
  const FrameImage& source = Source300();
  const auto reference = horavia::anim::Rotate(source, angle);
  const int width = reference->width, height = reference->height;
  const double theta = angle * 0.017453292519444445, s = std::sin(theta), c = std::cos(theta);
  const double cornersX[4] = {0, 300 * c, -300 * s, 300 * c - 300 * s};
  const double cornersY[4] = {0, 300 * s, 300 * c, 300 * s + 300 * c};
  const double minX = *std::min_element(cornersX, cornersX + 4), minY = *std::min_element(cornersY, cornersY + 4);

  std::vector<std::uint32_t> in = source.frames[0].pixels;
  pixman_image_t* from = pixman_image_create_bits(PIXMAN_a8r8g8b8, 300, 300, in.data(), 300 * 4);
  pixman_transform_t transform;
  pixman_transform_init_identity(&transform);
  transform.matrix[0][0] = pixman_double_to_fixed(c);
  transform.matrix[0][1] = pixman_double_to_fixed(s);
  transform.matrix[0][2] = pixman_double_to_fixed(c * minX + s * minY);
  transform.matrix[1][0] = pixman_double_to_fixed(-s);
  transform.matrix[1][1] = pixman_double_to_fixed(c);
  transform.matrix[1][2] = pixman_double_to_fixed(c * minY - s * minX);
  pixman_image_set_transform(from, &transform);
  pixman_image_set_filter(from, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) {
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * height);
    pixman_image_t* to = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, out.data(), width * 4);
    pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, width, height);
    pixman_image_unref(to);
    benchmark::DoNotOptimize(out.data());
  }
  pixman_image_unref(from);
  CountPixels(state, static_cast<std::size_t>(width) * height);
}

void RotateQImage(benchmark::State& state) {
  const double angle = static_cast<double>(state.range(0));
  const FrameImage& source = Source300();
  const QImage image(reinterpret_cast<const uchar*>(source.frames[0].pixels.data()), 300, 300, 300 * 4,
                     QImage::Format_ARGB32);
  std::size_t pixels = 0;
  for (auto _ : state) {
    const QImage turned = image.transformed(QTransform().rotate(angle), Qt::FastTransformation);
    benchmark::DoNotOptimize(turned.constBits());
    pixels = static_cast<std::size_t>(turned.width()) * turned.height();
  }
  CountPixels(state, pixels);
}

void RotateCopy(benchmark::State& state) {
  const auto reference = horavia::anim::Rotate(Source300(), static_cast<double>(state.range(0)));
  const std::vector<std::uint32_t>& from = reference->frames[0].pixels;
  for (auto _ : state) {
    std::vector<std::uint32_t> out(from.size());
    std::memcpy(out.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(out.data());
  }
  CountPixels(state, from.size());
}

BENCHMARK(RotateOurs)->Arg(7)->Arg(37)->Arg(90);
BENCHMARK(RotatePixman)->Arg(7)->Arg(37)->Arg(90);
BENCHMARK(RotateQImage)->Arg(7)->Arg(37)->Arg(90);
BENCHMARK(RotateCopy)->Arg(7)->Arg(37)->Arg(90);

// [blending] ------------------------------------------------------------------

struct BlendInput {
  int width;
  int height;
  std::vector<std::uint32_t> source;  // our layout: fourth byte = transparency
  std::vector<std::uint32_t> premultiplied;  // the same pixels for pixman: a8r8g8b8, premultiplied
};

const BlendInput& Input(int width) {
  static const BlendInput small = [] { return BlendInput{300, 300, Pixels(300, 300, true), {}}; }();
  static const BlendInput large = [] { return BlendInput{1920, 1080, Pixels(1920, 1080, true), {}}; }();
  BlendInput& input = const_cast<BlendInput&>(width == 300 ? small : large);
  if (input.premultiplied.empty()) {
    for (std::uint32_t p : input.source) {
      const std::uint32_t alpha = 255 - (p >> 24);
      auto channel = [&](int shift) { return ((p >> shift & 0xFF) * alpha + 127) / 255 << shift; };
      input.premultiplied.push_back(alpha << 24 | channel(16) | channel(8) | channel(0));
    }
  }
  return input;
}

void BlendOurs(benchmark::State& state) {
  const BlendInput& input = Input(static_cast<int>(state.range(0)));
  std::vector<std::uint32_t> destination(input.source.size(), 0x00406080);
  for (auto _ : state) {
    horavia::anim::BlendFrame({destination.data(), input.width, input.height},
                              {input.source.data(), input.width, input.height},
                              {.width = input.width, .height = input.height}, 0, horavia::anim::kNoKey);
    benchmark::DoNotOptimize(destination.data());
    benchmark::ClobberMemory();
  }
  CountPixels(state, input.source.size());
}

void BlendPixman(benchmark::State& state) {
  BlendInput input = Input(static_cast<int>(state.range(0)));
  std::vector<std::uint32_t> destination(input.source.size(), 0x00406080);
  pixman_image_t* from =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, input.width, input.height, input.premultiplied.data(), input.width * 4);
  pixman_image_t* to =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, input.width, input.height, destination.data(), input.width * 4);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, from, nullptr, to, 0, 0, 0, 0, 0, 0, input.width, input.height);
    benchmark::DoNotOptimize(destination.data());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(from);
  pixman_image_unref(to);
  CountPixels(state, input.source.size());
}

void BlendCopy(benchmark::State& state) {
  const BlendInput& input = Input(static_cast<int>(state.range(0)));
  std::vector<std::uint32_t> destination(input.source.size());
  for (auto _ : state) {
    std::memcpy(destination.data(), input.source.data(), input.source.size() * 4);
    benchmark::DoNotOptimize(destination.data());
    benchmark::ClobberMemory();
  }
  CountPixels(state, input.source.size());
}

BENCHMARK(BlendOurs)->Arg(300)->Arg(1920);
BENCHMARK(BlendPixman)->Arg(300)->Arg(1920);
BENCHMARK(BlendCopy)->Arg(300)->Arg(1920);

}  // namespace
