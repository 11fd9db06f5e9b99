// Index
//   flip         Flip
//   rotate       quarter turns, the general nearest-neighbour turn
//   scale        Scale in one or two passes, 8.8 fixed-point steps
//   colour       Tint, Brighten
//   compositing  clipping, BlendFrame, CopyRect, HitTest
#include <algorithm>
#include <cmath>
#include <cstring>

#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/simd.h"
#include "anim/picture/bitmap.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

namespace {

// Pixel channels: byte 0 blue, 1 green, 2 red, 3 transparency.
inline int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

inline bool IsKeyPixel(std::uint32_t pixel, std::uint32_t keyColour) {
  return keyColour != kNoKey && pixel == PixelFromColour(keyColour);
}

}  // namespace

// [SECTION] flip

void Flip(FrameImage& image, int type) {
  if (!image.usable() || type < 1 || type > 3) return;
  const std::size_t width = static_cast<std::size_t>(image.width);
  for (ImageFrame& frame : image.frames) {
    std::uint32_t* pixels = frame.pixels.data();
    if (type & 1) {
      for (int y = 0; y < image.height; ++y) std::reverse(pixels + y * width, pixels + (y + 1) * width);
    }
    if (type & 2) {
      for (int y = 0; y < image.height / 2; ++y) {
        std::swap_ranges(pixels + y * width, pixels + (y + 1) * width, pixels + (image.height - 1 - y) * width);
      }
    }
  }
}

// [SECTION] rotate

namespace {

// Degrees to radians with the factor 3.1415926535 / 180 exactly, so turned
// pictures match those the program has always produced.
constexpr double kDegreesToRadians = 0.017453292519444445;

FrameImage EmptyLike(const FrameImage& image, int width, int height) {
  FrameImage result;
  result.width = width;
  result.height = height;
  result.frames.reserve(image.frames.size());
  for (const ImageFrame& frame : image.frames) {
    result.frames.push_back({frame.keyColour, frame.delay,
                             std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)});
  }
  return result;
}

// Quarter turns: destination (x, y) takes source pick(x, y). The scalar
// form serves the edges that whole 4 × 4 blocks do not cover.
template <typename Pick>
void TurnPixels(const std::uint32_t* in, int sourceWidth, std::uint32_t* out, int width, int xFrom, int xTo, int yFrom,
                int yTo, Pick pick) {
  for (int y = yFrom; y < yTo; ++y) {
    for (int x = xFrom; x < xTo; ++x) {
      const auto [sx, sy] = pick(x, y);
      out[static_cast<std::size_t>(y) * width + x] = in[static_cast<std::size_t>(sy) * sourceWidth + sx];
    }
  }
}

#if defined(HORAVIA_HAVE_SSE2_PATH)
inline void Transpose4(__m128i& v0, __m128i& v1, __m128i& v2, __m128i& v3) {
  const __m128i t0 = _mm_unpacklo_epi32(v0, v1);
  const __m128i t1 = _mm_unpacklo_epi32(v2, v3);
  const __m128i t2 = _mm_unpackhi_epi32(v0, v1);
  const __m128i t3 = _mm_unpackhi_epi32(v2, v3);
  v0 = _mm_unpacklo_epi64(t0, t1);
  v1 = _mm_unpackhi_epi64(t0, t1);
  v2 = _mm_unpacklo_epi64(t2, t3);
  v3 = _mm_unpackhi_epi64(t2, t3);
}
#endif

