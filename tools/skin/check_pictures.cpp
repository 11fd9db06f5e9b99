// The skin's pictures, each through the decoder the program uses for its
// role: the face and the wheel's outline through the picture service (what
// the background and the window's shape go through), the hands, needle and
// wheel object as frame images keyed white, the end pictures as frame images
// keyed by their top-left pixel.
//
// Index
//   [reading]   ceilings before anything is decoded
//   [outline]   the face and the wheel
//   [turning]   hands and the needle
//   [ending]    the end pictures
#include <algorithm>
#include <cstdio>
#include <numeric>

#include "anim/frameimage/frame_image.h"
#include "anim/picture/gif_reader.h"
#include "anim/picture/picture.h"
#include "anim/picture/pixel_size.h"
#include "tools/skin/checks.h"
#include "tools/skin/picture_edges.h"
#include "tools/skin/picture_probe.h"

namespace horavia::tools::skin {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kWhiteKey = 0xFFFFFF;

std::string Size(int width, int height) { return std::to_string(width) + " × " + std::to_string(height); }
std::string At(const PixelCount& count) {
  return "(first at " + std::to_string(count.firstX) + ", " + std::to_string(count.firstY) + ")";
}
std::string Pixels(int count) { return std::to_string(count) + (count == 1 ? " pixel" : " pixels"); }
std::string Mib(std::uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f MiB", static_cast<double>(bytes) / (1 << 20));
  return text;
}

// [reading] --------------------------------------------------------------------

// The picture's shape when it may be decoded; reports why not otherwise.
std::optional<PictureShape> Decodable(const char* name, const FileBytes& file, Report& report) {
  if (file.status == ReadStatus::TooLarge) {
    report.problem(name, "is larger than " + Mib(kMaxPictureFileBytes) + "; not read (a clock picture needs far less)");
    return std::nullopt;
  }
  if (file.status == ReadStatus::Unreadable) {
    report.problem(name, "cannot be read (it is not a plain file)");
    return std::nullopt;
  }
  if (file.bytes.empty()) {
    report.problem(name, "is empty: the program shows no picture");
    return std::nullopt;
  }
  const std::optional<PictureShape> shape = ProbePicture(file.bytes);
  if (!shape) {
    report.problem(name, "does not decode: it is not a GIF, JPEG, BMP, PNG, icon or PCX picture, or its header is "
                         "cut short");
    return std::nullopt;
  }
  if (!WithinLimits(*shape)) {
    const std::string frames = shape->frames > 1 ? " in " + std::to_string(shape->frames) + " frames" : "";
    report.problem(name, std::string("is a ") + FormatName(shape->format) + " of " + Size(shape->width, shape->height) +
                             frames + ", " + Mib(DecodedBytes(*shape)) + " decoded: far more than a skin picture needs " +
                             "(this tool decodes at most " + std::to_string(kMaxCheckedSide) + " pixels a side)");
    return std::nullopt;
  }
  if (shape->cutShort) {
    report.problem(name, "is cut short: the file ends inside its data, so the program shows only what arrived");
  }
  return shape;
}

void NotDecoded(const char* name, const PictureShape& shape, const char* role, anim::DecodeError why,
                Report& report) {
  report.problem(name, std::string("does not decode as ") + role + " (" + FormatName(shape.format) +
                           "): " + anim::DecodeErrorText(why));
}

// A picture whose frames would take more than the program decodes of one
// picture: the program keeps the first ones that fit, as `load` did.
void FramesLeftOut(const char* name, const PictureShape& shape, const anim::FrameImageLoad& load, Report& report) {
  if (!load.framesLeftOut) return;
  report.problem(name, "has " + std::to_string(shape.frames) + " frames of " + Size(shape.width, shape.height) + ", " +
                           Mib(DecodedBytes(shape)) + " decoded: more than the " + Mib(anim::kMaxPictureBytes) +
                           " the program decodes of one picture, so it keeps only the first " +
                           std::to_string(load.image.frameCount()) + " frames");
}

void CheckClockSize(const char* name, int width, int height, const char* why, Report& report) {
  if (width == kClockSize && height == kClockSize) return;
  report.problem(name, "is " + Size(width, height) + "; it must be the clock's size, 300 × 300: " + why);
}

void OnlyFirstFrame(const char* name, const PictureShape& shape, Report& report) {
  if (shape.format != PictureFormat::Gif || shape.frames <= 1) return;
  report.warning(name, "has " + std::to_string(shape.frames) + " frames; the program shows only the first");
}

// [outline] --------------------------------------------------------------------

void CheckOutline(const char* name, bool face, const anim::Bitmap& bitmap, Report& report) {
  const PixelGrid grid = GridFromBitmap(bitmap);
  const int drawn = DrawnPixels(grid);
  if (drawn == 0) {
    report.problem(name, face ? "is all white: it gives the window no outline (the window keeps the wheel's, or "
                                "none) and the clock no face"
                              : "is all white: the wheel shows nothing and gives the window no outline in wheel mode");
    return;
  }
  if (drawn == grid.width * grid.height) {
    report.warning(name, "has no white: the window is the whole " + Size(grid.width, grid.height) + " rectangle");
  }
  if (const PixelCount holes = EnclosedBackground(grid); holes.count > 0) {
    report.warning(name, Pixels(holes.count) + " of white lie inside the picture " + At(holes) +
                             ": they are holes in the window");
  }
  if (const PixelCount fringe = NearWhiteEdge(grid); fringe.count > 0) {
    report.problem(name, Pixels(fringe.count) + " of near white border the white cut " + At(fringe) +
                             ": they show as a light fringe along the window's edge");
  }
  report.info(name, "the window's outline covers " + Pixels(drawn));
}

// The outline takes a GIF's first image as it is: its transparent colour
// stays a colour, and the screen around a smaller image is black.
void CheckGifOutline(const char* name, bool face, Bytes bytes, const anim::Bitmap& bitmap, Report& report) {
  anim::GifReader reader;
  if (!reader.Open(bytes)) return;
  const std::optional<anim::GifImage> image = reader.NextImage(anim::GifReader::AtTrailer::Stop);
  if (!image) return;
  if (image->left > 0 || image->top > 0 || image->left + image->width < reader.screenWidth() ||
      image->top + image->height < reader.screenHeight()) {
    report.warning(name, "its first image covers only part of its screen: the rest is black, and black is part of "
                         "the window");
  }
  const std::uint32_t transparent = anim::PixelFromColour(reader.transparentColour());
  if (!reader.transparentFlag() || transparent == kWhiteKey) return;
  if (std::find(bitmap.pixels.begin(), bitmap.pixels.end(), transparent) == bitmap.pixels.end()) return;
  char colour[16];
  std::snprintf(colour, sizeof colour, "#%06X", transparent);
  report.problem(name, std::string("marks ") + colour + " as transparent, but " +
                           (face ? "the clock face and the window's outline ignore" : "the window's outline ignores") +
                           " a GIF's transparency: only white is cut away, so that colour shows");
}

// [turning] --------------------------------------------------------------------

bool IsHand(SkinFile file) {
  return file == SkinFile::HourHand || file == SkinFile::MinuteHand || file == SkinFile::SecondHand;
}

void CheckPointsUp(const char* name, const PixelGrid& grid, Report& report) {
  const std::optional<int> tip = TipDirection(grid);
  if (!tip || *tip <= 30 || *tip >= 330) return;
  report.warning(name, "seems to point to " + std::to_string(*tip) + "° clockwise from 12 o'clock (most of it lies "
                       "that way from the centre); the program turns the picture from 12");
}

// [ending] ---------------------------------------------------------------------

std::string Timing(const anim::FrameImage& image, std::int64_t cycleMs) {
  std::string text = std::to_string(image.frameCount()) + (image.frameCount() == 1 ? " frame" : " frames");
  if (image.frameCount() == 1) return text;
  bool even = true;
  for (const anim::ImageFrame& frame : image.frames) even = even && frame.delay == image.frames[0].delay;
  if (even) {
    text += " of " + std::to_string(image.frames[0].delay) + " ms";
  } else {
    text += ", delays";
    for (int i = 0; i < image.frameCount() && i < 12; ++i) text += (i ? ", " : " ") + std::to_string(image.frames[i].delay);
    text += image.frameCount() > 12 ? ", … ms" : " ms";
  }
  char seconds[48];
  std::snprintf(seconds, sizeof seconds, " (%.2f s a cycle)", static_cast<double>(cycleMs) / 1000.0);
  return text + seconds;
}

bool DrawsSomething(const anim::FrameImage& image) {
  for (const anim::ImageFrame& frame : image.frames) {
    for (const std::uint32_t pixel : frame.pixels) {
      if ((pixel >> 24) != 0xFF && anim::PixelColour(pixel) != frame.keyColour) return true;
    }
  }
  return false;
}

}  // namespace

