// When the overlay gets its next frame. Repaints come as often as the
// animation box draws (every few milliseconds during a spin); frames follow
// them coalesced: at most one per kMotionFrameMs while anything but the
// clock moves, at most one per kClockFrameMs while only the clock ticks.
// Pure: it reads no clock, the caller passes the ticks.
#pragma once

#include <cstdint>
#include <optional>

#include "live/control_port.h"

namespace horavia::live {

class FramePacer {
 public:
  // A repaint at `now`; answers the tick at which the frame that shows it
  // should go out (`now` or later).
  std::uint32_t repainted(Repaint what, std::uint32_t now);
  // Whether a repaint waits for its frame.
  bool pending() const { return pending_.has_value(); }
  // A frame went out at `now`: every repaint so far is shown.
  void sent(std::uint32_t now);

 private:
  std::optional<std::uint32_t> lastSent_;
  std::optional<Repaint> pending_;  // Motion once any waiting repaint was motion
};

}  // namespace horavia::live
