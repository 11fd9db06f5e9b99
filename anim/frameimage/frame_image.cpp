// Index
//   helpers      MulDiv, PixelColour
//   loading      LoadFrameImage and its format table, LoadGifFrames (canvas,
//                disposal, the ceiling), PNG, the picture service
//   text         LoadFromText: lines, measuring, the two-colour rule
//   comparing    Clone, Equal, ShownArea
#include "anim/frameimage/frame_image.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "anim/frameimage/simd.h"
#include "anim/picture/gif_reader.h"
#include "anim/picture/picture.h"
#include "anim/picture/pixel_size.h"
#include "anim/picture/png_reader.h"

namespace horavia::anim {

// [SECTION] helpers

int MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return -1;
  std::int64_t product = a * b;
  const bool negative = (product < 0) != (c < 0);
  if (product < 0) product = -product;
  if (c < 0) c = -c;
  const std::int64_t quotient = (product + c / 2) / c;
  const std::int64_t result = negative ? -quotient : quotient;
  if (result > INT32_MAX || result < INT32_MIN) return -1;
  return static_cast<int>(result);
}

std::uint32_t PixelColour(std::uint32_t pixel) { return ColourFromPixel(pixel); }

// [SECTION] loading

namespace {

FrameImage SingleFrame(int width, int height, std::vector<std::uint32_t> pixels, std::uint32_t key, bool autoKey) {
  FrameImage image;
  if (pixels.empty()) return image;
  image.width = width;
  image.height = height;
  ImageFrame frame;
  frame.keyColour = autoKey ? PixelColour(pixels[0]) : key;
  frame.pixels = std::move(pixels);
  image.frames.push_back(std::move(frame));
  return image;
}

bool StartsWithGifSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() > 5 && (std::memcmp(bytes.data(), "GIF87a", 6) == 0 || std::memcmp(bytes.data(), "GIF89a", 6) == 0);
}

// The part of an image's rectangle that lies on the canvas.
struct CanvasArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool empty() const { return right <= left || bottom <= top; }
};

CanvasArea ClipToCanvas(const GifImage& image, int canvasWidth, int canvasHeight) {
  return {image.left, image.top, std::min(canvasWidth, image.left + image.width),
          std::min(canvasHeight, image.top + image.height)};
}

// What a disposal of method 2 or 3 restores after the image.
struct SavedArea {
  CanvasArea area;
  std::vector<std::uint32_t> pixels;
};

SavedArea SaveArea(const std::vector<std::uint32_t>& canvas, int canvasWidth, CanvasArea area) {
  SavedArea saved{area, {}};
  if (area.empty()) return saved;
  const std::size_t rowPixels = static_cast<std::size_t>(area.right - area.left);
  saved.pixels.resize(rowPixels * (area.bottom - area.top));
  for (int y = area.top; y < area.bottom; ++y) {
    std::memcpy(saved.pixels.data() + (y - area.top) * rowPixels,
                canvas.data() + static_cast<std::size_t>(y) * canvasWidth + area.left, rowPixels * 4);
  }
  return saved;
}

void RestoreArea(std::vector<std::uint32_t>& canvas, int canvasWidth, const SavedArea& saved) {
  const CanvasArea& area = saved.area;
  if (area.empty()) return;
  const std::size_t rowPixels = static_cast<std::size_t>(area.right - area.left);
  for (int y = area.top; y < area.bottom; ++y) {
    std::memcpy(canvas.data() + static_cast<std::size_t>(y) * canvasWidth + area.left,
                saved.pixels.data() + (y - area.top) * rowPixels, rowPixels * 4);
  }
}