// A quarter turn of one frame (w × h source, h × w destination): clockwise,
// destination (x, y) takes source (y, h − 1 − x); otherwise (w − 1 − y, x).
// Whole 4 × 4 blocks are loaded as four source rows and transposed.
void TurnQuarter(const std::uint32_t* in, int w, int h, std::uint32_t* out, bool clockwise) {
  const int width = h;
  const int height = w;
  auto pickClockwise = [h](int x, int y) { return std::pair{y, h - 1 - x}; };
  auto pickBack = [w](int x, int y) { return std::pair{w - 1 - y, x}; };
  int blockedWidth = 0;
  int blockedHeight = 0;
#if defined(HORAVIA_HAVE_SSE2_PATH)
  blockedWidth = width & ~3;
  blockedHeight = height & ~3;
  const std::size_t stride = static_cast<std::size_t>(w);
  for (int y0 = 0; y0 < blockedHeight; y0 += 4) {
    for (int x0 = 0; x0 < blockedWidth; x0 += 4) {
      __m128i v[4];
      for (int i = 0; i < 4; ++i) {
        if (clockwise) {
          v[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + (h - 1 - x0 - i) * stride + y0));
        } else {
          const __m128i row = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + (x0 + i) * stride + (w - 4 - y0)));
          v[i] = _mm_shuffle_epi32(row, 0x1B);  // reversed
        }
      }
      Transpose4(v[0], v[1], v[2], v[3]);
      for (int j = 0; j < 4; ++j) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + static_cast<std::size_t>(y0 + j) * width + x0), v[j]);
      }
    }
  }
#endif
  if (clockwise) {
    TurnPixels(in, w, out, width, blockedWidth, width, 0, height, pickClockwise);
    TurnPixels(in, w, out, width, 0, blockedWidth, blockedHeight, height, pickClockwise);
  } else {
    TurnPixels(in, w, out, width, blockedWidth, width, 0, height, pickBack);
    TurnPixels(in, w, out, width, 0, blockedWidth, blockedHeight, height, pickBack);
  }
}

FrameImage QuarterTurns(const FrameImage& image, int quarter) {
  const int w = image.width;
  const int h = image.height;
  FrameImage result = quarter == 2 ? EmptyLike(image, w, h) : EmptyLike(image, h, w);
  for (std::size_t f = 0; f < image.frames.size(); ++f) {
    const std::uint32_t* in = image.frames[f].pixels.data();
    std::uint32_t* out = result.frames[f].pixels.data();
    if (quarter == 2) {
      // Destination (x, y) takes source (w − 1 − x, h − 1 − y): each row is
      // the mirrored opposite row.
      for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = in + static_cast<std::size_t>(h - 1 - y) * w;
        std::reverse_copy(row, row + w, out + static_cast<std::size_t>(y) * w);
      }
    } else {
      TurnQuarter(in, w, h, out, quarter == 1);
    }
  }
  return result;
}

#if defined(HORAVIA_HAVE_AVX2_PATH)
// One destination row of the general turn, eight pixels at a time: the same
// double sums and truncations as the scalar loop, then a masked gather.
// Compiled for AVX2 alone and chosen at run time.
__attribute__((target("avx2"))) int TurnRowAvx2(const double* xc, const double* xs, double ys, double yc, int width,
                                                int sourceWidth, int sourceHeight, const std::uint32_t* in,
                                                std::uint32_t* out) {
  const __m256d ysLanes = _mm256_set1_pd(ys);
  const __m256d ycLanes = _mm256_set1_pd(yc);
  const __m256i widthLanes = _mm256_set1_epi32(sourceWidth);
  const __m256i heightLanes = _mm256_set1_epi32(sourceHeight);
  const __m256i minusOne = _mm256_set1_epi32(-1);
  const __m256i empty = _mm256_set1_epi32(static_cast<int>(kEmptyPixel));
  int k = 0;
  for (; k + 8 <= width; k += 8) {
    const __m256i sx = _mm256_set_m128i(_mm256_cvttpd_epi32(_mm256_add_pd(_mm256_loadu_pd(xc + k + 4), ysLanes)),
                                        _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_loadu_pd(xc + k), ysLanes)));
    const __m256i sy = _mm256_set_m128i(_mm256_cvttpd_epi32(_mm256_sub_pd(ycLanes, _mm256_loadu_pd(xs + k + 4))),
                                        _mm256_cvttpd_epi32(_mm256_sub_pd(ycLanes, _mm256_loadu_pd(xs + k))));
    // 0 <= v < limit as two signed comparisons.
    const __m256i inside = _mm256_and_si256(
        _mm256_and_si256(_mm256_cmpgt_epi32(sx, minusOne), _mm256_cmpgt_epi32(widthLanes, sx)),
        _mm256_and_si256(_mm256_cmpgt_epi32(sy, minusOne), _mm256_cmpgt_epi32(heightLanes, sy)));
    const __m256i offset = _mm256_add_epi32(_mm256_mullo_epi32(sy, widthLanes), sx);
    const __m256i pixels =
        _mm256_mask_i32gather_epi32(empty, reinterpret_cast<const int*>(in), offset, inside, 4);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), pixels);
  }
  return k;
}

