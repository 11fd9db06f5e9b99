#include "live/frame_pacer.h"

#include "live/limits.h"
#include "platform/ticks.h"

namespace horavia::live {

std::uint32_t FramePacer::repainted(Repaint what, std::uint32_t now) {
  if (!pending_ || what == Repaint::Motion) pending_ = what;
  if (!lastSent_) return now;
  const std::uint32_t gap = *pending_ == Repaint::Motion ? limits::kMotionFrameMs : limits::kClockFrameMs;
  const std::uint32_t due = *lastSent_ + gap;
  return platform::TickReached(now, due) ? now : due;
}

void FramePacer::sent(std::uint32_t now) {
  lastSent_ = now;
  pending_.reset();
}

}  // namespace horavia::live