// Transparency is by colour value: every palette entry whose colour equals
// the transparent colour is skipped, not only the transparent index.
void DrawGifImage(std::vector<std::uint32_t>& canvas, int canvasWidth, const GifImage& image, CanvasArea area,
                  bool transparent, std::uint32_t transparentColour) {
  bool skip[256] = {};
  if (transparent) {
    for (int i = 0; i < 256; ++i) skip[i] = PixelColour(image.palette[i]) == transparentColour;
  }
  for (int y = area.top; y < area.bottom; ++y) {
    const std::uint8_t* in = image.indices.data() + static_cast<std::size_t>(y - image.top) * image.width;
    std::uint32_t* out = canvas.data() + static_cast<std::size_t>(y) * canvasWidth;
    for (int x = area.left; x < area.right; ++x) {
      const std::uint8_t index = in[x - image.left];
      if (!skip[index]) out[x] = image.palette[index];
    }
  }
}

bool IsRestoringDisposal(std::uint8_t disposal) { return disposal == 8 || disposal == 12; }

}  // namespace

FrameImageLoad LoadGifFrames(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey) {
  GifReader reader;
  if (!reader.Open(bytes)) return {{}, reader.error()};
  const int width = reader.screenWidth();
  const int height = reader.screenHeight();
  if (const DecodeError error = PictureSizeError(width, height); error != DecodeError::None) return {{}, error};
  const std::int64_t canvasPixels = std::int64_t{width} * height;
  std::vector<std::uint32_t> canvas(static_cast<std::size_t>(canvasPixels), kEmptyPixel);

  FrameImageLoad load;
  FrameImage& image = load.image;
  image.width = width;
  image.height = height;
  // Pixels left under the ceiling. Each frame costs its copy of the canvas,
  // or the image decoded for it when that is larger, so that neither the
  // frames kept nor the work of decoding grows beyond the ceiling however
  // many images the file holds.
  std::int64_t budget = kMaxPicturePixels;
  const std::int64_t frameCost = std::max(canvasPixels, kMinFrameCost);
  std::optional<SavedArea> saved;
  for (;;) {
    if (saved) RestoreArea(canvas, width, *saved);
    saved.reset();
    // Delay and transparency carry over to an image without its own
    // graphic control extension; the disposal does not.
    reader.clearDisposal();
    auto gif = reader.NextImage(GifReader::AtTrailer::Stop, budget);
    if (!gif) {
      if (image.frames.empty()) load.error = reader.error() == DecodeError::None ? DecodeError::NoImage : reader.error();
      load.framesLeftOut = !image.frames.empty() && reader.error() == DecodeError::TooLarge;
      break;
    }
    const std::int64_t cost = std::max(frameCost, std::int64_t{gif->width} * gif->height);
    if (cost > budget) {
      load.framesLeftOut = !image.frames.empty();
      if (image.frames.empty()) load.error = DecodeError::TooLarge;
      break;
    }
    budget -= cost;
    const CanvasArea area = ClipToCanvas(*gif, width, height);
    if (IsRestoringDisposal(reader.disposal())) saved = SaveArea(canvas, width, area);
    if (!area.empty()) DrawGifImage(canvas, width, *gif, area, reader.transparentFlag(), reader.transparentColour());

    ImageFrame frame;
    frame.delay = GifDelayMs(reader.delayHundredths());
    frame.keyColour = autoKey ? PixelColour(canvas[0]) : key;
    frame.pixels = canvas;
    image.frames.push_back(std::move(frame));
  }
  if (image.frames.empty()) return {{}, load.error};
  return load;
}

namespace {

FrameImageLoad LoadPngFrame(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey) {
  auto png = ReadPng(bytes);
  if (!png) return {{}, png.error()};
  return {SingleFrame(png->width, png->height, std::move(png->pixels), key, autoKey)};
}

// Everything else goes through the picture service, as one opaque frame.
FrameImageLoad LoadServicePicture(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey) {
  auto record = DecodePicture(bytes);
  if (!record) return {{}, record.error()};
  auto bitmap = RealisePicture(*record);
  if (!bitmap) return {{}, DecodeError::DamagedData};
  for (std::uint32_t& pixel : bitmap->pixels) pixel &= 0x00FFFFFF;
  return {SingleFrame(bitmap->width, bitmap->height, std::move(bitmap->pixels), key, autoKey)};
}

struct FrameImageFormat {
  bool (*sniff)(std::span<const std::uint8_t>);
  FrameImageLoad (*load)(std::span<const std::uint8_t>, std::uint32_t, bool);
};

// The formats the animation units read beyond the picture service's: every
// frame of a GIF, and PNG. A new one is a row here.
constexpr FrameImageFormat kFrameImageFormats[] = {
    {StartsWithGifSignature, LoadGifFrames},
    {HasPngSignature, LoadPngFrame},
};

}  // namespace

