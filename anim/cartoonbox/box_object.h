// One object of an animation box: a picture at a position with its own
// transparency, layer, angle, animation, automatic rotation and lifetime.
// Pictures, font data and sounds are shared items of the box's cache.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "anim/cartoonbox/box_host.h"
#include "anim/frameimage/packed_picture.h"
#include "anim/frameimage/resource_cache.h"

namespace horavia::anim {

// Positions are doubles; drawing and hit tests use them truncated toward
// zero, saturated to the int range (NaN counts as 0).
inline int TruncatedPosition(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

inline int SaturatedSum(int a, int b) {
  const std::int64_t sum = std::int64_t{a} + b;
  return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// What is known of an object's rendered picture without its pixels.
struct RenderedShape {
  int width = 0;  // the whole rendered picture
  int height = 0;
  // Where the pixels the object holds lie within it: all of it, or the part
  // that can show (RenderObjectPicture).
  ImageArea kept;
  ImageArea shown;  // ShownArea of those pixels, within the whole picture
  // While the pixels are let go: the pixels of `kept` in the current frame
  // that the hit test finds (HitMask); empty otherwise.
  std::vector<bool> hits;

  bool usable() const { return width > 0 && height > 0; }
};

struct BoxObject {
  std::int32_t id = 0;       // > 0, unique among the live objects of the process
  std::uint64_t serial = 0;  // never reused: tells the object apart after a handler ran
  std::int32_t type = 0;
  double x = 0;
  double y = 0;
  bool visible = true;
  std::string name;

  // Lifetime: destroyed once the tick count reaches `expiry`.
  bool expires = false;
  std::uint32_t expiry = 0;

  // Kept from the template; nothing in the box draws with them.
  std::string text;
  std::uint32_t textColour = 0;
  const ResourceCache::Blob* font = nullptr;

  // Pictures: `source` untransformed, `rendered` the pixels of what is drawn
  // (the part shape.kept of it), both shared items of the cache, and the
  // rendered picture's shape. A source decoded from bytes keeps them as
  // `origin`; such an object holds decoded pixels only while it is visible:
  // hidden, it lets both pictures go and keeps the shape, which is all that
  // repaints and hit tests need, and decodes them again when it shows.
  PackedPicture origin;
  const FrameImage* source = nullptr;
  // A source decoded from bytes whose picture is made from the part of it
  // that shows alone (DrawsShownPartOnly) holds only that part when it is
  // a small one (a clock hand in a picture of the whole clock):
  // `sourceKept` is where its pixels lie in the untransformed picture,
  // which is `sourceWhole` in size. Both are empty while the source is whole.
  ImageSize sourceWhole;
  ImageArea sourceKept;
  const FrameImage* rendered = nullptr;
  RenderedShape shape;
  int currentFrame = 0;
  bool frameStarted = false;
  std::uint32_t frameStart = 0;

  // Animation of a multi-frame picture.
  bool playAnimation = false;
  std::int32_t playsLeft = 0;      // counts down per completed cycle when > 0
  std::int32_t cyclePause = 0;     // ms added to frame 0 of every cycle
  bool destroyAfterPlays = false;

  // The picture pipeline's settings.
  std::uint32_t tintColour = 0xFFFFFF;
  std::int32_t tintDepth = 0;
  std::int32_t brightness = 0;
  std::int32_t transparency = 0;   // percent, 0 opaque
  std::int32_t zoomX = 1000;
  std::int32_t zoomY = 1000;
  std::int32_t layer = 0;
  std::int32_t angle = 0;          // degrees clockwise; 0..359 once set by the box
  bool rotateWithAngle = false;
  std::int32_t flip = 0;           // 1 mirror, 2 upside down, 3 both

  const ResourceCache::Blob* destroySound = nullptr;
  bool collideAllowed = false;
  const ResourceCache::Blob* collidedSound = nullptr;

  // Automatic rotation.
  bool rotating = false;
  std::int32_t rotationInterval = 0;  // ms between steps
  std::int32_t rotationStep = 0;      // degrees per step, may be negative
  std::uint32_t lastRotation = 0;
  std::int32_t degreesLeft = 0;       // 0 unlimited
  bool rotationEnds = false;
  std::uint32_t rotationEnd = 0;

  bool sourceTrimmed() const { return sourceKept.width > 0; }
  // The source as a part of the untransformed picture: all of it unless
  // trimmed; no pixels without a source.
  PicturePart sourcePart() const {
    if (source != nullptr && sourceTrimmed()) return {source, sourceWhole, sourceKept};
    return PicturePart::All(source);
  }
  // Whether the object has a rendered picture, with its pixels or not.
  bool hasPicture() const { return shape.usable(); }
  // Whether it is drawn: visible, with the pixels of its picture.
  bool shows() const { return visible && rendered != nullptr; }
  // The rectangle the rendered picture covers; empty without one.
  BoxRect rect() const {
    if (!hasPicture()) return {TruncatedPosition(x), TruncatedPosition(y), 0, 0};
    return {TruncatedPosition(x), TruncatedPosition(y), shape.width, shape.height};
  }
  // Where the pixels the object holds lie: the part shape.kept of rect().
  BoxRect keptRect() const {
    const BoxRect whole = rect();
    if (whole.empty()) return whole;
    const ImageArea& kept = shape.kept;
    return {SaturatedSum(whole.left, kept.left), SaturatedSum(whole.top, kept.top), kept.width, kept.height};
  }
  // The part of rect() that drawing the object can change: what a change of
  // the object repaints. A turned thin hand covers a small part of its
  // picture. A negative transparency brings out even the picture's fully
  // transparent pixels, so then it is the whole rectangle.
  BoxRect paintRect() const {
    const BoxRect whole = rect();
    if (whole.empty() || transparency < 0) return whole;
    const ImageArea& shown = shape.shown;
    return {SaturatedSum(whole.left, shown.left), SaturatedSum(whole.top, shown.top), shown.width, shown.height};
  }
  void clearRotation() {
    rotating = false;
    rotationInterval = rotationStep = degreesLeft = 0;
    lastRotation = 0;
    rotationEnds = false;
    rotationEnd = 0;
  }
};

}  // namespace horavia::anim
