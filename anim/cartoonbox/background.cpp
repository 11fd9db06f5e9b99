#include "anim/cartoonbox/background.h"

#include <algorithm>

#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/resample.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

std::optional<BackgroundPicture> DecodeBackground(std::span<const std::uint8_t> bytes) {
  auto record = DecodePicture(bytes);
  if (!record) return std::nullopt;
  std::optional<Bitmap> bitmap = RealisePicture(*record);
  if (!bitmap || bitmap->empty()) return std::nullopt;
  return BackgroundPicture{std::move(*record), std::move(*bitmap)};
}

void ScaleBackground(BackgroundPicture& picture, int percent) {
  std::optional<Bitmap> bitmap = RealisePicture(picture.record);
  if (!bitmap || bitmap->empty()) return;
  const std::optional<ImageSize> size = ResampledSize({bitmap->width, bitmap->height}, 1, percent);
  if (!size) return;
  if (percent != 100) {
    bitmap->pixels = ResamplePixels({bitmap->pixels.data(), bitmap->width, bitmap->height}, *size, kNoKey);
    bitmap->width = size->width;
    bitmap->height = size->height;
    // A background is opaque: the filter's rounding leaves no transparency.
    for (std::uint32_t& pixel : bitmap->pixels) pixel &= 0x00FFFFFF;
  }
  picture.bitmap = std::move(*bitmap);
}

namespace {

void Place(Bitmap& surface, const Bitmap& picture, int x, int y) {
  CopyRect({surface.pixels.data(), surface.width, surface.height},
           {picture.pixels.data(), picture.width, picture.height}, {x, y, 0, 0, picture.width, picture.height});
}

// Row by row, each from its row of the picture, so even a one-pixel picture
// costs no more than a fill.
void Tile(Bitmap& surface, const Bitmap& picture) {
  const std::size_t width = static_cast<std::size_t>(surface.width);
  const std::size_t tileWidth = static_cast<std::size_t>(picture.width);
  for (int y = 0; y < surface.height; ++y) {
    const std::uint32_t* from = picture.pixels.data() + static_cast<std::size_t>(y % picture.height) * tileWidth;
    std::uint32_t* row = surface.pixels.data() + static_cast<std::size_t>(y) * width;
    for (std::size_t x = 0; x < width; x += tileWidth) std::copy_n(from, std::min(tileWidth, width - x), row + x);
  }
}

}  // namespace

Bitmap BuildBackground(const BackgroundPicture* picture, int mode, std::uint32_t colour, int width, int height) {
  Bitmap surface;
  const std::optional<std::size_t> count = CheckedPixelCount(width, height);
  if (!count) return surface;
  surface.width = width;
  surface.height = height;
  // Every mode starts from the colour: the picture covers it entirely when
  // stretched or tiled, and an icon's transparent parts show it.
  surface.pixels.assign(*count, PixelFromColour(colour & 0x00FFFFFF));
  if (picture == nullptr) return surface;
  switch (static_cast<BackgroundMode>(mode)) {
    case BackgroundMode::Stretch:
      DrawPicture(surface, picture->record, 0, 0, width, height, kRopSourceCopy);
      break;
    case BackgroundMode::Centre:
      Place(surface, picture->bitmap, (width - picture->bitmap.width) / 2, (height - picture->bitmap.height) / 2);
      break;
    case BackgroundMode::Tile:
      Tile(surface, picture->bitmap);
      break;
    default:
      Place(surface, picture->bitmap, 0, 0);
      break;
  }
  for (std::uint32_t& pixel : surface.pixels) pixel &= 0x00FFFFFF;
  return surface;
}

}  // namespace horavia::anim
