#include "live/frame_png.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace horavia::live {
namespace {

// Light compression: a frame goes out up to 30 times a second, and the
// overlay reads it over the loopback, where bytes cost little and time on
// the user-interface thread costs a lot.
constexpr int kPngQuality = 80;
// Far more than a window of the clock's size; a frame beyond it is a fault.
constexpr int kMaxSide = 4096;

}  // namespace

std::string EncodeFramePng(const Frame& frame) {
  if (frame.width <= 0 || frame.height <= 0 || frame.width > kMaxSide || frame.height > kMaxSide) return {};
  if (frame.pixels.size() < static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height)) return {};
  // Format_ARGB32 is the pixels' own layout (0xAARRGGBB, not premultiplied),
  // so the image wraps them without a copy.
  const QImage image(reinterpret_cast<const uchar*>(frame.pixels.data()), frame.width, frame.height,
                     frame.width * 4, QImage::Format_ARGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.setQuality(kPngQuality);
  if (!writer.write(image)) return {};
  return bytes.toStdString();
}

}  // namespace horavia::live
