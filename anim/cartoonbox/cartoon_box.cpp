// Index
//   [lifetime]   construction, destruction, the registry
//   [events]     raising an event and checking what survived it
//   [pictures]   decoding sources, rendering, letting pixels go while hidden
//   [objects]    create, find, insert by layer, destroy
//   [settings]   visibility, pictures, angles, rotation start and stop
//   [moving]     moves with events 8 and 9, re-centring
#include "anim/cartoonbox/cartoon_box.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "anim/cartoonbox/box_registry.h"
#include "anim/cartoonbox/picture_pipeline.h"
#include "anim/frameimage/resample.h"
#include "anim/picture/pixel_size.h"
#include "platform/ticks.h"

namespace horavia::anim {

// [lifetime] -------------------------------------------------------------------

CartoonBox::CartoonBox(BoxHost& host) : host_(host), wake_([this] { step(); }) { Boxes().add(this); }

CartoonBox::~CartoonBox() {
  wake_.stop();
  // Objects go silently; the cache frees what they held with itself.
  objects_.clear();
  Boxes().remove(this);
}

// [events] ---------------------------------------------------------------------

CartoonBox::Raised CartoonBox::raise(BoxEvent event, std::initializer_list<std::int32_t> args) {
  const std::weak_ptr<const bool> alive = life_;
  std::optional<std::int32_t> result = host_.RaiseEvent(event, std::span(args.begin(), args.size()));
  // `this` may be gone now: only the local guard may be read.
  if (alive.expired()) return {false, std::nullopt};
  return {true, result};
}

BoxStatus CartoonBox::afterEvent(const Raised& raised, std::uint64_t serial) const {
  if (!raised.boxAlive) return BoxStatus::BoxGone;
  return findSerial(serial) != nullptr ? BoxStatus::Done : BoxStatus::ObjectGone;
}

// [pictures] -------------------------------------------------------------------

// A shared picture decoded from the bytes: the cache's when an object shows
// the same bytes already, else decoded now. Null when nothing decodes.
const FrameImage* CartoonBox::decodeSource(const PackedPicture& packed) {
  if (const FrameImage* shared = cache_.AcquireDecoded(packed)) return shared;
  FrameImageLoad load = packed.Decode();
  if (load.framesLeftOut) {
    host_.Warn("a picture's frames together exceed " + std::to_string(kMaxPictureBytes >> 20) +
               " MiB decoded: only its first " + std::to_string(load.image.frameCount()) + " frames are shown");
  }
  return cache_.RegisterDecoded(std::make_unique<FrameImage>(AtPictureScale(std::move(load.image))), packed);
}

// A picture beyond the ceiling at this scale shows nothing, as one beyond
// it at any scale does.
FrameImage CartoonBox::AtPictureScale(FrameImage image) const {
  if (pictureScale_ == 100 || !image.usable()) return image;
  return Resample(image, pictureScale_).value_or(FrameImage{});
}

// The object's source, decoded again from its bytes when it was let go, and
// trimmed when its settings take only the part that shows. Those settings
// come from its template when it is made and never change after, so a
// trimmed source never has to be made whole again.
bool CartoonBox::ensureSource(BoxObject& object) {
  if (object.source == nullptr && !object.origin.empty()) object.source = decodeSource(object.origin);
  if (object.source == nullptr) return false;
  if (!object.origin.empty() && !object.sourceTrimmed() && DrawsShownPartOnly(object)) trimSource(object);
  return true;
}

// Keeps only the part of the source that shows, when that is at most half
// of it: a clock hand shows in a sliver of a picture of the whole clock,
// and turning it then reads a few kilobytes instead of the whole picture.
// Its bytes give the whole picture again when it is needed.
void CartoonBox::trimSource(BoxObject& object) {
  const FrameImage& source = *object.source;
  const ImageArea shown = cache_.ShownAreaOf(source);
  const std::int64_t shownPixels = std::int64_t{shown.width} * shown.height;
  if (shownPixels == 0 || shownPixels * 2 > std::int64_t{source.width} * source.height) return;
  std::optional<FrameImage> part = RotatePart(source, 0, shown);
  if (!part) return;
  const FrameImage* trimmed = cache_.RegisterImage(std::make_unique<FrameImage>(std::move(*part)));
  if (trimmed == nullptr) return;
  const ImageSize whole{source.width, source.height};
  cache_.Release(object.source);
  object.source = trimmed;
  object.sourceWhole = whole;
  object.sourceKept = shown;
}

void CartoonBox::releaseSource(BoxObject& object) {
  cache_.Release(object.source);
  object.source = nullptr;
  object.sourceWhole = {};
  object.sourceKept = {};
}

void CartoonBox::releasePictures(BoxObject& object) {
  cache_.Release(object.rendered);
  object.rendered = nullptr;
  object.shape = {};
}

void CartoonBox::rebuild(BoxObject& object) {
  releasePictures(object);
  if (!ensureSource(object)) return;
  const PicturePart picture = RenderObjectPicture(object, cache_);
  object.rendered = picture.pixels;
  if (object.rendered != nullptr) {
    const ImageArea shown = ShownArea(*object.rendered);
    object.shape = {picture.whole.width, picture.whole.height, picture.kept,
                    shown.width > 0 ? ImageArea{picture.kept.left + shown.left, picture.kept.top + shown.top,
                                                shown.width, shown.height}
                                    : ImageArea{},
                    {}};
    if (object.currentFrame >= object.rendered->frameCount()) object.currentFrame = 0;
  }
  if (!object.visible) letPixelsGo(object);
}

// A hidden object keeps no decoded pixels that its bytes can give again:
// the rendered picture's shape and hit mask stand in for them.
void CartoonBox::letPixelsGo(BoxObject& object) {
  if (object.visible || object.origin.empty()) return;
  if (object.rendered != nullptr) object.shape.hits = HitMask(*object.rendered, object.currentFrame);
  cache_.Release(object.rendered);
  object.rendered = nullptr;
  releaseSource(object);
}

// [objects] --------------------------------------------------------------------

BoxObject* CartoonBox::findSerial(std::uint64_t serial) const {
  for (const auto& object : objects_) {
    if (object->serial == serial) return object.get();
  }
  return nullptr;
}

BoxObject* CartoonBox::findMutable(std::int32_t id) const {
  if (id <= 0) return nullptr;
  for (const auto& object : objects_) {
    if (object->id == id) return object.get();
  }
  return nullptr;
}

const BoxObject* CartoonBox::find(std::int32_t id) const { return findMutable(id); }

int CartoonBox::indexOf(std::int32_t id) const {
  if (id <= 0) return -1;
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    if (objects_[i]->id == id) return static_cast<int>(i);
  }
  return -1;
}

