#include "ui/units/pictures.h"

#include "anim/picture/picture.h"
#include "anim/picture/pixel_size.h"

namespace horavia::ui {

// Bitmap pixels are 0x00RRGGBB; Qt's RGB32 wants the top byte 0xFF.
QImage ImageFromBitmap(const anim::Bitmap& bitmap) {
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
  for (int y = 0; y < bitmap.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width; ++x) row[x] = 0xFF000000u | bitmap.at(x, y);
  }
  return image;
}

std::optional<QImage> DecodePictureImage(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return std::nullopt;
  std::optional<anim::Bitmap> bitmap = anim::PictureToBitmap(bytes);
  if (!bitmap || bitmap->empty()) return std::nullopt;
  return ImageFromBitmap(*bitmap);
}

std::optional<QIcon> DecodeIcon(std::span<const std::uint8_t> bytes) {
  std::optional<QImage> image = DecodePictureImage(bytes);
  if (!image) return std::nullopt;
  return QIcon(QPixmap::fromImage(*image));
}

std::optional<QRegion> PictureRegion(std::span<const std::uint8_t> bytes, std::uint32_t colour, int percent) {
  if (percent < anim::kMinDisplayPercent || percent > anim::kMaxDisplayPercent) return std::nullopt;
  std::optional<anim::Region> region = anim::RegionFromPictureBytes(bytes, colour);
  if (region && percent != 100) region = anim::ScaledRegion(*region, percent);
  if (!region || region->empty()) return std::nullopt;
  QRegion out;
  for (const anim::RegionRect& r : region->rects) out += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  return out;
}

}  // namespace horavia::ui