FrameImageLoad LoadFrameImage(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey) {
  if (bytes.empty()) return {{}, DecodeError::Truncated};
  for (const FrameImageFormat& format : kFrameImageFormats) {
    if (format.sniff(bytes)) return format.load(bytes, key, autoKey);
  }
  return LoadServicePicture(bytes, key, autoKey);
}

FrameImage FrameImage::LoadFromBytes(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey) {
  return LoadFrameImage(bytes, key, autoKey).image;
}

// [SECTION] text

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

constexpr int kLineGap = 2;

}  // namespace

FrameImage FrameImage::LoadFromText(std::string_view text, TextRenderer& renderer, std::uint32_t colour) {
  const std::vector<std::string_view> lines = SplitLines(text);
  std::vector<TextRenderer::LineSize> sizes;
  std::int64_t width = 0;
  std::int64_t height = 0;
  for (std::string_view line : lines) {
    TextRenderer::LineSize size = renderer.Measure(line);
    size.width = std::max(0, size.width);
    size.height = std::max(0, size.height);
    sizes.push_back(size);
    width = std::max<std::int64_t>(width, size.width);
    height += size.height;
  }
  if (!lines.empty()) height += kLineGap * static_cast<std::int64_t>(lines.size() - 1);
  const auto count = CheckedPixelCount(width, height);
  if (!count) return {};

  const std::uint32_t textColour = colour & 0x00FFFFFF;
  const std::uint32_t background = textColour == 0x00FFFFFF ? 0x000000 : 0xFFFFFF;
  Bitmap surface;
  surface.width = static_cast<int>(width);
  surface.height = static_cast<int>(height);
  surface.pixels.assign(*count, PixelFromColour(background));
  int y = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    renderer.Draw(lines[i], 0, y, textColour, surface);
    y += sizes[i].height + kLineGap;
  }
  surface.pixels.resize(*count);  // whatever the renderer did, the frame keeps its size

  // Anti-aliased edges become text too: the frame has exactly two colours.
  const std::uint32_t backgroundPixel = PixelFromColour(background);
  const std::uint32_t textPixel = PixelFromColour(textColour);
  for (std::uint32_t& pixel : surface.pixels) pixel = (pixel & 0x00FFFFFF) == backgroundPixel ? backgroundPixel : textPixel;

  FrameImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.frames.push_back({background, 0, std::move(surface.pixels)});
  return image;
}

// [SECTION] comparing

std::optional<FrameImage> Clone(const FrameImage& image) {
  if (!image.usable()) return std::nullopt;
  return image;
}

namespace {

// A pixel shows unless it is fully transparent or the key; without a key,
// keyPixel is 0xFF000000, which no colour part equals.
inline bool Shows(std::uint32_t pixel, std::uint32_t keyPixel) {
  return pixel < 0xFF000000 && (pixel & 0x00FFFFFF) != keyPixel;
}

// Which of the four pixels at `at` show, one bit each (bit i for at[i]).
inline unsigned ShowingFour(const std::uint32_t* at, std::uint32_t keyPixel) {
#if defined(HORAVIA_HAVE_SSE2_PATH)
  const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  const __m128i hidden = _mm_or_si128(_mm_cmpeq_epi32(_mm_srli_epi32(p, 24), _mm_set1_epi32(0xFF)),
                                      _mm_cmpeq_epi32(_mm_and_si128(p, _mm_set1_epi32(0x00FFFFFF)),
                                                      _mm_set1_epi32(static_cast<int>(keyPixel))));
  return ~static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(hidden))) & 0xF;
