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

bool PutControl(GifFileType* gif, int delayMs, int transparentIndex) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = (delayMs + 5) / 10;
  control.TransparentColor = transparentIndex;
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
}

// Writes the area of `indices`. With a previous frame, pixels it already
// shows are written as `unchanged`, a transparent index, so that the reader
// leaves them and long runs of it compress to almost nothing.
bool PutImage(GifFileType* gif, const std::vector<std::uint8_t>& indices, const std::vector<std::uint8_t>* previous,
              GifPixelType unchanged, int width, Rect area) {
  if (EGifPutImageDesc(gif, area.left, area.top, area.width, area.height, false, nullptr) != GIF_OK) return false;
  std::vector<GifPixelType> row(static_cast<std::size_t>(area.width));
  for (int y = area.top; y < area.top + area.height; ++y) {
    const std::size_t first = static_cast<std::size_t>(y) * width + area.left;
    for (int x = 0; x < area.width; ++x) {
      const std::size_t i = first + static_cast<std::size_t>(x);
      row[static_cast<std::size_t>(x)] = previous && (*previous)[i] == indices[i] ? unchanged : indices[i];
    }
    if (EGifPutLine(gif, row.data(), area.width) != GIF_OK) return false;
  }
  return true;
}

// A colour that no pixel has and nothing reserves: later frames of an
// animation mark their unchanged pixels with it.
std::uint32_t UnusedColour(const std::vector<std::vector<std::uint32_t>>& frames,
                           std::span<const std::uint32_t> reserved) {
  std::vector<std::uint32_t> used(reserved.begin(), reserved.end());
  for (const std::vector<std::uint32_t>& frame : frames) {
    for (std::uint32_t p : frame) used.push_back(p & 0xFFFFFF);
  }
  std::sort(used.begin(), used.end());
  std::uint32_t colour = 0x010203;
  while (std::binary_search(used.begin(), used.end(), colour)) ++colour;
  return colour;
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

std::vector<std::uint8_t> EncodeGif(const RgbPicture& picture, std::span<const std::uint32_t> reserved,
                                   int maxColours) {
  if (picture.frames.empty() || picture.width <= 0 || picture.height <= 0) return {};
  std::vector<std::vector<std::uint32_t>> pixels;
  for (const RgbFrame& frame : picture.frames) pixels.push_back(frame.pixels);
  const bool animated = picture.frames.size() > 1;
  std::vector<std::uint32_t> kept(reserved.begin(), reserved.end());
  if (animated) kept.push_back(UnusedColour(pixels, reserved));
  const Quantized q = Quantize(pixels, kept, maxColours);
  const int unchanged = animated ? static_cast<int>(kept.size()) - 1 : NO_TRANSPARENT_COLOR;

  std::vector<std::uint8_t> out;
  int error = 0;
  GifWriter gif(EGifOpen(&out, AppendBytes, &error));
  if (!gif) return {};
  EGifSetGifVersion(gif.get(), animated);
  const std::vector<GifColorType> table = ColourTable(q.palette);
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(table.size()), table.data());
  const bool screen = map && EGifPutScreenDesc(gif.get(), picture.width, picture.height, map->BitsPerPixel, 0, map) == GIF_OK;
  GifFreeMapObject(map);
  if (!screen) return {};
  if (animated && !PutLoopExtension(gif.get())) return {};

  for (std::size_t i = 0; i < q.indices.size(); ++i) {
    const Rect whole{0, 0, picture.width, picture.height};
    const std::vector<std::uint8_t>* previous = i == 0 ? nullptr : &q.indices[i - 1];
    const Rect area = previous ? ChangedArea(*previous, q.indices[i], picture.width, picture.height) : whole;
    if (animated && !PutControl(gif.get(), picture.frames[i].delayMs, previous ? unchanged : NO_TRANSPARENT_COLOR)) {
      return {};
    }
    const GifPixelType mark = static_cast<GifPixelType>(previous ? unchanged : 0);
    if (!PutImage(gif.get(), q.indices[i], previous, mark, picture.width, area)) return {};
  }
  if (EGifCloseFile(gif.release(), &error) != GIF_OK) return {};
  return out;
}

}  // namespace horavia::assets
