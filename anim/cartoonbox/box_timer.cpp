// The timer step. The box used to look at every object every 5 ms; now it
// sleeps until the earliest moment something is due (a frame, a rotation
// step or end, an expiry, a forced repaint) and does at that moment what
// the 5 ms pass would have done.
#include <algorithm>
#include <cstdlib>

#include "anim/cartoonbox/box_registry.h"
#include "anim/cartoonbox/cartoon_box.h"
#include "platform/ticks.h"

namespace horavia::anim {

namespace {

// Intervals longer than this are cut to it, so that every due tick stays
// within the half of the tick range in which wrapping comparisons hold.
constexpr std::int64_t kLongestStepMs = std::int64_t{1} << 30;

std::uint32_t StepInterval(std::int64_t ms) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ms, CartoonBox::kShortestStepMs, kLongestStepMs));
}

// How long the current frame shows: its delay, plus the pause between
// cycles on the first frame.
std::uint32_t FrameTime(const BoxObject& object) {
  const int index = object.currentFrame < object.rendered->frameCount() ? std::max(object.currentFrame, 0) : 0;
  const ImageFrame& frame = object.rendered->frames[static_cast<std::size_t>(index)];
  return StepInterval(std::int64_t{frame.delay} + (index == 0 ? object.cyclePause : 0));
}

bool Animates(const BoxObject& object) {
  return object.shows() && object.playAnimation && object.rendered->frameCount() > 1;
}

}  // namespace

void CartoonBox::step() {
  ++wakeUps_;
  for (std::size_t i = 0; i < objects_.size();) {
    const Next next = visit(*objects_[i]);
    if (next == Next::Stop) return;  // the box is gone
    if (next == Next::Following) ++i;
  }
  forceUpdate();
  reschedule();
}

// One object's turn; after a destruction the same index holds the next one.
CartoonBox::Next CartoonBox::visit(BoxObject& object) {
  const std::uint32_t now = platform::TickCount();
  if (object.expires && platform::TickReached(now, object.expiry)) {
    return destroyObject(object) == BoxStatus::BoxGone ? Next::Stop : Next::SameIndex;
  }
  if (!object.shows()) return Next::Following;
  if (Animates(object)) {
    const Next next = animate(object, now);
    if (next != Next::Following) return next;
  }
  return turn(object, now);
}

CartoonBox::Next CartoonBox::animate(BoxObject& object, std::uint32_t now) {
  if (!object.frameStarted) {
    object.frameStarted = true;
    object.frameStart = now;
  }
  const int frames = object.rendered->frameCount();
  if (object.currentFrame < 0 || object.currentFrame >= frames) object.currentFrame = 0;
  if (!platform::TickReached(now, object.frameStart + FrameTime(object))) return Next::Following;
  if (++object.currentFrame == frames) {
    object.currentFrame = 0;
    if (object.playsLeft > 0 && --object.playsLeft == 0) {
      object.playAnimation = false;
      const std::uint64_t serial = object.serial;  // read before the handler may free the object
      const BoxStatus done = afterEvent(raise(kEventAnimationDone, {object.id}), serial);
      if (done == BoxStatus::BoxGone) return Next::Stop;
      if (done == BoxStatus::ObjectGone) return Next::SameIndex;
      if (object.destroyAfterPlays) {
        // The object being visited, not whatever carries its id.
        return destroyObject(object) == BoxStatus::BoxGone ? Next::Stop : Next::SameIndex;
      }
    }
  }
  object.frameStart = now;
  invalidate(object.paintRect());
  return Next::Following;
}

CartoonBox::Next CartoonBox::turn(BoxObject& object, std::uint32_t now) {
  if (!object.rotating) return Next::Following;
  // The end counts whatever the step: a rotation of step 0 still ends when
  // its time is up and says so with event 15.
  if (object.rotationEnds && platform::TickReached(now, object.rotationEnd)) {
    const BoxStatus stopped = stopRotation(object);
    if (stopped == BoxStatus::BoxGone) return Next::Stop;
    return stopped == BoxStatus::ObjectGone ? Next::SameIndex : Next::Following;
  }
  if (object.rotationStep == 0 || !object.rotateWithAngle || !object.shows()) return Next::Following;
  if (!platform::TickReached(now, object.lastRotation + StepInterval(object.rotationInterval))) return Next::Following;

  const int oldWidth = object.shape.width;
  const int oldHeight = object.shape.height;
  object.angle = static_cast<std::int32_t>(((std::int64_t{object.angle} + object.rotationStep) % 360 + 360) % 360);
  invalidate(object.paintRect());
  rebuild(object);
  const BoxStatus moved = recentre(object, oldWidth, oldHeight);
  if (moved == BoxStatus::BoxGone) return Next::Stop;
  if (moved == BoxStatus::ObjectGone) return Next::SameIndex;
  invalidate(object.paintRect());
  object.lastRotation = now;
  if (object.degreesLeft <= 0) return Next::Following;
  const std::int64_t left = std::int64_t{object.degreesLeft} - std::abs(std::int64_t{object.rotationStep});
  object.degreesLeft = static_cast<std::int32_t>(std::max<std::int64_t>(left, 0));
  if (left > 0) return Next::Following;
  const BoxStatus stopped = stopRotation(object);
  if (stopped == BoxStatus::BoxGone) return Next::Stop;
  return stopped == BoxStatus::ObjectGone ? Next::SameIndex : Next::Following;
}

void CartoonBox::forceUpdate() {
  if (!paintPending_) return;
  const std::uint32_t now = platform::TickCount();
  if (!Boxes().forcedUpdateAllowed(now)) return;
  Boxes().markForcedUpdate(now);
  paintPending_ = false;
  host_.UpdateNow();
}

std::optional<std::uint32_t> CartoonBox::nextWake() const {
  const std::uint32_t now = platform::TickCount();
  std::optional<std::uint32_t> earliest;
  auto consider = [&](std::uint32_t due) {
    if (!earliest || platform::TicksUntil(now, due) < platform::TicksUntil(now, *earliest)) earliest = due;
  };
  for (const auto& owned : objects_) {
    const BoxObject& object = *owned;
    if (object.expires) consider(object.expiry);
    if (!object.shows()) continue;
    if (Animates(object)) consider(object.frameStarted ? object.frameStart + FrameTime(object) : now);
    if (!object.rotating) continue;
    if (object.rotationEnds) consider(object.rotationEnd);
    if (object.rotationStep != 0 && object.rotateWithAngle) {
      consider(object.lastRotation + StepInterval(object.rotationInterval));
    }
  }
  if (paintPending_) consider(Boxes().forcedUpdateAllowed(now) ? now : Boxes().nextForcedUpdate());
  return earliest;
}

void CartoonBox::reschedule() {
  if (std::optional<std::uint32_t> due = nextWake()) {
    wake_.startAt(*due);
    return;
  }
  wake_.stop();
}

void CartoonBox::painted() {
  paintPending_ = false;
  reschedule();
}

}  // namespace horavia::anim