#else
  unsigned bits = 0;
  for (unsigned i = 0; i < 4; ++i) bits |= static_cast<unsigned>(Shows(at[i], keyPixel)) << i;
  return bits;
#endif
}

// The first pixel of row[from, to) that shows, or `to`; four at a time.
std::size_t FirstShown(const std::uint32_t* row, std::size_t from, std::size_t to, std::uint32_t keyPixel) {
  std::size_t x = from;
  for (; x + 4 <= to; x += 4) {
    if (const unsigned bits = ShowingFour(row + x, keyPixel)) return x + static_cast<std::size_t>(std::countr_zero(bits));
  }
  for (; x < to; ++x) {
    if (Shows(row[x], keyPixel)) return x;
  }
  return to;
}

// One past the last pixel of row[from, to) that shows, or `from`; four at a
// time from the right.
std::size_t EndOfShown(const std::uint32_t* row, std::size_t from, std::size_t to, std::uint32_t keyPixel) {
  std::size_t x = to;
  for (; x >= from + 4; x -= 4) {
    if (const unsigned bits = ShowingFour(row + x - 4, keyPixel)) return x - static_cast<std::size_t>(std::countl_zero(bits) - 28);
  }
  for (; x > from; --x) {
    if (Shows(row[x - 1], keyPixel)) return x;
  }
  return from;
}

// Columns [left, right) and rows [top, bottom).
struct Bounds {
  std::size_t left, right, top, bottom;
};

// Widens `area` to the pixels of one frame that show. The first and last
// rows that show are found from the two ends; the rows between them can
// only widen the columns, so only the pixels outside the columns found so
// far are looked at: a turned hand's rows are mostly inside its ends'
// columns, and most of its picture is never read.
void WidenToShown(const ImageFrame& frame, std::size_t width, std::size_t height, Bounds& area) {
  const std::uint32_t keyPixel = frame.keyColour == kNoKey ? 0xFF000000 : PixelFromColour(frame.keyColour);
  const auto row = [&](std::size_t y) { return frame.pixels.data() + y * width; };
  // Takes in row y's showing pixels from the columns outside [left, right).
  const auto widen = [&](std::size_t y) {
    const std::uint32_t* pixels = row(y);
    const std::size_t first = FirstShown(pixels, 0, std::min(area.left, width), keyPixel);
    if (first < area.left) area.left = first;
    const std::size_t end = EndOfShown(pixels, std::max(area.right, area.left), width, keyPixel);
    if (end > area.right) area.right = end;
  };
  std::size_t top = 0;
  while (top < height && FirstShown(row(top), 0, width, keyPixel) == width) ++top;
  if (top == height) return;
  std::size_t bottom = height;
  while (FirstShown(row(bottom - 1), 0, width, keyPixel) == width) --bottom;
  area.top = std::min(area.top, top);
  area.bottom = std::max(area.bottom, bottom);
  for (std::size_t y = top; y < bottom; ++y) widen(y);
}

}  // namespace

ImageArea ShownArea(const FrameImage& image) {
  if (!image.usable()) return {};
  const std::size_t width = static_cast<std::size_t>(image.width);
  const std::size_t height = static_cast<std::size_t>(image.height);
  Bounds area{width, 0, height, 0};
  for (const ImageFrame& frame : image.frames) {
    if (frame.pixels.size() == width * height) WidenToShown(frame, width, height, area);
  }
  if (area.left >= area.right) return {};
  return {static_cast<int>(area.left), static_cast<int>(area.top), static_cast<int>(area.right - area.left),
          static_cast<int>(area.bottom - area.top)};
}

bool Equal(const FrameImage& a, const FrameImage& b) {
  if (a.width != b.width || a.height != b.height || a.frameCount() != b.frameCount()) return false;
  for (int i = 0; i < a.frameCount(); ++i) {
    const ImageFrame& x = a.frames[i];
    const ImageFrame& y = b.frames[i];
    if (x.keyColour != y.keyColour || x.delay != y.delay || x.pixels != y.pixels) return false;
  }
  return true;
}

}  // namespace horavia::anim
