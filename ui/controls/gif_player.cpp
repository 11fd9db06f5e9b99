#include "ui/controls/gif_player.h"

#include <QPainter>

#include "anim/gifplayer/placement.h"
#include "anim/picture/picture.h"
#include "ui/controls/unit_support.h"
#include "ui/units/pictures.h"

namespace horavia::ui::controls {
GifPlayer::GifPlayer(QWidget* parent)
    : QWidget(parent),
      // The worker asks for a repaint; the paint itself runs on this thread.
      animation_([this] { QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection); }) {}

GifPlayer::~GifPlayer() { animation_.stop(); }

void GifPlayer::load(const std::vector<std::uint8_t>& bytes) {
  animation_.clear();
  still_.reset();
  started_ = false;
  bytes_ = bytes;
  decoded_ = bytes_.empty();
  update();
}

void GifPlayer::decode() {
  if (decoded_) return;
  decoded_ = true;
  if (anim::DetectPictureKind(bytes_) == anim::PictureKind::Gif) {
    animation_.load(bytes_, backgroundPixel());
  } else {
    still_ = DecodeImage(bytes_);
  }
}

void GifPlayer::setPlacement(std::int32_t placement) {
  placement_ = base::Clamp(placement, 0, 2);
  update();
}

// The canvas is filled with the background: a new colour reloads it.
void GifPlayer::setBackground(std::uint32_t colour) {
  if (colour == background_) return;
  background_ = colour;
  if (decoded_ && animation_.loaded()) {
    const bool wasPlaying = playing();
    load(std::vector<std::uint8_t>(bytes_));
    if (wasPlaying) play();
  }
  update();
}

void GifPlayer::setKeepBackground(bool keep) {
  keepBackground_ = keep;
  update();
}

void GifPlayer::setAutoPlay(bool autoPlay) { autoPlay_ = autoPlay; }

void GifPlayer::play() {
  decode();
  if (!animation_.animated()) return;
  started_ = true;
  animation_.start();
}

QColor GifPlayer::backgroundColour() const { return ColourOf(background_, palette().color(QPalette::Button)); }

std::uint32_t GifPlayer::backgroundPixel() const { return backgroundColour().rgb() & 0x00FFFFFFu; }

std::optional<QImage> GifPlayer::currentPicture() const {
  if (still_) return still_;
  std::optional<QImage> copy;
  animation_.withCanvas([&copy](const anim::Bitmap& canvas) { copy = ImageFromBitmap(canvas); });
  return copy;
}

void GifPlayer::paintEvent(QPaintEvent*) {
  decode();
  QPainter painter(this);
  auto fill = [&] {
    if (!keepBackground_) painter.fillRect(rect(), backgroundColour());
  };
  // An animation not yet started: its first paint starts it (with auto
  // play) and shows only the background.
  if (animation_.animated() && !started_) {
    fill();
    if (autoPlay_) play();
    return;
  }
  std::optional<QImage> picture = currentPicture();
  if (!picture) return;
  fill();
  const anim::PlacedRect at = anim::PlacePicture(placement_, width(), height(), picture->width(), picture->height());
  if (placement_ != 0) painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(at.x, at.y, at.width, at.height), *picture);
}

}  // namespace horavia::ui::controls
