// What the animation box asks of whatever shows it: a window in the program,
// a recording fake in tests and the fuzz target. The box's own logic never
// sees a toolkit.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "anim/cartoonbox/box_events.h"

namespace horavia::anim {

// A rectangle in the box's client pixels: [left, left + width) ×
// [top, top + height).
struct BoxRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
  std::int64_t right() const { return std::int64_t{left} + width; }
  std::int64_t bottom() const { return std::int64_t{top} + height; }
  bool intersects(const BoxRect& o) const {
    return !empty() && !o.empty() && left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
  }
  // The common part; empty when they do not meet.
  BoxRect intersected(const BoxRect& o) const {
    if (!intersects(o)) return {};
    const int l = std::max(left, o.left);
    const int t = std::max(top, o.top);
    return {l, t, static_cast<int>(std::min(right(), o.right()) - l), static_cast<int>(std::min(bottom(), o.bottom()) - t)};
  }
  friend bool operator==(const BoxRect&, const BoxRect&) = default;
};

class BoxHost {
 public:
  virtual ~BoxHost() = default;

  // Raises a box event with its int32 arguments. Answers the value the
  // handler returned, if it returned one. The handler may destroy objects,
  // or the box and this host with it: the box checks before it goes on.
  virtual std::optional<std::int32_t> RaiseEvent(BoxEvent event, std::span<const std::int32_t> args) = 0;
  // Marks part of the client area for repainting (never paints directly).
  virtual void Invalidate(const BoxRect& rect) = 0;
  // Paints what is marked, at once.
  virtual void UpdateNow() = 0;
  // Plays WAVE bytes without waiting.
  virtual void PlaySound(std::span<const std::uint8_t> wave) = 0;
  // Tells the user, in one line, what the box left out to stay within its
  // bounds (the later frames of a picture too large to keep whole). Hosts
  // with nowhere to say it ignore it.
  virtual void Warn(std::string_view line) { (void)line; }
};

}  // namespace horavia::anim
