// One second-hand step of a 300 × 300 clock, side by side: the animation
// box (turn the hand picture anew, compose the update rectangle from the
// background and the three hands) against QPainter drawing the same
// pictures with a rotated drawImage, clipped to the same rectangle. The
// box's hands come as picture bytes, as a skin's do. A running clock steps
// once a second, by which time other work has long taken the processor's
// caches: the "cold" runs wipe them before every step, outside the timing.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstring>

#include "anim/cartoonbox/cartoon_box.h"
#include "platform/ticks.h"
#include "tests/anim/support/encoders.h"

namespace {

using namespace horavia::anim;

constexpr int kSide = 300;

// A clock hand: clear but for a bar from the centre up, its tip fading.
FrameImage Hand(int thickness, int length, std::uint32_t colour) {
  FrameImage hand;
  hand.width = hand.height = kSide;
  std::vector<std::uint32_t> pixels(kSide * kSide, kEmptyPixel);
  for (int y = 150 - length; y < 150; ++y) {
    const std::uint32_t fade = y < 150 - length + 8 ? 0x80000000u : 0;
    for (int x = 150 - thickness; x < 150 + thickness; ++x) pixels[y * kSide + x] = colour | fade;
  }
  hand.frames.push_back({kNoKey, 0, std::move(pixels)});
  return hand;
}

std::vector<std::uint32_t> FacePixels() {
  std::vector<std::uint32_t> face(kSide * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) face[y * kSide + x] = static_cast<std::uint32_t>((x * 3) << 16 | (y * 5) << 8 | (x ^ y)) & 0xFFFFFF;
  }
  return face;
}

const std::vector<FrameImage>& Hands() {
  static const std::vector<FrameImage> hands = {Hand(5, 80, 0x202020), Hand(3, 115, 0x404040), Hand(1, 130, 0xC00000)};
  return hands;
}

// A hand as PNG bytes: RGBA, the alpha the opposite of our transparency.
std::vector<std::uint8_t> HandBytes(const FrameImage& hand) {
  testing::PngPicture png;
  png.width = hand.width;
  png.height = hand.height;
  png.colourType = 6;  // RGBA
  for (std::uint32_t p : hand.frames[0].pixels) {
    png.samples.insert(png.samples.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                           static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(255 - (p >> 24))});
  }
  return testing::EncodePng(png);
}

// Reads and writes more memory than the processor's caches hold.
void WipeCaches() {
  static std::vector<std::uint8_t> sweep(32 << 20);
  for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] += 1;
  benchmark::DoNotOptimize(sweep.data());
}
constexpr int kHourAngle = 97;
constexpr int kMinuteAngle = 246;

// Keeps the rectangle the box marks for repainting.
class MarkingHost : public BoxHost {
 public:
  std::optional<std::int32_t> RaiseEvent(BoxEvent, std::span<const std::int32_t>) override { return std::nullopt; }
  void Invalidate(const BoxRect& r) override {
    if (marked.empty()) {
      marked = r;
      return;
    }
    const int left = std::min(marked.left, r.left), top = std::min(marked.top, r.top);
    marked = {left, top, static_cast<int>(std::max(marked.right(), r.right()) - left),
              static_cast<int>(std::max(marked.bottom(), r.bottom()) - top)};
  }
  void UpdateNow() override {}
  void PlaySound(std::span<const std::uint8_t>) override {}
  BoxRect marked;
};

void SecondHandStepBox(benchmark::State& state) {
  horavia::platform::ManualTicks ticks;
  MarkingHost host;
  CartoonBox box(host);
  box.resize(kSide, kSide);
  box.setBackground(testing::EncodeBmpTrueColour(kSide, kSide, FacePixels(), 24), 0, 0xFFFFFF);
  ObjectTemplate turning;
  turning.data.rotateFollow = 1;
  std::int32_t ids[3] = {};
  const int angles[3] = {kHourAngle, kMinuteAngle, 0};
  for (int i = 0; i < 3; ++i) {
    ids[i] = box.createObject(&turning, 0, 0, true, "");
    box.setPicture(ids[i], HandBytes(Hands()[i]), kPictureNoKey);
    box.setAngle(ids[i], angles[i]);
  }
  const bool cold = state.range(0) != 0;
  std::vector<std::uint32_t> buffer(kSide * kSide);
  int angle = 0;
  std::int64_t pixels = 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      WipeCaches();
      state.ResumeTiming();
    }
    host.marked = {};
    angle = (angle + 6) % 360;
    box.setAngle(ids[2], angle);
    const BoxRect area = host.marked;
    box.compose(area, {buffer.data(), area.width, area.height}, 0xFF000000);
    benchmark::DoNotOptimize(buffer.data());
    pixels += static_cast<std::int64_t>(area.width) * area.height;
  }
  state.counters["pixels/step"] = static_cast<double>(pixels) / static_cast<double>(state.iterations());
}

// Our pixels (fourth byte = transparency) as the toolkit's premultiplied
// ARGB, its fastest source format.
QImage ToQImage(const FrameImage& image) {
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.frames[0].pixels[y * image.width + x];
      row[x] = (255 - (p >> 24)) << 24 | (p & 0xFFFFFF);
    }
  }
  return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void SecondHandStepQPainter(benchmark::State& state) {
  const bool cold = state.range(0) != 0;
  const std::vector<std::uint32_t> facePixels = FacePixels();
  QImage face(kSide, kSide, QImage::Format_RGB32);
  for (int y = 0; y < kSide; ++y) std::memcpy(face.scanLine(y), facePixels.data() + y * kSide, kSide * 4);
  std::vector<QImage> hands;
  for (const FrameImage& hand : Hands()) hands.push_back(ToQImage(hand));
  QImage target(kSide, kSide, QImage::Format_RGB32);
  const int fixed[2] = {kHourAngle, kMinuteAngle};
  int angle = 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      WipeCaches();
      state.ResumeTiming();
    }
    angle = (angle + 6) % 360;
    QPainter painter(&target);
    // The same update rectangle the box composes: here the whole clock, as
    // a turned 300 × 300 hand covers it.
    painter.setClipRect(0, 0, kSide, kSide);
    painter.drawImage(0, 0, face);
    for (int i = 0; i < 3; ++i) {
      painter.save();
      painter.translate(kSide / 2, kSide / 2);
      painter.rotate(i < 2 ? fixed[i] : angle);
      painter.translate(-kSide / 2, -kSide / 2);
      painter.drawImage(0, 0, hands[static_cast<std::size_t>(i)]);
      painter.restore();
    }
    painter.end();
    benchmark::DoNotOptimize(target.constBits());
  }
}

// A cold step wipes tens of megabytes first: a fixed count of steps keeps
// the run short.
constexpr int kColdSteps = 300;
BENCHMARK(SecondHandStepBox)->ArgName("cold")->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(SecondHandStepBox)->ArgName("cold")->Arg(1)->Iterations(kColdSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(SecondHandStepQPainter)->ArgName("cold")->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(SecondHandStepQPainter)->ArgName("cold")->Arg(1)->Iterations(kColdSteps)->Unit(benchmark::kMicrosecond);

}  // namespace
