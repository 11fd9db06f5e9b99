// Every size, count and pace the control interface holds to. Whatever
// listens on the socket is bounded by these, and nothing else sets a bound.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/prizes/record.h"

namespace horavia::live::limits {

// A request's head (request line and header lines) and its body.
inline constexpr std::size_t kHeadBytes = 16 * 1024;
inline constexpr std::size_t kBodyBytes = 16 * 1024;
// Bytes a connection may send towards one request before it is answered
// 413 and closed without the HTTP library buffering more: head and body,
// plus room for the line breaks and spaces of a head the library has
// already taken apart (the exact limits above are checked on the parsed
// request).
inline constexpr std::size_t kUnansweredBytes = kHeadBytes + kBodyBytes + 1024;

// Open connections at once, HTTP and events sockets together; one more is
// closed as soon as it is accepted.
inline constexpr int kConnections = 32;
// A connection that sends nothing for this long is closed.
inline constexpr std::uint32_t kIdleMs = 30000;
// Events sockets are pinged this often, so that a client that only listens
// answers (with a pong) and stays open.
inline constexpr std::uint32_t kPingMs = kIdleMs / 2;

// One message (and one frame) a client sends over the events socket.
inline constexpr std::size_t kSocketMessageBytes = 16 * 1024;
// Frames not yet written to a slow overlay client; beyond this, frames skip
// that client until it catches up.
inline constexpr std::size_t kUnsentFrameBytes = 1024 * 1024;

// Overlay frames: at most 30 a second while anything but the clock moves,
// at most one a second while only the clock ticks.
inline constexpr std::uint32_t kMotionFrameMs = 34;
inline constexpr std::uint32_t kClockFrameMs = 1000;

// Arguments.
inline constexpr int kHistoryMax = 500;
inline constexpr int kHistoryDefault = 50;
// What started a spin goes into the record as the record keeps it.
inline constexpr std::size_t kSourceBytes = app::prizes::kLongestSource;
inline constexpr std::size_t kSkinNameBytes = 255;
inline constexpr std::size_t kRequestIdBytes = 64;

}  // namespace horavia::live::limits
