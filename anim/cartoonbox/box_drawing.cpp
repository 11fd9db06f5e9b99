// The background surface and composing the client area from memory pixels.
#include <algorithm>

#include "anim/cartoonbox/cartoon_box.h"

namespace horavia::anim {

void CartoonBox::setBackground(std::span<const std::uint8_t> picture, int mode, std::uint32_t colour) {
  backgroundBytes_.assign(picture.begin(), picture.end());
  backgroundMode_ = mode;
  backgroundColour_ = colour;
  surfaceValid_ = false;
  invalidate({0, 0, width_, height_});
  reschedule();
}

void CartoonBox::resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  surfaceValid_ = false;
}

const Bitmap& CartoonBox::surface() {
  if (!surfaceValid_ || surface_.width != width_ || surface_.height != height_) {
    std::optional<BackgroundPicture> background = DecodeBackground(backgroundBytes_);
    if (background && pictureScale_ != 100) ScaleBackground(*background, pictureScale_);
    surface_ = BuildBackground(background ? &*background : nullptr, backgroundMode_, backgroundColour_, width_, height_);
    surfaceValid_ = true;
  }
  return surface_;
}

void CartoonBox::compose(BoxRect area, PixelView out, std::uint32_t fourth) {
  if (area.empty() || out.pixels == nullptr || out.width != area.width || out.height != area.height) return;
  const std::size_t count = static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height);
  const Bitmap& background = surface();
  const BoxRect inside = area.intersected({0, 0, background.width, background.height});
  if (inside != area) std::fill(out.pixels, out.pixels + count, 0u);
  if (!inside.empty()) {
    CopyRect(out, {background.pixels.data(), background.width, background.height},
             {inside.left - area.left, inside.top - area.top, inside.left, inside.top, inside.width, inside.height});
  }
  for (const auto& owned : objects_) {
    const BoxObject& object = *owned;
    if (!object.shows()) continue;
    if (!object.paintRect().intersects(area)) continue;
    const BoxRect rect = object.keptRect();
    const std::size_t index = object.currentFrame < object.rendered->frameCount() ? std::max(object.currentFrame, 0) : 0;
    const ImageFrame& frame = object.rendered->frames[index];
    // The rectangles meet, so both offsets lie within a picture's size of 0.
    BlendFrame(out, {frame.pixels.data(), rect.width, rect.height},
               {static_cast<int>(std::int64_t{rect.left} - area.left), static_cast<int>(std::int64_t{rect.top} - area.top),
                0, 0, rect.width, rect.height},
               object.transparency, frame.keyColour);
  }
  fourth &= 0xFF000000;
  for (std::size_t i = 0; i < count; ++i) out.pixels[i] = (out.pixels[i] & 0x00FFFFFF) | fourth;
}

}  // namespace horavia::anim
