// Bytes from the operating system's entropy source: secrets (the control
// interface's token) and seeds for what must not repeat from one program
// start to the next (the prize wheel's draw). Tests may replace the seed's
// source to make a run reproducible; secrets always come from the system,
// since a secret made from a test's numbers would not be one.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace horavia::platform {

// Fills `out` completely from the system; false when the system could not
// (then `out` holds nothing to rely on).
bool FillFromSystemEntropy(std::span<std::uint8_t> out);

using EntropySeed = std::array<std::uint32_t, 8>;

// 256 bits from the seed source: the system's (or, where that fails,
// std::random_device), unless a test replaced it.
EntropySeed ReadEntropySeed();

// Replaces the seed source (tests); an empty function restores the system's.
void SetEntropySource(std::function<EntropySeed()> source);

}  // namespace horavia::platform
