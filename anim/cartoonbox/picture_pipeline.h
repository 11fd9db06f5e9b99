// The picture an object is drawn with: its source after flip, turn, zoom,
// tint and brightness. Rebuilt only when one of those settings or the
// source changes, never per paint.
#pragma once

#include "anim/cartoonbox/box_object.h"
#include "anim/frameimage/resource_cache.h"

namespace horavia::anim {

// Whether the object's picture is made from the pixels of its source that
// show alone: nothing moves pixels but a turn (a flip or a zoom places
// every pixel of the picture), and nothing brings out pixels that do not
// show (a negative transparency shows even fully transparent ones); tint
// and brightness change pixels one by one. Such an object's source may be
// trimmed to the part of it that shows.
bool DrawsShownPartOnly(const BoxObject& object);

// Builds the object's rendered picture from its source and registers its
// pixels in the cache (which shares them with any equal ones); the caller
// owns one reference. Without any transform it is the source itself,
// registered once more. A picture that is only turned keeps the part that
// its source's showing pixels reach: a turned thin hand is a small part of
// its turned picture, and every pixel outside that part would show nothing
// (fully transparent, or a key), so it is never made. No pixels when there
// is no source, the result is unusable, a stage would exceed the picture
// ceiling (pixel_size.h), which is found before any pixel work, or the
// source is trimmed and the settings need all of it.
PicturePart RenderObjectPicture(const BoxObject& object, ResourceCache& cache);

}  // namespace horavia::anim
