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
  const PicturePart source = object.sourcePart();
  const int frames = source.pixels->frameCount();
  std::optional<ImageSize> size = source.whole;
  if (Turns(object)) size = RotatedSize(*size, frames, object.angle);
  return size && ScaledSize(*size, frames, object.zoomX, object.zoomY);
}

// Whether the turn may keep only the part of the picture that shows.
bool KeepsShownPartOnly(const BoxObject& object) { return Turns(object) && DrawsShownPartOnly(object); }

void TintAndBrighten(const BoxObject& object, FrameImage& picture) {
  Tint(picture, object.tintColour, object.tintDepth);
  Brighten(picture, object.brightness);
}

// Turns the part of the source that shows alone (a trimmed source holds no
// more), and tints it. A source that shows nothing still keeps one pixel,
// for its frames and their delays.
PicturePart TurnedShownPart(const BoxObject& object, ResourceCache& cache) {
  const PicturePart source = object.sourcePart();
  const double angle = Turns(object) ? object.angle : 0;
  const int frames = source.pixels->frameCount();
  const std::optional<ImageSize> whole = RotatedSize(source.whole, frames, angle);
  if (!whole) return {};
  const ImageArea shown = object.sourceTrimmed() ? source.kept : cache.ShownAreaOf(*source.pixels);
  ImageArea kept = TurnedArea(source.whole, frames, angle, shown);
  if (kept.width <= 0 || kept.height <= 0) kept = {0, 0, 1, 1};
  std::optional<FrameImage> part = object.sourceTrimmed() ? RotateShownPart(source, angle, kept)
                                                          : RotateShownPart(*source.pixels, angle, kept, shown);
  if (!part) return {};
  TintAndBrighten(object, *part);
  const FrameImage* pixels = cache.RegisterImage(std::make_unique<FrameImage>(std::move(*part)));
  if (pixels == nullptr) return {};
  return {pixels, *whole, kept};
}

}  // namespace

bool DrawsShownPartOnly(const BoxObject& object) {
  return !Flips(object) && object.zoomX == 1000 && object.zoomY == 1000 && object.transparency >= 0;
}

PicturePart RenderObjectPicture(const BoxObject& object, ResourceCache& cache) {
  const PicturePart source = object.sourcePart();
  if (!source.holdsPart()) return {};
  // Those settings are fixed before a source is trimmed (the box trims only
  // objects that keep them); a trimmed source with others shows nothing
  // rather than a wrong picture.
  if (object.sourceTrimmed() && !DrawsShownPartOnly(object)) return {};
  if (Untransformed(object)) return {cache.RegisterImage(*source.pixels), source.whole, source.kept};
  if (!WithinCeiling(object)) return {};
  if (KeepsShownPartOnly(object) || object.sourceTrimmed()) return TurnedShownPart(object, cache);
  std::optional<FrameImage> picture = FlippedAndTurned(object);
  if (!picture) return {};
  Scale(*picture, object.zoomX, object.zoomY);
  TintAndBrighten(object, *picture);
  return PicturePart::All(cache.RegisterImage(std::make_unique<FrameImage>(std::move(*picture))));
}

}  // namespace horavia::anim
