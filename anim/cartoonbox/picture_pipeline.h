// The picture an object is drawn with: its source after flip, turn, zoom,
// tint and brightness. Rebuilt only when one of those settings or the
// source changes, never per paint.
#pragma once

#include "anim/cartoonbox/box_object.h"
#include "anim/frameimage/resource_cache.h"

namespace horavia::anim {

// What an object is drawn with: the pixels of its rendered picture and
// where they lie in it. A picture that is only turned keeps the part that
// its source's showing pixels reach: a turned thin hand is a small part of
// its turned picture, and every pixel outside that part would show nothing
// (fully transparent, or a key), so it is never made.
struct RenderedPicture {
  const FrameImage* pixels = nullptr;  // a shared item of the cache; null: no picture
  ImageSize whole;                     // the rendered picture's size
  ImageArea kept;                      // where `pixels` lie within it
};

// Builds the object's rendered picture from its source and registers its
// pixels in the cache (which shares them with any equal ones); the caller
// owns one reference. Without any transform it is the source itself,
// registered once more. No pixels when there is no source, the result is
// unusable, or a stage would exceed the picture ceiling (pixel_size.h),
// which is found before any pixel work.
RenderedPicture RenderObjectPicture(const BoxObject& object, ResourceCache& cache);

}  // namespace horavia::anim
