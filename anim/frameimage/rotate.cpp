// Turning frame images.
//
// Index
//   quarter turns   exact pixel moves; whole frames in 4 × 4 vector blocks
//   general turn    nearest neighbour by the turned corners' bounding box
//   parts           the part of a turned picture that a part of the source
//                   reaches, and that part turned alone
//   entry points    Rotate, RotatedSize, TurnedArea, RotatePart, RotateShownPart
//
// Every turn, of a whole picture or of a part, goes through the same loops
// with the same arithmetic, so a part turned alone equals that part of the
// whole turned picture pixel for pixel. The loops read the source through a
// view of the part of it that is held (SourceView), which is all of it
// unless the source was trimmed to what shows of it.
#include <algorithm>
#include <cmath>
#include <optional>

#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/pixel_kernels.h"
#include "anim/picture/pixel_size.h"

namespace horavia::anim {

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

bool Whole(const ImageArea& part, ImageSize size) { return part == ImageArea{0, 0, size.width, size.height}; }

// The source of a turn: a picture `whole` in size of which `image` holds the
// part `kept` (all of it, or what a trimmed picture keeps); every pixel
// outside that part reads as kEmptyPixel.
struct SourceView {
  const FrameImage& image;
  ImageSize whole;
  ImageArea kept;

  static SourceView Of(const FrameImage& image) {
    return {image, {image.width, image.height}, {0, 0, image.width, image.height}};
  }
  bool holdsWhole() const { return Whole(kept, whole); }
  kernels::TurnSource frame(std::size_t f) const {
    return {image.frames[f].pixels.data(), kept.left, kept.top, kept.width, kept.height};
  }
};

// The offset in a frame of the view of source pixel (x, y), -1 outside the
// part it holds.
int HeldOffset(int x, int y, const kernels::TurnSource& source) {
  const int column = x - source.left;
  const int row = y - source.top;
  if (static_cast<unsigned>(column) >= static_cast<unsigned>(source.width) ||
      static_cast<unsigned>(row) >= static_cast<unsigned>(source.height)) {
    return -1;
  }
  return row * source.width + column;
}

// Degrees into [0, 360).
double NormalisedDegrees(double degrees) {
  const double a = std::fmod(degrees, 360.0);
  return a < 0 ? a + 360.0 : a;
}

// [SECTION] quarter turns

// Which source pixel a quarter turn puts at destination (x, y), for a
// w × h source: none takes (x, y), one quarter clockwise takes
// (y, h − 1 − x), two take (w − 1 − x, h − 1 − y), three take (w − 1 − y, x).
struct QuarterPick {
  int quarter;
  int w;
  int h;
  std::pair<int, int> operator()(int x, int y) const {
    if (quarter == 0) return {x, y};
    if (quarter == 1) return {y, h - 1 - x};
    if (quarter == 2) return {w - 1 - x, h - 1 - y};
    return {w - 1 - y, x};
  }
};

// Destination pixels `area`, written at (x − outLeft, y − outTop) of an
// output `outWidth` wide. The plain form of every quarter turn: the edges
// the vector blocks leave, and parts.
void TurnPixels(const kernels::TurnSource& in, std::uint32_t* out, int outWidth, int outLeft, int outTop,
                ImageArea area, QuarterPick pick) {
  for (int y = area.top; y < area.top + area.height; ++y) {
    std::uint32_t* row = out + static_cast<std::size_t>(y - outTop) * outWidth;
    for (int x = area.left; x < area.left + area.width; ++x) {
      const auto [sx, sy] = pick(x, y);
      const int offset = HeldOffset(sx, sy, in);
      row[x - outLeft] = offset >= 0 ? in.pixels[offset] : kEmptyPixel;
    }
  }
}

// A whole frame turned one or three quarters (w × h source, h × w
// destination): the vector kernel does the whole 4 × 4 blocks, the plain
// loop the edges.
void TurnQuarterFrame(const std::uint32_t* in, int w, int h, std::uint32_t* out, int quarter) {
  const int width = h;
  const int height = w;
  const QuarterPick pick{quarter, w, h};
  const kernels::Blocked blocked = kernels::TurnQuarterBlocks(in, w, h, out, quarter == 1);
  const kernels::TurnSource source{in, 0, 0, w, h};
  TurnPixels(source, out, width, 0, 0, {blocked.width, 0, width - blocked.width, height}, pick);
  TurnPixels(source, out, width, 0, 0, {0, blocked.height, blocked.width, height - blocked.height}, pick);
}

// The part `part` of the source turned `quarter` (0 to 3) quarters
// clockwise.
FrameImage QuarterTurns(const SourceView& source, int quarter, ImageArea part) {
  const int w = source.whole.width;
  const int h = source.whole.height;
  const ImageSize turned = quarter % 2 == 0 ? ImageSize{w, h} : ImageSize{h, w};
  const bool whole = Whole(part, turned) && source.holdsWhole();
  FrameImage result = EmptyLike(source.image, part.width, part.height);
  const QuarterPick pick{quarter, w, h};
  for (std::size_t f = 0; f < source.image.frames.size(); ++f) {
    const std::uint32_t* in = source.image.frames[f].pixels.data();
    std::uint32_t* out = result.frames[f].pixels.data();
    if (!whole || quarter == 0) {
      TurnPixels(source.frame(f), out, part.width, part.left, part.top, part, pick);
    } else if (quarter == 2) {
      // Each row is the mirrored opposite row.
      for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = in + static_cast<std::size_t>(h - 1 - y) * w;
        std::reverse_copy(row, row + w, out + static_cast<std::size_t>(y) * w);
      }
    } else {
      TurnQuarterFrame(in, w, h, out, quarter);
    }
  }
  return result;
}

