// Index
//   turns      4 × 4 transposed blocks for quarter turns, the AVX2 gather row
//              of the general turn
//   blending   four pixels in SSE2, eight in AVX2
#include "anim/frameimage/pixel_kernels.h"

#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/simd.h"

namespace horavia::anim::kernels {

namespace {

#if defined(HORAVIA_HAVE_AVX2_PATH)
bool HasAvx2() {
  static const bool supported = __builtin_cpu_supports("avx2");
  return supported;
}
#endif

// [SECTION] turns

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


#if defined(HORAVIA_HAVE_AVX2_PATH)
// One destination row of the general turn, eight pixels at a time: the same
// double sums and truncations as the scalar loop, then a masked gather.
// Compiled for AVX2 alone and chosen at run time.
__attribute__((target("avx2"))) int TurnRowAvx2(const double* xc, const double* xs, double ys, double yc, int width,
                                                const TurnSource& source, std::uint32_t* out) {
  const __m256d ysLanes = _mm256_set1_pd(ys);
  const __m256d ycLanes = _mm256_set1_pd(yc);
  const __m256i leftLanes = _mm256_set1_epi32(source.left);
  const __m256i topLanes = _mm256_set1_epi32(source.top);
  const __m256i widthLanes = _mm256_set1_epi32(source.width);
  const __m256i heightLanes = _mm256_set1_epi32(source.height);
  const __m256i minusOne = _mm256_set1_epi32(-1);
  const __m256i empty = _mm256_set1_epi32(static_cast<int>(kEmptyPixel));
  int k = 0;
  for (; k + 8 <= width; k += 8) {
    // Truncated first, then moved to the part's corner, as the scalar loop.
    const __m256i sx = _mm256_sub_epi32(
        _mm256_set_m128i(_mm256_cvttpd_epi32(_mm256_add_pd(_mm256_loadu_pd(xc + k + 4), ysLanes)),
                         _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_loadu_pd(xc + k), ysLanes))),
        leftLanes);
    const __m256i sy = _mm256_sub_epi32(
        _mm256_set_m128i(_mm256_cvttpd_epi32(_mm256_sub_pd(ycLanes, _mm256_loadu_pd(xs + k + 4))),
                         _mm256_cvttpd_epi32(_mm256_sub_pd(ycLanes, _mm256_loadu_pd(xs + k)))),
        topLanes);
    // 0 <= v < limit as two signed comparisons.
    const __m256i inside = _mm256_and_si256(
        _mm256_and_si256(_mm256_cmpgt_epi32(sx, minusOne), _mm256_cmpgt_epi32(widthLanes, sx)),
        _mm256_and_si256(_mm256_cmpgt_epi32(sy, minusOne), _mm256_cmpgt_epi32(heightLanes, sy)));
    const __m256i offset = _mm256_add_epi32(_mm256_mullo_epi32(sy, widthLanes), sx);
    const __m256i pixels =
        _mm256_mask_i32gather_epi32(empty, reinterpret_cast<const int*>(source.pixels), offset, inside, 4);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), pixels);
  }
  return k;
}
#endif


// [SECTION] blending

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


#if defined(HORAVIA_HAVE_SSE2_PATH)
// The direction is a template argument, so that the innermost loop has no
// branch and unrolls.
template <bool kClockwise>
void TurnBlocks(const std::uint32_t* in, int w, int h, std::uint32_t* out, Blocked blocked) {
  const int width = h;
  const std::size_t stride = static_cast<std::size_t>(w);
  for (int y0 = 0; y0 < blocked.height; y0 += 4) {
    for (int x0 = 0; x0 < blocked.width; x0 += 4) {
      __m128i v[4];
      for (int i = 0; i < 4; ++i) {
        if constexpr (kClockwise) {
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
}
#endif

}  // namespace

Blocked TurnQuarterBlocks(const std::uint32_t* in, int w, int h, std::uint32_t* out, bool clockwise) {
#if defined(HORAVIA_HAVE_SSE2_PATH)
  const Blocked blocked{h & ~3, w & ~3};
  if (clockwise) {
    TurnBlocks<true>(in, w, h, out, blocked);
  } else {
    TurnBlocks<false>(in, w, h, out, blocked);
  }
  return blocked;
#else
  (void)in, (void)w, (void)h, (void)out, (void)clockwise;
  return {};
#endif
}

bool HasTurnRow() {
#if defined(HORAVIA_HAVE_AVX2_PATH)
  return HasAvx2();
#else
  return false;
#endif
}

int TurnRow(const double* xc, const double* xs, double ys, double yc, int width, const TurnSource& source,
            std::uint32_t* out) {
#if defined(HORAVIA_HAVE_AVX2_PATH)
  if (HasAvx2()) return TurnRowAvx2(xc, xs, ys, yc, width, source, out);
#endif
  (void)xc, (void)xs, (void)ys, (void)yc, (void)width, (void)source, (void)out;
  return 0;
}

int BlendRow(const std::uint32_t* in, std::uint32_t* out, int count, int fade, bool hasKey, std::uint32_t keyPixel) {
  int x = 0;
#if defined(HORAVIA_HAVE_AVX2_PATH)
  if (HasAvx2()) {
    x = hasKey ? BlendRowAvx2<true>(in, out, count, fade, keyPixel) : BlendRowAvx2<false>(in, out, count, fade, keyPixel);
  }
#endif
#if defined(HORAVIA_HAVE_SSE2_PATH)
  const __m128i fadeLanes = _mm_set1_epi32(fade);
  const __m128i keyLanes = _mm_set1_epi32(static_cast<int>(keyPixel));
  const __m128i keyEnabled = _mm_set1_epi32(hasKey ? -1 : 0);
  for (; x + 4 <= count; x += 4) BlendFour(in + x, out + x, fadeLanes, keyLanes, keyEnabled);
#else
  (void)in, (void)out, (void)count, (void)fade, (void)hasKey, (void)keyPixel;
#endif
  return x;
}

}  // namespace horavia::anim::kernels