bool HasAvx2() {
  static const bool supported = __builtin_cpu_supports("avx2");
  return supported;
}
#endif

std::optional<FrameImage> TurnAnyAngle(const FrameImage& image, double degrees) {
  const double theta = degrees * kDegreesToRadians;
  const double s = std::sin(theta);
  const double c = std::cos(theta);
  const double w = image.width;
  const double h = image.height;
  const double cornerX[4] = {0, w * c, -h * s, w * c - h * s};
  const double cornerY[4] = {0, w * s, h * c, w * s + h * c};
  const double minX = *std::min_element(cornerX, cornerX + 4);
  const double maxX = *std::max_element(cornerX, cornerX + 4);
  const double minY = *std::min_element(cornerY, cornerY + 4);
  const double maxY = *std::max_element(cornerY, cornerY + 4);
  const double newWidth = std::ceil(maxX - minX);
  const double newHeight = std::ceil(maxY - minY);
  if (newWidth < 1 || newHeight < 1 || newWidth > kMaxPictureSide || newHeight > kMaxPictureSide) return std::nullopt;
  const int width = static_cast<int>(newWidth);
  const int height = static_cast<int>(newHeight);
  if (!CheckedPixelCount(width, height)) return std::nullopt;

  // Source x = trunc(X·c + Y·s), source y = trunc(Y·c − X·s) with X = k + minX
  // and Y = j + minY. The X products are the same for every row, so they are
  // computed once; each term is rounded exactly as the direct formula rounds.
  std::vector<double> xc(width);
  std::vector<double> xs(width);
  for (int k = 0; k < width; ++k) {
    const double x = k + minX;
    xc[k] = x * c;
    xs[k] = x * s;
  }
  FrameImage result = EmptyLike(image, width, height);
  const unsigned sourceWidth = static_cast<unsigned>(image.width);
  const unsigned sourceHeight = static_cast<unsigned>(image.height);
  // Without AVX2 each row first becomes a list of source offsets (-1
  // outside), a loop the compiler vectorises; the frames then share it.
  std::vector<std::int32_t> offsets(width);
  for (int j = 0; j < height; ++j) {
    const double y = j + minY;
    const double ys = y * s;
    const double yc = y * c;
#if defined(HORAVIA_HAVE_AVX2_PATH)
    if (HasAvx2()) {
      for (std::size_t f = 0; f < image.frames.size(); ++f) {
        std::uint32_t* out = result.frames[f].pixels.data() + static_cast<std::size_t>(j) * width;
        const std::uint32_t* in = image.frames[f].pixels.data();
        for (int k = TurnRowAvx2(xc.data(), xs.data(), ys, yc, width, image.width, image.height, in, out); k < width; ++k) {
          const int sx = static_cast<int>(xc[k] + ys);
          const int sy = static_cast<int>(yc - xs[k]);
          const bool inside = static_cast<unsigned>(sx) < sourceWidth && static_cast<unsigned>(sy) < sourceHeight;
          out[k] = inside ? in[static_cast<std::size_t>(sy) * sourceWidth + sx] : kEmptyPixel;
        }
      }
      continue;
    }
#endif
    int k = 0;
    for (; k < width; ++k) {
      const int sx = static_cast<int>(xc[k] + ys);
      const int sy = static_cast<int>(yc - xs[k]);
      const bool inside = static_cast<unsigned>(sx) < sourceWidth && static_cast<unsigned>(sy) < sourceHeight;
      offsets[k] = inside ? sy * static_cast<int>(sourceWidth) + sx : -1;
    }
    for (std::size_t f = 0; f < image.frames.size(); ++f) {
      const std::uint32_t* in = image.frames[f].pixels.data();
      std::uint32_t* out = result.frames[f].pixels.data() + static_cast<std::size_t>(j) * width;
      for (int k = 0; k < width; ++k) out[k] = offsets[k] >= 0 ? in[offsets[k]] : kEmptyPixel;
    }
  }
  return result;
}

}  // namespace

