// The window layer's view of the picture decoders: pictures as QImage, icons
// as QIcon and picture regions as QRegion. Bytes that do not decode give
// nothing.
#pragma once

#include <QIcon>
#include <QImage>
#include <QRegion>
#include <cstdint>
#include <optional>
#include <span>

#include "anim/picture/bitmap.h"

namespace horavia::ui {

std::optional<QImage> DecodePictureImage(std::span<const std::uint8_t> bytes);
// A decoded bitmap (or a composed canvas) as an opaque image.
QImage ImageFromBitmap(const anim::Bitmap& bitmap);
std::optional<QIcon> DecodeIcon(std::span<const std::uint8_t> bytes);
// The area of every pixel not of `colour` (0x00BBGGRR).
std::optional<QRegion> PictureRegion(std::span<const std::uint8_t> bytes, std::uint32_t colour, int percent = 100);

}  // namespace horavia::ui
