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

}  // namespace

const FrameImage* RenderObjectPicture(const BoxObject& object, ResourceCache& cache) {
  if (object.source == nullptr || !object.source->usable()) return nullptr;
  if (Untransformed(object)) return cache.RegisterImage(*object.source);
  if (!WithinCeiling(object)) return nullptr;
  std::optional<FrameImage> picture = FlippedAndTurned(object);
  if (!picture) return nullptr;
  Scale(*picture, object.zoomX, object.zoomY);
  Tint(*picture, object.tintColour, object.tintDepth);
  Brighten(*picture, object.brightness);
  return cache.RegisterImage(std::make_unique<FrameImage>(std::move(*picture)));
}

}  // namespace horavia::anim