std::optional<FrameImage> Rotate(const FrameImage& image, double degrees) {
  if (!image.usable() || !std::isfinite(degrees)) return std::nullopt;
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360.0;
  if (a == 0) return Clone(image);
  if (a == 90) return QuarterTurns(image, 1);
  if (a == 180) return QuarterTurns(image, 2);
  if (a == 270) return QuarterTurns(image, 3);
  return TurnAnyAngle(image, a);
}

// [SECTION] scale

namespace {

void ScalePass(FrameImage& image, int perMilleX, int perMilleY) {
  const int width = MulDiv(image.width, perMilleX, 1000);
  const int height = MulDiv(image.height, perMilleY, 1000);
  if (width <= 0 || height <= 0 || !CheckedPixelCount(width, height)) {
    image = FrameImage{};
    return;
  }
  // 8.8 fixed-point steps through the source; (k × step) >> 8 stays below
  // the source size for every k < width.
  const std::int64_t stepX = std::int64_t{image.width} * 256 / width;
  const std::int64_t stepY = std::int64_t{image.height} * 256 / height;
  std::vector<int> sourceColumn(width);
  for (int k = 0; k < width; ++k) sourceColumn[k] = static_cast<int>(k * stepX >> 8);

  for (ImageFrame& frame : image.frames) {
    std::vector<std::uint32_t> scaled(static_cast<std::size_t>(width) * height);
    for (int j = 0; j < height; ++j) {
      const std::uint32_t* in = frame.pixels.data() + static_cast<std::size_t>(j * stepY >> 8) * image.width;
      std::uint32_t* out = scaled.data() + static_cast<std::size_t>(j) * width;
      for (int k = 0; k < width; ++k) out[k] = in[sourceColumn[k]];
    }
    frame.pixels = std::move(scaled);
    frame.keyColour = kNoKey;
  }
  image.width = width;
  image.height = height;
}

}  // namespace

void Scale(FrameImage& image, int perMilleX, int perMilleY) {
  if (!image.usable() || perMilleX <= 0 || perMilleY <= 0) return;
  if (perMilleX == 1000 && perMilleY == 1000) return;
  // Shrinking one way and growing the other goes through the smaller
  // intermediate first, x before y.
  const bool mixed = (perMilleX < 1000 && perMilleY > 1000) || (perMilleX > 1000 && perMilleY < 1000);
  if (!mixed) return ScalePass(image, perMilleX, perMilleY);
  ScalePass(image, perMilleX, 1000);
  if (image.usable()) ScalePass(image, 1000, perMilleY);
}

// [SECTION] colour

void Tint(FrameImage& image, std::uint32_t colour, int depthPercent) {
  if (!image.usable() || depthPercent <= 0) return;
  const int depth = std::min(depthPercent, 100);
  const int target[3] = {Channel(colour, 16), Channel(colour, 8), Channel(colour, 0)};  // blue, green, red
  for (ImageFrame& frame : image.frames) {
    for (std::uint32_t& pixel : frame.pixels) {
      if (IsKeyPixel(pixel, frame.keyColour)) continue;
      std::uint32_t result = pixel & 0xFF000000;
      for (int i = 0; i < 3; ++i) {
        const int v = Channel(pixel, i * 8);
        result |= static_cast<std::uint32_t>(v + MulDiv(target[i] - v, depth, 100)) << (i * 8);
      }
      pixel = result;
    }
  }
}

void Brighten(FrameImage& image, int percent) {
  if (!image.usable() || percent == 0) return;
  // Beyond ±100000 % every channel saturates anyway; the bound keeps the
  // products in range.
  const int p = std::clamp(percent, -100000, 100000);
  for (ImageFrame& frame : image.frames) {
    for (std::uint32_t& pixel : frame.pixels) {
      if (IsKeyPixel(pixel, frame.keyColour)) continue;
      std::uint32_t result = pixel & 0xFF000000;
      for (int i = 0; i < 3; ++i) {
        const int v = Channel(pixel, i * 8);
        result |= static_cast<std::uint32_t>(std::clamp(v + MulDiv(v, p, 100), 0, 255)) << (i * 8);
      }
      pixel = result;
    }
  }
}

