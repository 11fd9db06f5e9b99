// RGBA PNG bytes of a 32-bit picture, for the preview.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace horavia::tools::skin {

// Pixels 0xAARRGGBB, top row first, A the opacity. Empty when libpng fails
// or the size does not match the pixels.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace horavia::tools::skin
