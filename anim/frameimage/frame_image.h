// Frame images: the animation units' pictures, one or more frames of 32-bit
// pixels kept in memory and transformed and composited by our own code.
//
// Pixel layout (uint32 0xTTRRGGBB, bytes B, G, R, T in memory): T is the
// transparency, 0 opaque, 255 fully transparent, values between blend
// partially. 0xFFFFFFFF (white, fully transparent) fills every area that
// carries no picture. Key colours are colour values 0x00BBGGRR, or kNoKey;
// a pixel matches a key when its low three bytes equal the key with red and
// blue exchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "anim/frameimage/text_renderer.h"
#include "anim/picture/decoded.h"

namespace horavia::anim {

// Sizes: every frame image, all its frames together, stays within the
// picture ceiling of pixel_size.h (4096 × 4096 pixels). Loading keeps the
// frames that fit and leaves the rest out; every operation that would build
// a larger image builds none.
inline constexpr std::uint32_t kNoKey = 0xFF000000;
inline constexpr std::uint32_t kEmptyPixel = 0xFFFFFFFF;

struct ImageFrame {
  std::uint32_t keyColour = kNoKey;
  int delay = 0;                      // milliseconds; 0 for still pictures
  std::vector<std::uint32_t> pixels;  // width × height, top row first
};

struct FrameImage {
  int width = 0;
  int height = 0;
  std::vector<ImageFrame> frames;

  int frameCount() const { return static_cast<int>(frames.size()); }
  // Every operation ignores an image that is not usable.
  bool usable() const { return width > 0 && height > 0 && !frames.empty(); }

  // The image LoadFrameImage gives, empty when the bytes do not decode.
  static FrameImage LoadFromBytes(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey);

  // The text (code page 936, lines split at "\n", a "\r" before it dropped)
  // in exactly two colours: `colour` on a white background, or on black when
  // the text is white. The background is the key; delay 0.
  static FrameImage LoadFromText(std::string_view text, TextRenderer& renderer, std::uint32_t colour);
};

// What loading picture bytes gave: the image, or why it is empty, and
// whether frames were left out because all of them would not fit under the
// ceiling (the first ones that fit are kept).
struct FrameImageLoad {
  FrameImage image;
  DecodeError error = DecodeError::None;
  bool framesLeftOut = false;
};

// Decodes picture bytes: a GIF into every frame (as many as fit), a PNG
// through libpng, everything else through the picture service as one frame.
// With autoKey each frame's key is the colour of its top-left pixel, else
// `key` (which may be kNoKey).
FrameImageLoad LoadFrameImage(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey);

// The GIF loader on its own (LoadFrameImage picks it for GIF signatures).
FrameImageLoad LoadGifFrames(std::span<const std::uint8_t> bytes, std::uint32_t key, bool autoKey);

// Colour value 0x00BBGGRR of a pixel, transparency dropped.
std::uint32_t PixelColour(std::uint32_t pixel);

// [operations] ----------------------------------------------------------------

// A deep copy; nothing for an unusable image.
std::optional<FrameImage> Clone(const FrameImage& image);

// 1 mirrors left to right, 2 turns upside down, 3 both; others do nothing.
void Flip(FrameImage& image, int type);

struct ImageSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// A rectangle of an image's pixels, relative to its top-left corner.
struct ImageArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ImageArea&, const ImageArea&) = default;
};

// A new image turned clockwise by `degrees` about its top-left corner:
// quarter turns exactly, any other angle by nearest neighbour with
// kEmptyPixel outside the source. Nothing when the image is unusable or the
// result would be smaller than one pixel or beyond the ceiling.
std::optional<FrameImage> Rotate(const FrameImage& image, double degrees);
// The size Rotate gives an image of that size and frame count, or nothing
// when it gives none; computed without touching a pixel.
std::optional<ImageSize> RotatedSize(ImageSize size, int frames, double degrees);
// The part of the picture Rotate gives (for an image of that size and frame
// count) that holds every pixel taken from the source's area `from`: each
// turned pixel outside it comes from outside `from`, or from outside the
// source. Empty when `from` is, or when Rotate gives nothing.
ImageArea TurnedArea(ImageSize size, int frames, double degrees, ImageArea from);
// The part `part` of what Rotate gives, pixel for pixel, turned without
// turning the rest. Nothing when Rotate gives nothing or the part does not
// lie inside the turned picture.
std::optional<FrameImage> RotatePart(const FrameImage& image, double degrees, ImageArea part);
// RotatePart for a caller that only draws and hit-tests the part: a pixel
// whose source lies outside `shown`, the source's ShownArea, is kEmptyPixel
// rather than what the source holds there, which does not show either. A
// thin hand's turned part is mostly such pixels; only the few columns of
// each row that reach the hand are turned.
std::optional<FrameImage> RotateShownPart(const FrameImage& image, double degrees, ImageArea part, ImageArea shown);

