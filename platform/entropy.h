// Bytes from the operating system's entropy source, for secrets such as the
// control interface's token. Not a seam tests replace: a secret made from a
// test's numbers would not be one.
#pragma once

#include <cstdint>
#include <span>

namespace horavia::platform {

// Fills `out` completely; false when the system could not (then `out` holds
// nothing to rely on).
bool FillFromSystemEntropy(std::span<std::uint8_t> out);

}  // namespace horavia::platform
