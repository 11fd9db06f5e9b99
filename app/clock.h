// The clock: the hands' angles for a time of day.
#pragma once

#include <cstdint>

namespace horavia::app {

struct HandAngles {
  std::int32_t hour = 0;    // not reduced to the dial: 360-719 from noon on
  std::int32_t minute = 0;
  std::int32_t second = 0;
};

// Whole degrees clockwise from 12, truncated toward zero: the hour hand
// moves half a degree a minute, so one degree every two minutes.
constexpr HandAngles AnglesAt(std::int32_t h, std::int32_t m, std::int32_t s) {
  return {static_cast<std::int32_t>(h * 30.0 + m * 0.5), static_cast<std::int32_t>(m * 6.0),
          static_cast<std::int32_t>(s * 6.0)};
}

}  // namespace horavia::app