// A picture of which only a part is held: `pixels` are the part `kept` of a
// picture `whole` in size, and every pixel outside that part counts as
// kEmptyPixel. A turned thin hand keeps the part of its turned picture that
// its pixels reach; its source may keep only the part that shows.
struct PicturePart {
  const FrameImage* pixels = nullptr;
  ImageSize whole;
  ImageArea kept;

  // All of a picture; no pixels for none.
  static PicturePart All(const FrameImage* pixels) {
    if (pixels == nullptr) return {};
    return {pixels, {pixels->width, pixels->height}, {0, 0, pixels->width, pixels->height}};
  }
  // The pixels are usable, of the part's size, and the part lies in the
  // whole picture.
  bool holdsPart() const {
    return pixels != nullptr && pixels->usable() && pixels->width == kept.width && pixels->height == kept.height &&
           kept.left >= 0 && kept.top >= 0 && kept.left <= whole.width - kept.width &&
           kept.top <= whole.height - kept.height;
  }
};

// RotateShownPart for a source of which only the part that shows is held
// (`source.kept`, its ShownArea): the pixels that show are the same, and the
// turn never reads outside that part.
std::optional<FrameImage> RotateShownPart(const PicturePart& source, double degrees, ImageArea part);

// Scales by per-mille factors (1000 = unchanged) by nearest neighbour; the
// keys are dropped. Nothing happens unless both factors are above 0 and not
// both 1000. A factor below 1000 with the other above scales in two passes,
// x first. A pass whose result is below one pixel or beyond the ceiling
// empties the image.
void Scale(FrameImage& image, int perMilleX, int perMilleY);
// The size Scale leaves, or nothing when it would empty the image.
std::optional<ImageSize> ScaledSize(ImageSize size, int frames, int perMilleX, int perMilleY);

// Moves every non-key pixel towards `colour` by depth percent (capped at 100).
void Tint(FrameImage& image, std::uint32_t colour, int depthPercent);

// Lightens (percent > 0) or darkens (< 0) every non-key pixel.
void Brighten(FrameImage& image, int percent);

// A 32-bit pixel buffer with its size, for blending and copying.
struct PixelView {
  std::uint32_t* pixels;
  int width;
  int height;
};
struct ConstPixelView {
  const std::uint32_t* pixels;
  int width;
  int height;
};

struct CopyArea {
  int destinationX = 0;
  int destinationY = 0;
  int sourceX = 0;
  int sourceY = 0;
  int width = 0;
  int height = 0;
};

// Blends source pixels into the destination. A negative destination origin
// clips the copy; a source rectangle that does not lie inside the source
// draws nothing. transparencyPercent fades the whole frame; pixels whose
// colour equals `key` (0x00BBGGRR or kNoKey) are skipped.
void BlendFrame(PixelView destination, ConstPixelView source, CopyArea area, int transparencyPercent,
                std::uint32_t key);

// Copies the rectangle, clipped as BlendFrame clips, without blending.
void CopyRect(PixelView destination, ConstPixelView source, CopyArea area);

// True when (pointX, pointY) lies on the image drawn at (imageX, imageY), on a
// pixel that is not fully transparent and not the frame's key colour.
bool HitTest(const FrameImage& image, int imageX, int imageY, int frameIndex, int pointX, int pointY);

// The pixels of one frame that HitTest finds, row by row; empty for a frame
// the image does not have. Lets a hit test work without the pixels.
std::vector<bool> HitMask(const FrameImage& image, int frameIndex);

// The smallest area holding every pixel, of any frame, that BlendFrame can
// show at a transparency of 0 or more: neither fully transparent nor its
// frame's key. Empty (all 0) when no pixel shows or the image is unusable.
ImageArea ShownArea(const FrameImage& image);

// Same size and frame count, and per frame the same key, delay and pixels.
bool Equal(const FrameImage& a, const FrameImage& b);

// Windows-style MulDiv: a × b / c rounded to nearest, halves away from zero,
// computed in 64 bits; -1 when c is 0.
int MulDiv(std::int64_t a, std::int64_t b, std::int64_t c);

}  // namespace horavia::anim
