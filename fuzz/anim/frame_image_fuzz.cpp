// Fuzz entry for frame images: load any bytes as the animation units do,
// then run every pixel operation on what loaded.
#include <cstddef>
#include <cstdint>
#include <span>

#include "anim/frameimage/frame_image.h"

namespace horavia::fuzz {

namespace {

// Operations run only on small images so that each input stays quick; the
// loaders themselves see every size.
constexpr int kMaxOperatedPixels = 1 << 16;

void Operate(anim::FrameImage image) {
  if (static_cast<std::int64_t>(image.width) * image.height > kMaxOperatedPixels) return;
  std::vector<std::uint32_t> canvas(40 * 30, 0x00102030);
  const anim::PixelView view{canvas.data(), 40, 30};
  for (const anim::ImageFrame& frame : image.frames) {
    const anim::ConstPixelView source{frame.pixels.data(), image.width, image.height};
    anim::BlendFrame(view, source, {-5, 3, 0, 0, image.width, image.height}, 30, frame.keyColour);
    anim::CopyRect(view, source, {10, -2, 1, 1, image.width - 1, image.height - 1});
  }
  anim::HitTest(image, 2, 3, 0, 4, 5);
  if (auto turned = anim::Rotate(image, 37)) anim::Equal(*turned, image);
  anim::Rotate(image, 90);
  anim::Flip(image, 3);
  anim::Tint(image, 0x00336699, 40);
  anim::Brighten(image, -30);
  anim::Scale(image, 700, 1300);
}

}  // namespace

int FuzzFrameImage(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  anim::FrameImage image = anim::FrameImage::LoadFromBytes(bytes, anim::kNoKey, true);
  if (image.usable()) Operate(std::move(image));
  return 0;
}

}  // namespace horavia::fuzz

#ifndef HORAVIA_FUZZ_NO_MAIN
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return horavia::fuzz::FuzzFrameImage(data, size);
}
#endif
