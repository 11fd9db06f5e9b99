// The animation box's events, by the numbers handlers bind to. All 18 keep
// their slots, so that bindings by index stay valid; the ones this library
// never raises (collisions, borders, movement, watched keys) are listed with
// their argument counts all the same.
#pragma once

#include <array>
#include <cstdint>

namespace horavia::anim {

enum BoxEvent : std::int32_t {
  kEventLeftDown = 0,         // object id (0: none)
  kEventRightDown = 1,        // object id
  kEventLeftUp = 2,           // object id, pressed object
  kEventRightUp = 3,          // object id
  kEventDoubleClick = 4,      // object id
  kEventEnter = 5,            // object id, pressed object
  kEventLeave = 6,            // object id, pressed object
  kEventPointerMoved = 7,     // x, y, pressed object
  kEventWillMove = 8,         // object id, x, y; a false result keeps the object in place
  kEventMoved = 9,            // object id, x, y
  kEventWillDestroy = 10,     // object id
  kEventCollided = 11,        // not raised here
  kEventHitBorder = 12,       // not raised here
  kEventLeftBox = 13,         // not raised here
  kEventAdvanceStopped = 14,  // not raised here
  kEventRotationStopped = 15, // object id
  kEventAnimationDone = 16,   // object id
  kEventWatchedKey = 17,      // not raised here
};

struct BoxEventInfo {
  std::int32_t number;
  std::int32_t argumentCount;
  bool hasResult;
};

inline constexpr std::array<BoxEventInfo, 18> kBoxEvents = {{
    {kEventLeftDown, 1, false},
    {kEventRightDown, 1, false},
    {kEventLeftUp, 2, false},
    {kEventRightUp, 1, false},
    {kEventDoubleClick, 1, false},
    {kEventEnter, 2, false},
    {kEventLeave, 2, false},
    {kEventPointerMoved, 3, false},
    {kEventWillMove, 3, true},
    {kEventMoved, 3, false},
    {kEventWillDestroy, 1, false},
    {kEventCollided, 4, false},
    {kEventHitBorder, 4, true},
    {kEventLeftBox, 1, true},
    {kEventAdvanceStopped, 1, false},
    {kEventRotationStopped, 1, false},
    {kEventAnimationDone, 1, false},
    {kEventWatchedKey, 2, false},
}};

}  // namespace horavia::anim
