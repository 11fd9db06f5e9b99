#include "assets/canvas.h"

#include <QFontDatabase>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace horavia::assets {
namespace {

std::uint32_t Packed(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

// Keeps a drawn pixel from matching the colour the program removes: one step
// down in blue (or up, for a black key), which no one can see.
std::uint32_t AvoidColour(std::uint32_t pixel, std::uint32_t outside) {
  if (pixel != outside) return pixel;
  return (pixel & 0xFF) > 0 ? pixel - 1 : pixel + 1;
}

// The layer's pixels in `format`, each mapped by `rule` to a 0x00RRGGBB value,
// top row first.
template <typename Rule>
std::vector<std::uint32_t> MapPixels(const QImage& layer, QImage::Format format, Rule rule) {
  const QImage image = layer.convertToFormat(format);
  std::vector<std::uint32_t> out;
  out.reserve(static_cast<std::size_t>(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) out.push_back(rule(row[x]));
  }
  return out;
}

}  // namespace

// [layers] --------------------------------------------------------------------

QImage NewLayer(int width, int height) {
  QImage layer(width, height, QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  return layer;
}

void BeginPainting(QPainter& painter, QImage& layer) {
  painter.begin(&layer);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.setPen(Qt::NoPen);
}

QImage PaintedLayer(int width, int height, const std::function<void(QPainter&)>& draw) {
  QImage layer = NewLayer(width, height);
  QPainter painter;
  BeginPainting(painter, layer);
  draw(painter);
  painter.end();
  return layer;
}

std::vector<std::uint32_t> Flatten(const QImage& layer, std::uint32_t outside, QColor matte) {
  return MapPixels(layer, QImage::Format_ARGB32_Premultiplied, [&](QRgb p) {
    const int a = qAlpha(p);
    if (a < 128) return outside;
    // Premultiplied: colour = drawn + matte × (1 - coverage).
    auto over = [&](int drawn, int under) { return std::min(255, drawn + (under * (255 - a) + 127) / 255); };
    return AvoidColour(Packed(over(qRed(p), matte.red()), over(qGreen(p), matte.green()), over(qBlue(p), matte.blue())),
                       outside);
  });
}

std::vector<std::uint32_t> FlattenHard(const QImage& layer, std::uint32_t outside) {
  return MapPixels(layer, QImage::Format_ARGB32,
                   [&](QRgb p) { return qAlpha(p) < 128 ? outside : AvoidColour(p & 0xFFFFFF, outside); });
}

std::vector<std::uint32_t> OpaquePixels(const QImage& layer) {
  return MapPixels(layer, QImage::Format_RGB32, [](QRgb p) { return static_cast<std::uint32_t>(p & 0xFFFFFF); });
}

// [geometry] ------------------------------------------------------------------

QPointF Polar(QPointF centre, double degrees, double radius) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a)};
}

QPainterPath Sector(QPointF centre, double innerRadius, double outerRadius, double fromDegrees, double toDegrees) {
  // Qt's arcs run counter-clockwise from 3 o'clock.
  const auto qtAngle = [](double degrees) { return 90.0 - degrees; };
  const QRectF outer(centre.x() - outerRadius, centre.y() - outerRadius, 2 * outerRadius, 2 * outerRadius);
  const QRectF inner(centre.x() - innerRadius, centre.y() - innerRadius, 2 * innerRadius, 2 * innerRadius);
  QPainterPath path;
  path.arcMoveTo(outer, qtAngle(fromDegrees));
  path.arcTo(outer, qtAngle(fromDegrees), -(toDegrees - fromDegrees));
  if (innerRadius > 0) {
    path.arcTo(inner, qtAngle(toDegrees), toDegrees - fromDegrees);
  } else {
    path.lineTo(centre);
  }
  path.closeSubpath();
  return path;
}

QPainterPath Circle(QPointF centre, double radius) {
  QPainterPath path;
  path.addEllipse(centre, radius, radius);
  return path;
}

// [colour and text] -----------------------------------------------------------

QColor Mix(QColor a, QColor b, double t) {
  auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                lerp(a.alpha(), b.alpha()));
}

QFont InstalledFont(const QString& family, double pixelSize, int weight, int stretch) {
  if (!QFontDatabase::families().contains(family)) {
    std::fprintf(stderr, "font \"%s\" is not installed\n", family.toUtf8().constData());
    std::exit(1);
  }
  QFont font(family);
  font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setStretch(stretch);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  return font;
}

QPainterPath CentredText(const QString& text, const QFont& font, QPointF centre) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF box = path.boundingRect();
  path.translate(centre - box.center());
  return path;
}

// [files] ---------------------------------------------------------------------

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace horavia::assets
