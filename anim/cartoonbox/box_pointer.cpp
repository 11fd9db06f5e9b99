// Pointer input: which object is under the pointer, and the events for
// presses, releases, double clicks, moves, entering and leaving objects.
#include "anim/cartoonbox/cartoon_box.h"

namespace horavia::anim {

namespace {

std::int32_t OrZero(std::int32_t hit) { return hit > 0 ? hit : 0; }

// Whether the object's picture is hit at (x, y): by its pixels, or by the
// hit mask of a hidden object that let its pixels go.
bool Hits(const BoxObject& object, int x, int y) {
  const BoxRect kept = object.keptRect();
  if (object.rendered != nullptr) return HitTest(*object.rendered, kept.left, kept.top, object.currentFrame, x, y);
  const std::int64_t column = std::int64_t{x} - kept.left;
  const std::int64_t row = std::int64_t{y} - kept.top;
  if (column < 0 || row < 0 || column >= kept.width || row >= kept.height) return false;
  const auto at = static_cast<std::size_t>(row * kept.width + column);
  const RenderedShape& shape = object.shape;
  return at < shape.hits.size() && shape.hits[at];
}

}  // namespace

std::int32_t CartoonBox::hitTest(int x, int y) const {
  for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
    const BoxObject& object = **it;
    if (object.hasPicture() && Hits(object, x, y)) return object.id;
  }
  return -1;
}

bool CartoonBox::leftDown(int x, int y) {
  const std::int32_t hit = hitTest(x, y);
  pressed_ = hit;
  return raise(kEventLeftDown, {OrZero(hit)}).boxAlive;
}

bool CartoonBox::leftUp(int x, int y) {
  const std::int32_t hit = hitTest(x, y);
  if (pressed_ > 0 && find(pressed_) == nullptr) pressed_ = -1;
  if (!raise(kEventLeftUp, {OrZero(hit), pressed_}).boxAlive) return false;
  pressed_ = 0;
  return true;
}

bool CartoonBox::rightDown(int x, int y) { return raise(kEventRightDown, {OrZero(hitTest(x, y))}).boxAlive; }
bool CartoonBox::rightUp(int x, int y) { return raise(kEventRightUp, {OrZero(hitTest(x, y))}).boxAlive; }
bool CartoonBox::doubleClick(int x, int y) { return raise(kEventDoubleClick, {OrZero(hitTest(x, y))}).boxAlive; }

bool CartoonBox::pointerMoved(int x, int y, bool leftButtonDown) {
  if (!leftButtonDown) {
    pressed_ = 0;
  } else if (pressed_ > 0 && find(pressed_) == nullptr) {
    pressed_ = -1;
  }
  if (hovered_ > 0 && find(hovered_) == nullptr) hovered_ = 0;
  const std::int32_t hit = hitTest(x, y);
  if (hovered_ > 0 && hit != hovered_) {
    const std::int32_t left = hovered_;
    hovered_ = 0;
    if (!raise(kEventLeave, {left, pressed_}).boxAlive) return false;
  }
  if (hit > 0 && hit != hovered_) {
    hovered_ = hit;
    if (!raise(kEventEnter, {hit, pressed_}).boxAlive) return false;
  }
  return raise(kEventPointerMoved, {x, y, pressed_}).boxAlive;
}

// The pointer went to another window: the hovered object is left.
bool CartoonBox::pointerLeft() {
  if (hovered_ <= 0) return true;
  const std::int32_t left = hovered_;
  hovered_ = 0;
  return raise(kEventLeave, {left, pressed_}).boxAlive;
}

}  // namespace horavia::anim