void CartoonBox::invalidate(const BoxRect& rect) {
  const BoxRect visible = rect.intersected({0, 0, width_, height_});
  if (visible.empty()) return;
  paintPending_ = true;
  host_.Invalidate(visible);
}

void CartoonBox::insertByLayer(std::unique_ptr<BoxObject> object) {
  // After the last object whose layer is not above the new one's, so that
  // of equal layers the later one is drawn on top.
  auto at = std::find_if(objects_.rbegin(), objects_.rend(),
                         [layer = object->layer](const auto& o) { return o->layer <= layer; });
  objects_.insert(at.base(), std::move(object));
}

void CartoonBox::applyTemplate(BoxObject& object, const ObjectTemplate& from) {
  const CartoonObjectData& d = from.data;
  object.type = d.type;
  object.text = d.text;
  object.textColour = d.textColor;
  if (d.font.size() == 60) object.font = cache_.RegisterBlob(d.font);
  // Ready pixels win over bytes, as TemplatePicture::Pixels has it.
  if (pictureScale_ == 100) {
    object.source = cache_.RegisterImage(from.picture.image);
  } else if (from.picture.image.usable()) {
    object.source = cache_.RegisterImage(std::make_unique<FrameImage>(AtPictureScale(from.picture.image)));
  }
  if (object.source == nullptr) object.origin = from.picture.packed;
  object.playAnimation = d.playGif != 0;
  object.cyclePause = std::max(d.gifDelay, 0);
  object.playsLeft = d.gifAutoDestroy;
  object.destroyAfterPlays = d.gifAutoDestroy >= 1;
  object.tintColour = d.trendColor;
  object.tintDepth = d.trendDepth;
  object.brightness = d.light;
  object.transparency = d.alpha;
  object.layer = d.layer;
  object.angle = d.angle;
  object.rotateWithAngle = d.rotateFollow != 0;
  object.flip = d.turnType.number();
  object.zoomX = object.zoomY = d.zoom;
  object.destroySound = cache_.RegisterBlob(d.destroySound);
  object.collideAllowed = d.collideAllowed != 0;
  object.collidedSound = cache_.RegisterBlob(d.collidedSound);
  rebuild(object);
  if (d.existTime > 0) {
    object.expires = true;
    object.expiry = platform::TickCount() + static_cast<std::uint32_t>(d.existTime);
  }
}