// [SECTION] compositing

namespace {

// Clips the copy as both blending and copying do; false when nothing is
// left to draw.
bool ClipCopy(const PixelView& destination, const ConstPixelView& source, CopyArea& area) {
  if (!destination.pixels || !source.pixels || destination.width <= 0 || destination.height <= 0) return false;
  std::int64_t dx = area.destinationX, dy = area.destinationY;
  std::int64_t sx = area.sourceX, sy = area.sourceY;
  std::int64_t w = area.width, h = area.height;
  if (dx < 0) {
    w += dx;
    sx -= dx;
    dx = 0;
  }
  if (dy < 0) {
    h += dy;
    sy -= dy;
    dy = 0;
  }
  if (w <= 0 || h <= 0 || sx < 0 || sy < 0) return false;
  if (sx + w > source.width || sy + h > source.height) return false;
  w = std::min<std::int64_t>(w, destination.width - dx);
  h = std::min<std::int64_t>(h, destination.height - dy);
  if (w <= 0 || h <= 0) return false;
  area = {static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx), static_cast<int>(sy),
          static_cast<int>(w), static_cast<int>(h)};
  return true;
}

// d moved towards s by weight / 255 of the difference, rounded to nearest
// with halves away from zero: d + MulDiv(s - d, weight, 255). Because d is
// whole and 255 is odd (no exact halves), that equals the nearest whole
// number to (s·weight + d·(255 − weight)) / 255, which needs no signs and
// stays below 65536, so it also fits the 16-bit lanes of BlendFour.
inline std::uint32_t Mix(std::uint32_t s, std::uint32_t d, std::uint32_t weight) {
  return (s * weight + d * (255 - weight) + 127) / 255;
}

// One pixel of the blend: S over D.
inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::int32_t fade, bool hasKey,
                                std::uint32_t keyPixel) {
  const bool keyed = hasKey && (s & 0x00FFFFFF) == keyPixel;
  const std::int32_t loss = fade + static_cast<std::int32_t>(s >> 24);
  const std::int32_t weight = keyed ? 0 : 255 - std::clamp(loss, 0, 255);
  const std::uint32_t fourth = (!keyed && loss <= 0 ? s : d) & 0xFF000000;
  const std::uint32_t w = static_cast<std::uint32_t>(weight);
  return fourth | Mix(s >> 16 & 0xFF, d >> 16 & 0xFF, w) << 16 | Mix(s >> 8 & 0xFF, d >> 8 & 0xFF, w) << 8 |
         Mix(s & 0xFF, d & 0xFF, w);
}

#if defined(HORAVIA_HAVE_SSE2_PATH)
// Four pixels at a time, channel by channel in 16-bit lanes, with exactly
// the arithmetic of BlendPixel.
inline void BlendFour(const std::uint32_t* in, std::uint32_t* out, __m128i fade, __m128i keyPixel, __m128i keyEnabled) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out));
  const __m128i colourMask = _mm_set1_epi32(0x00FFFFFF);
  const __m128i keyed = _mm_and_si128(keyEnabled, _mm_cmpeq_epi32(_mm_and_si128(s, colourMask), keyPixel));
  const __m128i loss = _mm_add_epi32(_mm_srli_epi32(s, 24), fade);
  // Sprites are mostly runs of opaque or invisible pixels: four of a kind
  // need no arithmetic.
  const __m128i copyWhole = _mm_andnot_si128(keyed, _mm_cmplt_epi32(loss, _mm_set1_epi32(1)));
  if (_mm_movemask_epi8(copyWhole) == 0xFFFF) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), s);
    return;
  }
  const __m128i invisible = _mm_or_si128(keyed, _mm_cmpgt_epi32(loss, _mm_set1_epi32(254)));
  if (_mm_movemask_epi8(invisible) == 0xFFFF) return;
  // weight = 255 - clamp(loss, 0, 255), 0 where keyed; in 16-bit lanes 0-3.
  __m128i clamped = _mm_packs_epi32(loss, loss);
  clamped = _mm_min_epi16(_mm_max_epi16(clamped, zero), _mm_set1_epi16(255));
  __m128i weight = _mm_sub_epi16(_mm_set1_epi16(255), clamped);
  weight = _mm_andnot_si128(_mm_packs_epi32(keyed, keyed), weight);
  const __m128i pairs = _mm_unpacklo_epi16(weight, weight);  // w0 w0 w1 w1 w2 w2 w3 w3
  const __m128i weightLow = _mm_unpacklo_epi32(pairs, pairs);  // w0 ×4, w1 ×4
  const __m128i weightHigh = _mm_unpackhi_epi32(pairs, pairs);  // w2 ×4, w3 ×4

  // (s·w + d·(255 − w) + 127) / 255, the division exact as
  // (x·0x8081) >> 23 for every 16-bit x.
  auto mix = [&](__m128i s16, __m128i d16, __m128i w) {
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(255), w);
    const __m128i x = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(s16, w), _mm_mullo_epi16(d16, rest)),
                                    _mm_set1_epi16(127));
    return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7);
  };
  const __m128i low = mix(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), weightLow);
  const __m128i high = mix(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), weightHigh);
  const __m128i mixed = _mm_packus_epi16(low, high);

  // The fourth byte: S's where S is copied whole (loss <= 0, not keyed),
  // else D's.
  const __m128i fourth = _mm_or_si128(_mm_and_si128(copyWhole, s), _mm_andnot_si128(copyWhole, d));
  const __m128i result = _mm_or_si128(_mm_and_si128(mixed, colourMask), _mm_andnot_si128(colourMask, fourth));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), result);
}
#endif

