// Fuzz entry for the picture service: decode any bytes, realise them, draw
// them every way a unit can and cut a region from the result.
#include <cstddef>
#include <cstdint>
#include <span>

#include "anim/picture/picture.h"

namespace horavia::fuzz {

int FuzzDecodePicture(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  auto record = anim::DecodePicture(bytes);
  if (!record) return 0;
  auto bitmap = anim::RealisePicture(*record);
  anim::Bitmap target{17, 13, std::vector<std::uint32_t>(17 * 13, 0x808080)};
  anim::DrawPicture(target, *record, -3, 2, -1, -1, anim::kRopSourceCopy);
  anim::DrawPicture(target, *record, 5, -4, 30, 7, anim::kRopSourceInvert);
  anim::DrawPicture(target, *record, 1, 1, 9, 9, -0x00FFFFFF);
  if (bitmap) anim::RegionFromBitmap(*bitmap, 0xFFFFFF);
  anim::RegionFromBitmap(target, 0x808080);
  return 0;
}

}  // namespace horavia::fuzz

#ifndef HORAVIA_FUZZ_NO_MAIN
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return horavia::fuzz::FuzzDecodePicture(data, size);
}
#endif
