#include "ui/cartoon/qt_text_renderer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "ui/units/logical_font.h"
#include "ui/units/qt_text.h"

namespace horavia::ui {

namespace {

// Colour value 0x00BBGGRR as the toolkit's colour.
QColor ColourOf(std::uint32_t colour) { return QColor(colour & 0xFF, colour >> 8 & 0xFF, colour >> 16 & 0xFF); }

}  // namespace

QtTextRenderer::QtTextRenderer(std::span<const std::uint8_t> fontRecord)
    : fontRecord_(fontRecord.begin(), fontRecord.end()) {}

const QFont& QtTextRenderer::font() {
  if (font_) return *font_;
  font_ = QFontFromUnitFont(UnitFontFromRecord(fontRecord_).value_or(DefaultGuiFont()));
  font_->setStyleStrategy(QFont::StyleStrategy(font_->styleStrategy() | QFont::NoAntialias));
  return *font_;
}

anim::TextRenderer::LineSize QtTextRenderer::Measure(std::string_view line) {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(FromCp936(line)), metrics.height()};
}

void QtTextRenderer::Draw(std::string_view line, int x, int y, std::uint32_t colour, anim::Bitmap& surface) {
  if (surface.empty()) return;
  // The bitmap's pixels (0x00RRGGBB) are the toolkit's RGB32 layout.
  QImage image(reinterpret_cast<uchar*>(surface.pixels.data()), surface.width, surface.height, surface.width * 4,
               QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setFont(font());
  painter.setPen(ColourOf(colour));
  painter.drawText(x, y + QFontMetrics(font()).ascent(), FromCp936(line));
}

}  // namespace horavia::ui