#if defined(HORAVIA_HAVE_AVX2_PATH)
// BlendPixel's arithmetic on eight pixels at a time, without unpacking:
// each pixel's two even bytes (blue, red) and two odd bytes (green, fourth)
// are mixed as two pairs of 16-bit lanes, so one weight per pixel serves
// both lanes of a pair.
// (s·w + d·r + 127) / 255 with r = 255 − w, in sixteen 16-bit lanes; the
// division is exact as (x·0x8081) >> 23 for every 16-bit x.
__attribute__((target("avx2"))) inline __m256i MixAvx2(__m256i s16, __m256i d16, __m256i w, __m256i r) {
  const __m256i sum = _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(s16, w), _mm256_mullo_epi16(d16, r)),
                                       _mm256_set1_epi16(127));
  return _mm256_srli_epi16(_mm256_mulhi_epu16(sum, _mm256_set1_epi16(static_cast<short>(0x8081))), 7);
}

template <bool kKeyed>
__attribute__((target("avx2"))) int BlendRowAvx2(const std::uint32_t* in, std::uint32_t* out, int count, int fade,
                                                 std::uint32_t keyPixel) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i full = _mm256_set1_epi16(255);
  const __m256i fadeLanes = _mm256_set1_epi16(static_cast<short>(fade));
  const __m256i colourMask = _mm256_set1_epi32(0x00FFFFFF);
  const __m256i evenBytes = _mm256_set1_epi32(0x00FF00FF);
  const __m256i keyLanes = _mm256_set1_epi32(static_cast<int>(keyPixel));
  // Each pixel's fourth byte into both 16-bit halves of the pixel.
  const __m256i fourthTwice = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1,  //
                                               3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
  int x = 0;
  for (; x + 8 <= count; x += 8) {
    const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x));
    // weight = 255 - clamp(fade + S's fourth byte, 0, 255), 0 for key pixels;
    // 255 copies S whole, 0 leaves D.
    const __m256i loss = _mm256_add_epi16(_mm256_shuffle_epi8(s, fourthTwice), fadeLanes);
    __m256i weight = _mm256_sub_epi16(full, _mm256_min_epi16(_mm256_max_epi16(loss, zero), full));
    if constexpr (kKeyed) {
      weight = _mm256_andnot_si256(_mm256_cmpeq_epi32(_mm256_and_si256(s, colourMask), keyLanes), weight);
    }
    const __m256i copyWhole = _mm256_cmpeq_epi16(weight, full);
    // Sprites are mostly runs of opaque or invisible pixels: eight of a kind
    // need no arithmetic.
    if (_mm256_movemask_epi8(copyWhole) == -1) {
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), s);
      continue;
    }
    if (_mm256_movemask_epi8(_mm256_cmpeq_epi16(weight, zero)) == -1) continue;

    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out + x));
    // The fourth byte is S's where S is copied whole, else D's: weight 255
    // or 0 in its lane gives exactly that.
    const __m256i oddWeight = _mm256_blend_epi16(weight, _mm256_srli_epi16(copyWhole, 8), 0xAA);
    const __m256i even = MixAvx2(_mm256_and_si256(s, evenBytes), _mm256_and_si256(d, evenBytes), weight,
                                 _mm256_sub_epi16(full, weight));
    const __m256i odd = MixAvx2(_mm256_srli_epi16(s, 8), _mm256_srli_epi16(d, 8), oddWeight,
                                _mm256_sub_epi16(full, oddWeight));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_or_si256(even, _mm256_slli_epi16(odd, 8)));
  }
  return x;
}
#endif

}  // namespace

