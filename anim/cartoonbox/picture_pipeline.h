// The picture an object is drawn with: its source after flip, turn, zoom,
// tint and brightness. Rebuilt only when one of those settings or the
// source changes, never per paint.
#pragma once

#include "anim/cartoonbox/box_object.h"
#include "anim/frameimage/resource_cache.h"

namespace horavia::anim {

// Builds the object's rendered picture from its source and registers it in
// the cache (which shares it with any equal one); the caller owns one
// reference. Without any transform it is the source itself, registered once
// more. Null when there is no source, the result is unusable, or a stage
// would exceed the picture ceiling (pixel_size.h), which is found before
// any pixel work.
const FrameImage* RenderObjectPicture(const BoxObject& object, ResourceCache& cache);

}  // namespace horavia::anim
