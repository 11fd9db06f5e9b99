// The picture box's player window: a child window that shows one picture in
// its placement. An animated GIF plays on a worker (GifAnimation) from the
// first paint when auto play is on; a single-image GIF, and a picture of any
// other format, is drawn directly, with no thread. The bytes are decoded
// when the picture is first painted or played: a picture box that only
// holds bytes for others to read, hidden, never holds their pixels.
//
// Painting follows the player's settings: the window is filled with the
// background colour before drawing unless keepBackground is on (then what
// lies behind the player shows around the picture); transparent GIF pixels
// always show the background colour or earlier images, never the parent.
#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/controls/gif_animation.h"

namespace horavia::ui::controls {

class GifPlayer : public QWidget {
 public:
  explicit GifPlayer(QWidget* parent);
  // Stops the worker before anything it uses goes.
  ~GifPlayer() override;

  // Stops what plays and shows these bytes instead; empty bytes, or bytes no
  // decoder reads, show nothing.
  void load(const std::vector<std::uint8_t>& bytes);
  // Whether the bytes loaded last have been decoded.
  bool decoded() const { return decoded_; }

  // Settings: placement 0-2 (natural size at the top-left, stretched,
  // centred and reduced when larger); background colour 0x00BBGGRR
  // (0xFF000000: the system's button face); keep background; auto play.
  void setPlacement(std::int32_t placement);
  void setBackground(std::uint32_t colour);
  void setKeepBackground(bool keep);
  void setAutoPlay(bool autoPlay);

  // An animation plays now.
  bool playing() const { return animation_.running(); }
  void play();
  void stopPlaying() { animation_.stop(); }

  GifAnimation& animation() {
    decode();
    return animation_;
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void decode();
  QColor backgroundColour() const;
  std::uint32_t backgroundPixel() const;
  // The picture to draw now: the still, or a copy of the canvas.
  std::optional<QImage> currentPicture() const;

  std::vector<std::uint8_t> bytes_;  // kept so a new background can reload them
  GifAnimation animation_;
  std::optional<QImage> still_;
  std::int32_t placement_ = 0;
  std::uint32_t background_ = 0xFFFFFF;
  bool keepBackground_ = true;
  bool autoPlay_ = true;
  bool started_ = false;
  bool decoded_ = true;  // nothing loaded is nothing to decode
};

}  // namespace horavia::ui::controls