// Per source pixel S over destination pixel D: a key match leaves D; else
// o = fade + S's transparency; o <= 0 copies S whole (weight 255 gives S's
// channels exactly, and S's fourth byte is taken), o >= 255 leaves D
// (weight 0), anything between moves D's channels towards S and keeps D's
// fourth byte.
void BlendFrame(PixelView destination, ConstPixelView source, CopyArea area, int transparencyPercent,
                std::uint32_t key) {
  if (!ClipCopy(destination, source, area)) return;
  const int fade = MulDiv(std::clamp(transparencyPercent, -1000, 1000), 255, 100);
  const bool hasKey = key != kNoKey;
  const std::uint32_t keyPixel = PixelFromColour(key);
#if defined(HORAVIA_HAVE_SSE2_PATH)
  const __m128i fadeLanes = _mm_set1_epi32(fade);
  const __m128i keyLanes = _mm_set1_epi32(static_cast<int>(keyPixel));
  const __m128i keyEnabled = _mm_set1_epi32(hasKey ? -1 : 0);
#endif
  for (int y = 0; y < area.height; ++y) {
    const std::uint32_t* in = source.pixels + static_cast<std::size_t>(area.sourceY + y) * source.width + area.sourceX;
    std::uint32_t* out =
        destination.pixels + static_cast<std::size_t>(area.destinationY + y) * destination.width + area.destinationX;
    int x = 0;
#if defined(HORAVIA_HAVE_AVX2_PATH)
    if (HasAvx2()) {
      x = hasKey ? BlendRowAvx2<true>(in, out, area.width, fade, keyPixel)
                 : BlendRowAvx2<false>(in, out, area.width, fade, keyPixel);
    }
#endif
#if defined(HORAVIA_HAVE_SSE2_PATH)
    for (; x + 4 <= area.width; x += 4) BlendFour(in + x, out + x, fadeLanes, keyLanes, keyEnabled);
#endif
    for (; x < area.width; ++x) out[x] = BlendPixel(in[x], out[x], fade, hasKey, keyPixel);
  }
}

void CopyRect(PixelView destination, ConstPixelView source, CopyArea area) {
  if (!ClipCopy(destination, source, area)) return;
  for (int y = 0; y < area.height; ++y) {
    std::memcpy(destination.pixels + static_cast<std::size_t>(area.destinationY + y) * destination.width +
                    area.destinationX,
                source.pixels + static_cast<std::size_t>(area.sourceY + y) * source.width + area.sourceX,
                static_cast<std::size_t>(area.width) * 4);
  }
}

bool HitTest(const FrameImage& image, int imageX, int imageY, int frameIndex, int pointX, int pointY) {
  if (!image.usable() || frameIndex < 0 || frameIndex >= image.frameCount()) return false;
  const std::int64_t x = std::int64_t{pointX} - imageX;
  const std::int64_t y = std::int64_t{pointY} - imageY;
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return false;
  const ImageFrame& frame = image.frames[frameIndex];
  const std::uint32_t pixel = frame.pixels[static_cast<std::size_t>(y) * image.width + x];
  if (pixel >= 0xFF000000) return false;
  return frame.keyColour == kNoKey || (pixel & 0x00FFFFFF) != PixelFromColour(frame.keyColour);
}

}  // namespace horavia::anim