void CheckOutlinePicture(SkinFile file, const FileBytes& bytes, Report& report) {
  const bool face = file == SkinFile::Face;
  const char* name = FileName(file);
  const std::optional<PictureShape> shape = Decodable(name, bytes, report);
  if (!shape) return;
  // The wheel is an object too, and objects read PNG.
  if (!face) {
    const anim::FrameImageLoad load = anim::LoadFrameImage(bytes.bytes, kWhiteKey, false);
    if (!load.image.usable()) {
      NotDecoded(name, *shape, "the wheel", load.error, report);
      return;
    }
    FramesLeftOut(name, *shape, load, report);
  }
  if (shape->format == PictureFormat::Png) {
    report.problem(name, face ? "is a PNG: the clock face and the window's outline are read only from GIF, JPEG, "
                                "BMP, icon or PCX pictures, so the clock has no face"
                              : "is a PNG: the wheel shows, but the window's outline is read only from GIF, JPEG, "
                                "BMP, icon or PCX pictures, so wheel mode keeps the clock's outline");
    return;
  }
  const auto record = anim::DecodePicture(bytes.bytes);
  const std::optional<anim::Bitmap> bitmap = record ? anim::RealisePicture(*record) : std::nullopt;
  if (!bitmap || bitmap->empty()) {
    NotDecoded(name, *shape, face ? "the clock face" : "the window's outline",
               record ? anim::DecodeError::DamagedData : record.error(), report);
    return;
  }
  report.info(name, std::string(FormatName(shape->format)) + ", " + Size(bitmap->width, bitmap->height));
  CheckClockSize(name, bitmap->width, bitmap->height,
                 face ? "the face is drawn from the top-left corner and the window is cut from it"
                      : "the wheel turns about the picture's centre and the window is cut from it",
                 report);
  OnlyFirstFrame(name, *shape, report);
  if (shape->format == PictureFormat::Gif) CheckGifOutline(name, face, bytes.bytes, *bitmap, report);
  CheckOutline(name, face, *bitmap, report);
}