std::int32_t CartoonBox::createObject(const ObjectTemplate* from, double x, double y, bool visible,
                                      std::string_view name) {
  auto object = std::make_unique<BoxObject>();
  object->id = Boxes().issueId();
  object->serial = Boxes().issueSerial();
  object->visible = visible;
  object->x = x;
  object->y = y;
  if (from != nullptr) applyTemplate(*object, *from);
  object->name = name;
  object->clearRotation();
  const std::int32_t id = object->id;
  const BoxRect rect = object->paintRect();
  insertByLayer(std::move(object));
  invalidate(rect);
  if (from != nullptr && !from->data.createSound.empty()) host_.PlaySound(from->data.createSound);
  reschedule();
  return id;
}

void CartoonBox::removeObject(BoxObject& object) {
  invalidate(object.paintRect());
  if (object.destroySound != nullptr) host_.PlaySound(*object.destroySound);
  releasePictures(object);
  cache_.Release(object.source);
  cache_.Release(object.font);
  cache_.Release(object.destroySound);
  cache_.Release(object.collidedSound);
  const std::uint64_t serial = object.serial;
  std::erase_if(objects_, [serial](const auto& o) { return o->serial == serial; });
}

BoxStatus CartoonBox::destroyObject(BoxObject& object) {
  const std::uint64_t serial = object.serial;
  // A destroy from inside this object's own event 10 takes effect at once,
  // without raising the event again.
  if (std::find(dying_.begin(), dying_.end(), serial) != dying_.end()) {
    removeObject(object);
    reschedule();
    return BoxStatus::Done;
  }
  dying_.push_back(serial);
  const Raised raised = raise(kEventWillDestroy, {object.id});
  if (!raised.boxAlive) return BoxStatus::BoxGone;
  std::erase(dying_, serial);
  BoxObject* still = findSerial(serial);
  if (still == nullptr) return BoxStatus::ObjectGone;
  removeObject(*still);
  reschedule();
  return BoxStatus::Done;
}

BoxStatus CartoonBox::destroy(std::int32_t id) {
  BoxObject* object = findMutable(id);
  if (object == nullptr) return BoxStatus::Done;
  return destroyObject(*object);
}

// [settings] -------------------------------------------------------------------

void CartoonBox::setVisible(std::int32_t id, bool visible) {
  BoxObject* object = findMutable(id);
  if (object == nullptr || object->visible == visible) return;
  object->visible = visible;
  // Shown again, a picture that was let go is decoded and rendered anew,
  // the same as it was.
  if (visible && object->rendered == nullptr && object->hasPicture()) rebuild(*object);
  letPixelsGo(*object);
  invalidate(object->paintRect());
  reschedule();
}

void CartoonBox::setPicture(std::int32_t id, std::span<const std::uint8_t> bytes, std::int32_t colour) {
  BoxObject* object = findMutable(id);
  if (object == nullptr) return;
  invalidate(object->paintRect());
  releasePictures(*object);
  releaseSource(*object);
  object->origin = {};
  object->currentFrame = 0;
  object->frameStarted = false;
  object->frameStart = 0;
  object->playAnimation = false;
  object->playsLeft = 0;
  object->cyclePause = 0;
  object->destroyAfterPlays = false;
  const bool autoKey = colour == kPictureAutoKey;
  const std::uint32_t key = colour == kPictureNoKey || autoKey ? kNoKey : static_cast<std::uint32_t>(colour);
  PackedPicture packed(bytes, key, autoKey);
  object->source = decodeSource(packed);
  if (object->source != nullptr) {
    object->origin = std::move(packed);
    rebuild(*object);
    invalidate(object->paintRect());
  }
  reschedule();
}

