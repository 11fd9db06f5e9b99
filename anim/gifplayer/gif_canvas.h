// The GIF player's canvas: an animated GIF's images composed one after the
// other on a picture of the GIF's logical screen, at the pace the caller sets
// (the player's worker thread). Pure pixel work over the GifReader, no
// threads and no toolkit.
//
// Composing one image: the area of the image before it is put back when that
// image asked for it (disposal 2 or 3: both restore what the area held
// before that image), the area this image covers is saved when it asks for
// the same, then its pixels go onto the canvas at its left and top; pixels of
// the transparent colour keep what the canvas shows (the background colour or
// earlier images). After the last image the walk starts again from the
// first, so the animation loops for ever.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "anim/picture/bitmap.h"
#include "anim/picture/gif_reader.h"

namespace horavia::anim {

class GifCanvas {
 public:
  // Opens the bytes and reads the first image to tell a single image from
  // an animation: a single image is composed at once; an animation is
  // rewound and composes from its first image on the first composeNext().
  // `background` is the canvas fill as a pixel 0x00RRGGBB. False (and an
  // empty canvas) when the bytes are not a GIF whose first image decodes.
  bool open(std::span<const std::uint8_t> bytes, std::uint32_t background);

  bool opened() const { return opened_; }
  bool singleImage() const { return single_; }
  // Whether an image has been composed: the canvas shows something.
  bool hasPicture() const { return !canvas_.empty(); }
  const Bitmap& canvas() const { return canvas_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Back to the first image, keeping the canvas as it is (a restarted
  // animation draws over what the last run left).
  void rewind();

  // Composes the next image; false when the data yields none (the canvas
  // then stays as it was).
  bool composeNext();
  // The delay of the image composed last, in milliseconds.
  std::uint32_t delayMs() const { return delayMs_; }

 private:
  struct SavedArea {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
  };

  std::optional<GifImage> nextImage();
  void ensureCanvas();
  void draw(const GifImage& image);
  SavedArea save(const GifImage& image) const;
  void restore(const SavedArea& area);

  GifReader reader_;
  bool opened_ = false;
  bool single_ = false;
  int width_ = 0;
  int height_ = 0;
  std::uint32_t background_ = 0;
  Bitmap canvas_;
  std::optional<SavedArea> pendingRestore_;
  std::uint32_t delayMs_ = kDefaultGifDelayMs;
};

}  // namespace horavia::anim
