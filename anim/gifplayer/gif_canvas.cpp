#include "anim/gifplayer/gif_canvas.h"

#include <algorithm>

#include "anim/picture/pixel_size.h"

namespace horavia::anim {
namespace {

// Disposal values as the reader keeps them (the packed byte's bits 2-4 in
// place): 8 is method 2, 12 method 3. This player restores both to what the
// area held before the image.
constexpr bool RestoresArea(std::uint8_t disposal) { return disposal == 8 || disposal == 12; }

// The part of an image's rectangle that lies on a canvas of width × height.
struct Clip {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
};
Clip ClipTo(int left, int top, int width, int height, int canvasWidth, int canvasHeight) {
  return {std::max(left, 0), std::max(top, 0), std::min(left + width, canvasWidth),
          std::min(top + height, canvasHeight)};
}

}  // namespace

bool GifCanvas::open(std::span<const std::uint8_t> bytes, std::uint32_t background) {
  *this = GifCanvas{};
  background_ = background & 0x00FFFFFFu;
  if (!reader_.Open(bytes)) return false;
  std::optional<GifImage> first = reader_.NextImage(GifReader::AtTrailer::Stop);
  if (!first) return false;
  // A logical screen of no size takes the first image's extent instead.
  width_ = reader_.screenWidth() > 0 ? reader_.screenWidth() : first->left + first->width;
  height_ = reader_.screenHeight() > 0 ? reader_.screenHeight() : first->top + first->height;
  if (!CheckedPixelCount(width_, height_)) return false;
  opened_ = true;
  // Nothing but the trailer (or nothing at all) after the first image: a
  // still picture, composed once and never animated.
  single_ = reader_.position() + 1 >= reader_.dataSize();
  if (!single_) {
    reader_.Rewind();
    return true;
  }
  ensureCanvas();
  delayMs_ = static_cast<std::uint32_t>(GifDelayMs(reader_.delayHundredths()));
  draw(*first);
  return true;
}

void GifCanvas::rewind() {
  reader_.Rewind();
  pendingRestore_.reset();
}

bool GifCanvas::composeNext() {
  if (!opened_) return false;
  ensureCanvas();
  if (pendingRestore_) {
    restore(*pendingRestore_);
    pendingRestore_.reset();
  }
  std::optional<GifImage> image = nextImage();
  if (!image) return false;
  delayMs_ = static_cast<std::uint32_t>(GifDelayMs(reader_.delayHundredths()));
  if (RestoresArea(reader_.disposal())) pendingRestore_ = save(*image);
  draw(*image);
  return true;
}

// The reader starts over at the trailer by itself; data that ends without
// one, or breaks off inside an image, starts over here, once per call.
std::optional<GifImage> GifCanvas::nextImage() {
  if (std::optional<GifImage> image = reader_.NextImage(GifReader::AtTrailer::Rewind)) return image;
  reader_.Rewind();
  return reader_.NextImage(GifReader::AtTrailer::Rewind);
}

void GifCanvas::ensureCanvas() {
  if (!canvas_.empty()) return;
  canvas_.width = width_;
  canvas_.height = height_;
  canvas_.pixels.assign(*CheckedPixelCount(width_, height_), background_);
}

void GifCanvas::draw(const GifImage& image) {
  const Clip clip = ClipTo(image.left, image.top, image.width, image.height, canvas_.width, canvas_.height);
  if (clip.empty() || image.indices.size() != static_cast<std::size_t>(image.width) * image.height) return;
  // Transparency goes by colour value: every entry of the transparent
  // entry's colour is transparent.
  const bool keyed = reader_.transparentFlag();
  const std::uint32_t key = PixelFromColour(reader_.transparentColour());
  for (int y = clip.top; y < clip.bottom; ++y) {
    const std::uint8_t* row = image.indices.data() + static_cast<std::size_t>(y - image.top) * image.width;
    for (int x = clip.left; x < clip.right; ++x) {
      const std::uint32_t pixel = image.palette[row[x - image.left]] & 0x00FFFFFFu;
      if (keyed && pixel == key) continue;
      canvas_.at(x, y) = pixel;
    }
  }
}

GifCanvas::SavedArea GifCanvas::save(const GifImage& image) const {
  const Clip clip = ClipTo(image.left, image.top, image.width, image.height, canvas_.width, canvas_.height);
  SavedArea area;
  if (clip.empty()) return area;
  area = {clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, {}};
  area.pixels.reserve(static_cast<std::size_t>(area.width) * area.height);
  for (int y = clip.top; y < clip.bottom; ++y)
    for (int x = clip.left; x < clip.right; ++x) area.pixels.push_back(canvas_.at(x, y));
  return area;
}

void GifCanvas::restore(const SavedArea& area) {
  std::size_t i = 0;
  for (int y = area.top; y < area.top + area.height; ++y)
    for (int x = area.left; x < area.left + area.width; ++x) canvas_.at(x, y) = area.pixels[i++];
}

}  // namespace horavia::anim