// [SECTION] general turn

// The general turn's geometry: sine, cosine, the top-left corner of the
// turned corners' bounding box, and the turned picture's size.
struct Turn {
  double s = 0;
  double c = 0;
  double minX = 0;
  double minY = 0;
  ImageSize size;
};

// Nothing when the turned picture would be below one pixel, or beyond the
// ceiling with that many frames.
std::optional<Turn> GeneralTurn(ImageSize size, int frames, double degrees) {
  const double theta = degrees * kDegreesToRadians;
  const double s = std::sin(theta);
  const double c = std::cos(theta);
  const double w = size.width;
  const double h = size.height;
  const double cornerX[4] = {0, w * c, -h * s, w * c - h * s};
  const double cornerY[4] = {0, w * s, h * c, w * s + h * c};
  const double minX = *std::min_element(cornerX, cornerX + 4);
  const double maxX = *std::max_element(cornerX, cornerX + 4);
  const double minY = *std::min_element(cornerY, cornerY + 4);
  const double maxY = *std::max_element(cornerY, cornerY + 4);
  const double newWidth = std::ceil(maxX - minX);
  const double newHeight = std::ceil(maxY - minY);
  if (newWidth < 1 || newHeight < 1 || newWidth > kMaxPictureSide || newHeight > kMaxPictureSide) return std::nullopt;
  const ImageSize turned{static_cast<int>(newWidth), static_cast<int>(newHeight)};
  if (!CheckedFramePixels(turned.width, turned.height, frames)) return std::nullopt;
  return Turn{s, c, minX, minY, turned};
}

// Destination columns [first, last) of a row.
struct Columns {
  int first = 0;
  int last = 0;
};

// The columns of destination row y (already offset by minY) whose source
// pixel can lie in `within`: u = u0 + k·c and v = v0 − k·s must truncate
// into it, so u in (L − 1, R) and v in (T − 1, B), each a range of k. A
// column's margin on both sides covers the rounding of the sums.
Columns ColumnsReaching(const Turn& turn, ImageArea part, double y, ImageArea within) {
  const double x0 = part.left + turn.minX;
  const double u0 = x0 * turn.c + y * turn.s;
  const double v0 = y * turn.c - x0 * turn.s;
  double lo = 0;
  double hi = part.width;
  // Narrows [lo, hi) to the k where from < start + k·slope < to.
  auto narrow = [&](double start, double slope, double from, double to) {
    if (slope == 0) {
      if (!(start > from && start < to)) hi = lo;
      return;
    }
    const double a = (from - start) / slope;
    const double b = (to - start) / slope;
    lo = std::max(lo, std::min(a, b));
    hi = std::min(hi, std::max(a, b));
  };
  narrow(u0, turn.c, within.left - 1.0, static_cast<double>(within.left) + within.width);
  narrow(v0, -turn.s, within.top - 1.0, static_cast<double>(within.top) + within.height);
  if (!(lo < hi)) return {};
  const int first = static_cast<int>(std::clamp(std::floor(lo) - 1, 0.0, static_cast<double>(part.width)));
  const int last = static_cast<int>(std::clamp(std::ceil(hi) + 1, 0.0, static_cast<double>(part.width)));
  return {first, last};
}

