// What all animation boxes of the process share: the object ids and the
// time of the last forced repaint. One record, reached through Boxes().
#pragma once

#include <cstdint>
#include <vector>

namespace horavia::anim {

class CartoonBox;

class BoxRegistry {
 public:
  // Forced repaints of pending areas happen at most this often, across all
  // boxes together.
  static constexpr std::uint32_t kForcedUpdateMs = 100;

  void add(CartoonBox* box);
  // The box is going. When no box holds an object any more, ids start again
  // at 1: only then can no live object still carry an old id.
  void remove(CartoonBox* box);

  // A new object id, never one a live object of any box carries.
  std::int32_t issueId();
  // A number no object of the process has had before.
  std::uint64_t issueSerial() { return ++serial_; }
  std::int32_t nextId() const { return nextId_; }

  // Forced repaints: whether one may happen at `now`, the tick from which
  // the next may, and marking one done.
  bool forcedUpdateAllowed(std::uint32_t now) const;
  std::uint32_t nextForcedUpdate() const { return lastForcedUpdate_ + kForcedUpdateMs + 1; }
  void markForcedUpdate(std::uint32_t now) {
    lastForcedUpdate_ = now;
    forcedOnce_ = true;
  }

 private:
  bool idInUse(std::int32_t id) const;

  std::vector<CartoonBox*> boxes_;
  std::int32_t nextId_ = 1;
  std::uint64_t serial_ = 0;
  std::uint32_t lastForcedUpdate_ = 0;
  bool forcedOnce_ = false;
};

BoxRegistry& Boxes();

}  // namespace horavia::anim
