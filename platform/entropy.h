// Seeds from the operating system's entropy, for what must not repeat from
// one program start to the next (the prize wheel's draw). Tests replace the
// source to make a run reproducible.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace horavia::platform {

using EntropySeed = std::array<std::uint32_t, 8>;

// 256 bits from getrandom (or, where that fails, std::random_device).
EntropySeed ReadEntropySeed();

// Replaces the source (tests); an empty function restores the system's.
void SetEntropySource(std::function<EntropySeed()> source);

}  // namespace horavia::platform
