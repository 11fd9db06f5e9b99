// The PNG writer of the tools that write pictures: the skin tool's preview
// and the picture tool's frames.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace horavia::tools {

// RGBA PNG bytes of width × height pixels 0xAARRGGBB, top row first, A the
// opacity. Empty when the size does not match the pixels or libpng fails.
std::string EncodeRgbaPng(int width, int height, std::span<const std::uint32_t> pixels);

}  // namespace horavia::tools