// The part `part` of the turned picture. Destination (k, j) takes source
// x = trunc(X·c + Y·s), y = trunc(Y·c − X·s) with X = k + minX and
// Y = j + minY, kEmptyPixel outside the part of the source held. The X
// products are the same for every row, so they are computed once; each term
// is rounded exactly as the direct formula rounds, whatever the part. With
// `within`, the columns whose source lies outside that area of the source
// are kEmptyPixel without being turned.
FrameImage TurnAnyAngle(const SourceView& source, const Turn& turn, ImageArea part, std::optional<ImageArea> within) {
  const double s = turn.s;
  const double c = turn.c;
  const int width = part.width;
  std::vector<double> xc(width);
  std::vector<double> xs(width);
  for (int k = 0; k < width; ++k) {
    const double x = (part.left + k) + turn.minX;
    xc[k] = x * c;
    xs[k] = x * s;
  }
  const std::vector<ImageFrame>& frames = source.image.frames;
  FrameImage result = EmptyLike(source.image, width, part.height);
  // Without the vector row each row first becomes a list of source offsets
  // (-1 outside), a loop the compiler vectorises; the frames then share it.
  const bool vectorRows = kernels::HasTurnRow();
  std::vector<std::int32_t> offsets(width);
  for (int j = 0; j < part.height; ++j) {
    const double y = (part.top + j) + turn.minY;
    const double ys = y * s;
    const double yc = y * c;
    const Columns columns = within ? ColumnsReaching(turn, part, y, *within) : Columns{0, width};
    for (ImageFrame& frame : result.frames) {
      std::uint32_t* out = frame.pixels.data() + static_cast<std::size_t>(j) * width;
      std::fill(out, out + columns.first, kEmptyPixel);
      std::fill(out + std::max(columns.first, columns.last), out + width, kEmptyPixel);
    }
    if (columns.first >= columns.last) continue;
    if (vectorRows) {
      for (std::size_t f = 0; f < frames.size(); ++f) {
        std::uint32_t* out = result.frames[f].pixels.data() + static_cast<std::size_t>(j) * width;
        const kernels::TurnSource in = source.frame(f);
        const int turned = kernels::TurnRow(xc.data() + columns.first, xs.data() + columns.first, ys, yc,
                                            columns.last - columns.first, in, out + columns.first);
        for (int k = columns.first + turned; k < columns.last; ++k) {
          const int offset = HeldOffset(static_cast<int>(xc[k] + ys), static_cast<int>(yc - xs[k]), in);
          out[k] = offset >= 0 ? in.pixels[offset] : kEmptyPixel;
        }
      }
      continue;
    }
    const kernels::TurnSource first = source.frame(0);
    for (int k = columns.first; k < columns.last; ++k) {
      offsets[k] = HeldOffset(static_cast<int>(xc[k] + ys), static_cast<int>(yc - xs[k]), first);
    }
    for (std::size_t f = 0; f < frames.size(); ++f) {
      const std::uint32_t* in = frames[f].pixels.data();
      std::uint32_t* out = result.frames[f].pixels.data() + static_cast<std::size_t>(j) * width;
      for (int k = columns.first; k < columns.last; ++k) out[k] = offsets[k] >= 0 ? in[offsets[k]] : kEmptyPixel;
    }
  }
  return result;
}

// [SECTION] parts

// The source pixels [L, R) × [T, B) are those whose turned coordinates
// (u, v) = (X·c + Y·s, Y·c − X·s) truncate into them: u in [L, R) (in
// (−1, R) when L is 0, since truncation takes -0.5 to 0 too) and v likewise.
// That rectangle turned back, X = u·c − v·s, Y = u·s + v·c, bounds the
// destination pixels (k, j) = (X − minX, Y − minY). A tolerance far above
// the rounding of the sums keeps a pixel on the edge inside.
ImageArea GeneralTurnedArea(const Turn& turn, ImageArea from) {
  constexpr double kTolerance = 1e-6;
  const double u[2] = {from.left > 0 ? from.left : -1.0, static_cast<double>(from.left) + from.width};
  const double v[2] = {from.top > 0 ? from.top : -1.0, static_cast<double>(from.top) + from.height};
  double minK = INFINITY, maxK = -INFINITY, minJ = INFINITY, maxJ = -INFINITY;
  for (double cu : u) {
    for (double cv : v) {
      const double k = cu * turn.c - cv * turn.s - turn.minX;
      const double j = cu * turn.s + cv * turn.c - turn.minY;
      minK = std::min(minK, k);
      maxK = std::max(maxK, k);
      minJ = std::min(minJ, j);
      maxJ = std::max(maxJ, j);
    }
  }
  const int left = std::max(0, static_cast<int>(std::ceil(minK - kTolerance)));
  const int top = std::max(0, static_cast<int>(std::ceil(minJ - kTolerance)));
  const int right = std::min(turn.size.width, static_cast<int>(std::floor(maxK + kTolerance)) + 1);
  const int bottom = std::min(turn.size.height, static_cast<int>(std::floor(maxJ + kTolerance)) + 1);
  if (left >= right || top >= bottom) return {};
  return {left, top, right - left, bottom - top};
}

