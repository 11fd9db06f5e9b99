// The vector kernels of the pixel operations: SSE2 everywhere the build
// targets it, AVX2 where the processor has it (chosen at run time). Each
// does part of a row, or the whole-block part of a frame, with exactly the
// arithmetic of the plain loop in pixel_ops.cpp, and says how much it did;
// the caller finishes the rest with that loop. Built with HORAVIA_NO_SIMD
// (simd.h) they do nothing, so tests can check the plain loops alone.
#pragma once

#include <cstdint>

namespace horavia::anim::kernels {

// Quarter turns of a w × h frame into an h × w one, in whole 4 × 4 blocks:
// clockwise destination (x, y) takes source (y, h − 1 − x), otherwise
// (w − 1 − y, x). Fills the destination's columns [0, blockedWidth) of rows
// [0, blockedHeight), both multiples of 4, and returns them (0 × 0 when
// there is no vector path).
struct Blocked {
  int width = 0;
  int height = 0;
};
Blocked TurnQuarterBlocks(const std::uint32_t* in, int w, int h, std::uint32_t* out, bool clockwise);

// What a turn reads: the pixels of the part [left, left + width) ×
// [top, top + height) of the source picture, row by row; every source pixel
// outside that part reads as kEmptyPixel.
struct TurnSource {
  const std::uint32_t* pixels;
  int left;
  int top;
  int width;
  int height;
};

// Whether TurnRow can do any part of a row on this processor.
bool HasTurnRow();
// One destination row of the general turn, eight pixels at a time: source
// x = trunc(xc[k] + ys), source y = trunc(yc − xs[k]), kEmptyPixel outside
// the source's part. Returns the pixels done from the left.
int TurnRow(const double* xc, const double* xs, double ys, double yc, int width, const TurnSource& source,
            std::uint32_t* out);

// Blends count source pixels over the destination row as BlendFrame does
// (`fade` already scaled to 0..255 units, keyPixel 0x00RRGGBB when hasKey).
// Returns the pixels done from the left.
int BlendRow(const std::uint32_t* in, std::uint32_t* out, int count, int fade, bool hasKey, std::uint32_t keyPixel);

}  // namespace horavia::anim::kernels
