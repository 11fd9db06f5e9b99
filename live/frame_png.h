// A frame as PNG bytes with its alpha channel, for the overlay and for
// GET /api/v1/frame.png.
#pragma once

#include <string>

#include "live/control_port.h"

namespace horavia::live {

// Empty when the frame has no pixels (or fewer than its size says).
std::string EncodeFramePng(const Frame& frame);

}  // namespace horavia::live