void CheckTurningPicture(SkinFile file, const FileBytes& bytes, Report& report) {
  const char* name = FileName(file);
  const std::optional<PictureShape> shape = Decodable(name, bytes, report);
  if (!shape) return;
  const anim::FrameImageLoad load = anim::LoadFrameImage(bytes.bytes, kWhiteKey, false);
  const anim::FrameImage& image = load.image;
  if (!image.usable()) {
    NotDecoded(name, *shape, IsHand(file) ? "a hand" : "the needle", load.error, report);
    return;
  }
  FramesLeftOut(name, *shape, load, report);
  report.info(name, std::string(FormatName(shape->format)) + ", " + Size(image.width, image.height));
  CheckClockSize(name, image.width, image.height, "the program turns the whole picture about its centre", report);
  OnlyFirstFrame(name, *shape, report);
  const PixelGrid grid = GridFromFrame(image, 0);
  if (DrawnPixels(grid) == 0) {
    report.problem(name, "is all white (white is transparent): nothing of it shows");
    return;
  }
  if (const PixelCount fringe = NearWhiteEdge(grid); fringe.count > 0) {
    report.problem(name, Pixels(fringe.count) + " of near white border the white background " + At(fringe) +
                             ": they show as a light halo when it is drawn over the face");
  }
  if (IsHand(file) && image.width == kClockSize && image.height == kClockSize) CheckPointsUp(name, grid, report);
}

void CheckEndPicture(SkinFile file, const FileBytes& bytes, const EndPicturePlacement& placement, Report& report) {
  const char* name = FileName(file);
  const std::optional<PictureShape> shape = Decodable(name, bytes, report);
  if (!shape) return;
  const anim::FrameImageLoad load = anim::LoadFrameImage(bytes.bytes, anim::kNoKey, true);
  const anim::FrameImage& image = load.image;
  if (!image.usable()) {
    NotDecoded(name, *shape, "an end picture", load.error, report);
    return;
  }
  FramesLeftOut(name, *shape, load, report);
  const std::int64_t cycleMs =
      std::accumulate(image.frames.begin(), image.frames.end(), std::int64_t{0},
                      [](std::int64_t sum, const anim::ImageFrame& f) { return sum + f.delay; });
  char key[16];
  std::snprintf(key, sizeof key, "#%06X", anim::PixelFromColour(image.frames[0].keyColour));
  report.info(name, std::string(FormatName(shape->format)) + ", " + Size(image.width, image.height) + ", " +
                        Timing(image, cycleMs) + "; its top-left colour " + key + " is transparent");
  if (placement.plays > 0) {
    char total[64];
    std::snprintf(total, sizeof total, "about %.1f s", placement.plays * (static_cast<double>(cycleMs) / 1000.0));
    report.info(name, "plays " + std::to_string(placement.plays) + " times after a spin (" +
                          (image.frameCount() > 1 ? std::string(total) : "a still picture") + ")");
  }
  if (image.frameCount() == 1 && placement.plays > 0) {
    report.warning(name, "is a still picture: it never finishes playing, so it stays on screen after a spin");
  }
  if (!DrawsSomething(image)) {
    report.warning(name, "draws nothing: every pixel has its top-left pixel's colour, which is transparent");
  }
  const bool placed = placement.x >= 0 && placement.y >= 0 && placement.x < kClockSize && placement.y < kClockSize;
  if (placed && (placement.x + image.width > kClockSize || placement.y + image.height > kClockSize)) {
    report.warning(name, "at (" + std::to_string(placement.x) + ", " + std::to_string(placement.y) + ") its " +
                             Size(image.width, image.height) + " reach past the clock's 300 × 300 box; the rest is "
                             "cut off");
  }
}

}  // namespace horavia::tools::skin
