// The control token: 32 hexadecimal characters (128 bits) from the
// operating system's entropy, made once when the streamer turns the
// interface on, and the rule a stored one must follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace horavia::app {

inline constexpr std::size_t kTokenLength = 32;

// Nothing when the system gave no entropy.
std::optional<std::string> NewControlToken();
// 32 characters 0-9, a-f (either case).
bool IsWellFormedToken(std::string_view token);

}  // namespace horavia::app
