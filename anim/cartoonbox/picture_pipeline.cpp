#include "anim/cartoonbox/picture_pipeline.h"

#include <memory>
#include <optional>

namespace horavia::anim {

namespace {

bool Turns(const BoxObject& object) { return object.rotateWithAngle && object.angle != 0; }
bool Flips(const BoxObject& object) { return object.flip >= 1 && object.flip <= 3; }

bool Untransformed(const BoxObject& object) {
  return !Turns(object) && object.tintDepth <= 0 && object.brightness == 0 && object.zoomX == 1000 &&
         object.zoomY == 1000 && !Flips(object);
}

// Flip first, then the turn, each from the untransformed source, so that
// errors never accumulate over many steps.
std::optional<FrameImage> FlippedAndTurned(const BoxObject& object) {
  const FrameImage& source = *object.source;
  if (!Flips(object)) return Turns(object) ? Rotate(source, object.angle) : Clone(source);
  std::optional<FrameImage> flipped = Clone(source);
  if (!flipped) return std::nullopt;
  Flip(*flipped, object.flip);
  if (!Turns(object)) return flipped;
  return Rotate(*flipped, object.angle);
}

// Whether every stage stays within the picture ceiling, found from the
// sizes alone before any pixel is touched: a zoom or a turn beyond it fails
// at once, as a zoom to nothing does, instead of after the work of the
// stages before it.
bool WithinCeiling(const BoxObject& object) {
  const FrameImage& source = *object.source;
  const int frames = source.frameCount();
  std::optional<ImageSize> size = ImageSize{source.width, source.height};
  if (Turns(object)) size = RotatedSize(*size, frames, object.angle);
  return size && ScaledSize(*size, frames, object.zoomX, object.zoomY);
}

// Whether the turn may keep only the part of the picture that shows: no
// stage after it moves pixels (a flip or a zoom), and nothing brings out
// pixels that do not show (a negative transparency shows even fully
// transparent ones). Tint and brightness change pixels one by one.
bool KeepsShownPartOnly(const BoxObject& object) {
  return Turns(object) && !Flips(object) && object.zoomX == 1000 && object.zoomY == 1000 && object.transparency >= 0;
}

RenderedPicture All(const FrameImage* pixels) {
  if (pixels == nullptr) return {};
  return {pixels, {pixels->width, pixels->height}, {0, 0, pixels->width, pixels->height}};
}

void TintAndBrighten(const BoxObject& object, FrameImage& picture) {
  Tint(picture, object.tintColour, object.tintDepth);
  Brighten(picture, object.brightness);
}

// Turns the part of the source that shows alone. A source that shows
// nothing still keeps one pixel, for its frames and their delays.
RenderedPicture TurnedShownPart(const BoxObject& object, ResourceCache& cache) {
  const FrameImage& source = *object.source;
  const ImageSize size{source.width, source.height};
  const int frames = source.frameCount();
  const std::optional<ImageSize> whole = RotatedSize(size, frames, object.angle);
  if (!whole) return {};
  const ImageArea shown = cache.ShownAreaOf(source);
  ImageArea kept = TurnedArea(size, frames, object.angle, shown);
  if (kept.width <= 0 || kept.height <= 0) kept = {0, 0, 1, 1};
  std::optional<FrameImage> part = RotateShownPart(source, object.angle, kept, shown);
  if (!part) return {};
  TintAndBrighten(object, *part);
  const FrameImage* pixels = cache.RegisterImage(std::make_unique<FrameImage>(std::move(*part)));
  if (pixels == nullptr) return {};
  return {pixels, *whole, kept};
}

}  // namespace

RenderedPicture RenderObjectPicture(const BoxObject& object, ResourceCache& cache) {
  if (object.source == nullptr || !object.source->usable()) return {};
  if (Untransformed(object)) return All(cache.RegisterImage(*object.source));
  if (!WithinCeiling(object)) return {};
  if (KeepsShownPartOnly(object)) return TurnedShownPart(object, cache);
  std::optional<FrameImage> picture = FlippedAndTurned(object);
  if (!picture) return {};
  Scale(*picture, object.zoomX, object.zoomY);
  TintAndBrighten(object, *picture);
  return All(cache.RegisterImage(std::make_unique<FrameImage>(std::move(*picture))));
}

}  // namespace horavia::anim