// Every source decoded from bytes is let go first and only then decoded
// again: objects showing the same bytes share one decoded picture, which
// must not be found again at the old scale.
void CartoonBox::setPictureScale(int percent) {
  if (percent == pictureScale_ || percent < kMinDisplayPercent || percent > kMaxDisplayPercent) return;
  pictureScale_ = percent;
  for (const auto& object : objects_) {
    if (object->origin.empty()) continue;
    releasePictures(*object);
    releaseSource(*object);
  }
  for (const auto& object : objects_) {
    if (!object->origin.empty()) rebuild(*object);
  }
  surfaceValid_ = false;
  invalidate({0, 0, width_, height_});
  reschedule();
}

BoxStatus CartoonBox::setAngle(std::int32_t id, std::int32_t angle) {
  BoxObject* object = findMutable(id);
  if (object == nullptr) return BoxStatus::Done;
  const std::int32_t normal = static_cast<std::int32_t>((angle % 360 + 360) % 360);
  if (normal == object->angle) return BoxStatus::Done;
  object->angle = normal;
  if (!object->rotateWithAngle || !object->hasPicture()) return BoxStatus::Done;
  const int oldWidth = object->shape.width;
  const int oldHeight = object->shape.height;
  invalidate(object->paintRect());
  rebuild(*object);
  const BoxStatus moved = recentre(*object, oldWidth, oldHeight);
  if (moved != BoxStatus::Done) return moved;
  invalidate(object->paintRect());
  reschedule();
  return BoxStatus::Done;
}

void CartoonBox::setRotateWithAngle(std::int32_t id, bool on) {
  BoxObject* object = findMutable(id);
  if (object == nullptr || object->rotateWithAngle == on) return;
  object->rotateWithAngle = on;
  if (object->angle == 0) return;
  invalidate(object->paintRect());
  rebuild(*object);
  invalidate(object->paintRect());
  reschedule();
}

void CartoonBox::startRotation(std::int32_t id, std::int32_t step, std::int32_t interval, std::int32_t degrees,
                               std::int32_t duration) {
  BoxObject* object = findMutable(id);
  if (object == nullptr || !object->hasPicture()) return;
  const std::uint32_t now = platform::TickCount();
  object->rotationInterval = interval;
  object->rotationStep = step;
  object->degreesLeft = degrees;
  object->rotating = true;
  object->lastRotation = now;
  object->rotationEnds = duration > 0;
  object->rotationEnd = duration > 0 ? now + static_cast<std::uint32_t>(duration) : 0;
  setRotateWithAngle(id, true);
  reschedule();
}

BoxStatus CartoonBox::stopRotation(BoxObject& object) {
  if (!object.rotating) return BoxStatus::Done;
  object.clearRotation();
  const std::uint64_t serial = object.serial;
  const BoxStatus status = afterEvent(raise(kEventRotationStopped, {object.id}), serial);
  if (status != BoxStatus::BoxGone) reschedule();
  return status;
}

// [moving] ---------------------------------------------------------------------

BoxStatus CartoonBox::move(BoxObject& object, double x, double y) {
  const int newX = TruncatedPosition(x);
  const int newY = TruncatedPosition(y);
  if (newX == TruncatedPosition(object.x) && newY == TruncatedPosition(object.y)) {
    object.x = x;
    object.y = y;
    return BoxStatus::Done;
  }
  const std::uint64_t serial = object.serial;
  const std::int32_t id = object.id;
  const Raised asked = raise(kEventWillMove, {id, newX, newY});
  const BoxStatus status = afterEvent(asked, serial);
  if (status != BoxStatus::Done) return status;
  if (asked.result && *asked.result == 0) return BoxStatus::Done;  // vetoed
  BoxObject& still = *findSerial(serial);
  invalidate(still.paintRect());
  still.x = x;
  still.y = y;
  invalidate(still.paintRect());
  return afterEvent(raise(kEventMoved, {id, newX, newY}), serial);
}

// Keeps the centre where it was after the picture changed size: the halves
// are whole-number divisions, as the old picture's centre was noted.
BoxStatus CartoonBox::recentre(BoxObject& object, int oldWidth, int oldHeight) {
  if (!object.hasPicture()) return BoxStatus::Done;
  const double x = object.x + oldWidth / 2 - object.shape.width / 2;
  const double y = object.y + oldHeight / 2 - object.shape.height / 2;
  return move(object, x, y);
}

}  // namespace horavia::anim
