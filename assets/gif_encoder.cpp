#include "assets/gif_encoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>

#include "assets/quantize.h"

namespace horavia::assets {
namespace {

int AppendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + length);
  return length;
}

struct CloseGif {
  void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
using GifWriter = std::unique_ptr<GifFileType, CloseGif>;

struct Rect {
  int left, top, width, height;
};

// The smallest rectangle holding every index that differs between the two
// frames; one pixel when nothing changed, so the frame still keeps its delay.
Rect ChangedArea(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after, int width,
                 int height) {
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      if (before[i] == after[i]) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {0, 0, 1, 1};
  return {left, top, right - left + 1, bottom - top + 1};
}

bool PutLoopExtension(GifFileType* gif) {
  static const GifByteType kName[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kForever[] = {1, 0, 0};  // sub-block 1, loop count 0
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kName, kName) == GIF_OK &&
         EGifPutExtensionBlock(gif, sizeof kForever, kForever) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutDelay(GifFileType* gif, int delayMs) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = (delayMs + 5) / 10;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
}

bool PutImage(GifFileType* gif, const std::vector<std::uint8_t>& indices, int width, Rect area) {
  if (EGifPutImageDesc(gif, area.left, area.top, area.width, area.height, false, nullptr) != GIF_OK) return false;
  std::vector<GifPixelType> row(static_cast<std::size_t>(area.width));
  for (int y = area.top; y < area.top + area.height; ++y) {
    const auto first = indices.begin() + static_cast<std::ptrdiff_t>(y) * width + area.left;
    std::copy(first, first + area.width, row.begin());
    if (EGifPutLine(gif, row.data(), area.width) != GIF_OK) return false;
  }
  return true;
}

// GIF colour tables hold a power of two entries; unused ones stay black.
std::vector<GifColorType> ColourTable(const std::vector<std::uint32_t>& palette) {
  std::size_t size = 2;
  while (size < palette.size()) size *= 2;
  std::vector<GifColorType> table(size, GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i) {
    table[i] = {static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8),
                static_cast<GifByteType>(palette[i])};
  }
  return table;
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const RgbPicture& picture, std::span<const std::uint32_t> reserved) {
  if (picture.frames.empty() || picture.width <= 0 || picture.height <= 0) return {};
  std::vector<std::vector<std::uint32_t>> pixels;
  for (const RgbFrame& frame : picture.frames) pixels.push_back(frame.pixels);
  const Quantized q = Quantize(pixels, reserved);

  std::vector<std::uint8_t> out;
  int error = 0;
  GifWriter gif(EGifOpen(&out, AppendBytes, &error));
  if (!gif) return {};
  const bool animated = picture.frames.size() > 1;
  EGifSetGifVersion(gif.get(), animated);
  const std::vector<GifColorType> table = ColourTable(q.palette);
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(table.size()), table.data());
  const bool screen = map && EGifPutScreenDesc(gif.get(), picture.width, picture.height, 8, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (!screen) return {};
  if (animated && !PutLoopExtension(gif.get())) return {};

  for (std::size_t i = 0; i < q.indices.size(); ++i) {
    const Rect whole{0, 0, picture.width, picture.height};
    const Rect area = i == 0 ? whole : ChangedArea(q.indices[i - 1], q.indices[i], picture.width, picture.height);
    if (animated && !PutDelay(gif.get(), picture.frames[i].delayMs)) return {};
    if (!PutImage(gif.get(), q.indices[i], picture.width, area)) return {};
  }
  if (EGifCloseFile(gif.release(), &error) != GIF_OK) return {};
  return out;
}

}  // namespace horavia::assets
