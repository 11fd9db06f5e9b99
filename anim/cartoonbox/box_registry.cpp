#include "anim/cartoonbox/box_registry.h"

#include <algorithm>
#include <limits>

#include "anim/cartoonbox/cartoon_box.h"

namespace horavia::anim {

BoxRegistry& Boxes() {
  static BoxRegistry registry;
  return registry;
}

void BoxRegistry::add(CartoonBox* box) { boxes_.push_back(box); }

void BoxRegistry::remove(CartoonBox* box) {
  std::erase(boxes_, box);
  const bool anyObject = std::any_of(boxes_.begin(), boxes_.end(), [](const CartoonBox* b) { return b->objectCount() > 0; });
  if (!anyObject) nextId_ = 1;
}

bool BoxRegistry::idInUse(std::int32_t id) const {
  return std::any_of(boxes_.begin(), boxes_.end(), [id](const CartoonBox* b) { return b->find(id) != nullptr; });
}

std::int32_t BoxRegistry::issueId() {
  // Past the largest id the counter starts over, stepping over ids in use.
  for (;;) {
    const std::int32_t id = nextId_;
    nextId_ = id == std::numeric_limits<std::int32_t>::max() ? 1 : id + 1;
    if (!idInUse(id)) return id;
  }
}

bool BoxRegistry::forcedUpdateAllowed(std::uint32_t now) const {
  return !forcedOnce_ || now - lastForcedUpdate_ > kForcedUpdateMs;
}

}  // namespace horavia::anim