// Where a quarter turn puts the source pixels [L, R) × [T, B) of a w × h
// source: the inverse of QuarterPick.
ImageArea QuarterTurnedArea(int quarter, ImageSize size, ImageArea from) {
  const int w = size.width;
  const int h = size.height;
  if (quarter == 1) return {h - from.top - from.height, from.left, from.height, from.width};
  if (quarter == 2) return {w - from.left - from.width, h - from.top - from.height, from.width, from.height};
  return {from.top, w - from.left - from.width, from.height, from.width};
}

bool Inside(ImageArea part, ImageSize size) {
  return part.width > 0 && part.height > 0 && part.left >= 0 && part.top >= 0 && part.left <= size.width - part.width &&
         part.top <= size.height - part.height;
}

// RotatePart of the source, with `within` as TurnAnyAngle takes it.
std::optional<FrameImage> TurnPart(const SourceView& source, double degrees, ImageArea part,
                                   std::optional<ImageArea> within) {
  const int frames = source.image.frameCount();
  const std::optional<ImageSize> turned = RotatedSize(source.whole, frames, degrees);
  if (!source.image.usable() || !turned || !Inside(part, *turned)) return std::nullopt;
  const double a = NormalisedDegrees(degrees);
  if (a == 0) {
    if (source.holdsWhole() && Whole(part, source.whole)) return Clone(source.image);
    return QuarterTurns(source, 0, part);
  }
  if (a == 90 || a == 180 || a == 270) return QuarterTurns(source, static_cast<int>(a / 90), part);
  return TurnAnyAngle(source, *GeneralTurn(source.whole, frames, a), part, within);
}

}  // namespace

// [SECTION] entry points

std::optional<FrameImage> Rotate(const FrameImage& image, double degrees) {
  const std::optional<ImageSize> size = RotatedSize({image.width, image.height}, image.frameCount(), degrees);
  if (!image.usable() || !size) return std::nullopt;
  return RotatePart(image, degrees, {0, 0, size->width, size->height});
}

std::optional<ImageSize> RotatedSize(ImageSize size, int frames, double degrees) {
  if (size.width < 1 || size.height < 1 || frames < 1 || !std::isfinite(degrees)) return std::nullopt;
  const double a = NormalisedDegrees(degrees);
  if (a == 0 || a == 180) return size;
  if (a == 90 || a == 270) return ImageSize{size.height, size.width};
  const std::optional<Turn> turn = GeneralTurn(size, frames, a);
  if (!turn) return std::nullopt;
  return turn->size;
}

ImageArea TurnedArea(ImageSize size, int frames, double degrees, ImageArea from) {
  const std::optional<ImageSize> turned = RotatedSize(size, frames, degrees);
  if (!turned || from.width <= 0 || from.height <= 0) return {};
  const double a = NormalisedDegrees(degrees);
  if (a == 0) return from;
  if (a == 90 || a == 180 || a == 270) return QuarterTurnedArea(static_cast<int>(a / 90), size, from);
  return GeneralTurnedArea(*GeneralTurn(size, frames, a), from);
}

std::optional<FrameImage> RotatePart(const FrameImage& image, double degrees, ImageArea part) {
  return TurnPart(SourceView::Of(image), degrees, part, std::nullopt);
}

std::optional<FrameImage> RotateShownPart(const FrameImage& image, double degrees, ImageArea part, ImageArea shown) {
  return TurnPart(SourceView::Of(image), degrees, part, shown);
}

std::optional<FrameImage> RotateShownPart(const PicturePart& source, double degrees, ImageArea part) {
  if (!source.holdsPart()) return std::nullopt;
  return TurnPart({*source.pixels, source.whole, source.kept}, degrees, part, source.kept);
}

}  // namespace horavia::anim
