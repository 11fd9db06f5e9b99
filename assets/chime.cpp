#include "assets/chime.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <cmath>
#include <numbers>

#include "assets/canvas.h"

namespace horavia::assets {
namespace {

const QColor kInk(0x0B, 0x17, 0x33);
const QColor kGold(0xF2, 0xC1, 0x4E);
const QRectF kPanel(6, 8, 180, 94);
const QPointF kPivot(52, 27);  // where the bell hangs, panel coordinates

void DrawPanel(QPainter& painter) {
  // Flat tones rather than a gradient: the picture keeps few colours (it
  // travels inside the program), and a gradient would band.
  QPainterPath panel;
  panel.addRoundedRect(kPanel, 20, 20);
  painter.fillPath(panel, QColor(0x15, 0x32, 0x68));
  QPainterPath lower;
  lower.addRect(QRectF(kPanel.left(), kPanel.center().y(), kPanel.width(), kPanel.height() / 2));
  painter.fillPath(panel.intersected(lower), QColor(0x11, 0x2A, 0x5A));
  painter.strokePath(panel, QPen(kInk, 4));
  QPainterPath border;
  border.addRoundedRect(kPanel.adjusted(2.5, 2.5, -2.5, -2.5), 18, 18);
  painter.strokePath(border, QPen(kGold, 2));
}

// The bell hangs from the origin and opens downwards.
QPainterPath BellBody() {
  QPainterPath body;
  body.moveTo(0, 5);
  body.cubicTo(-11, 5, -15, 15, -16, 29);
  body.cubicTo(-17, 39, -20, 44, -25, 48);
  body.lineTo(25, 48);
  body.cubicTo(20, 44, 17, 39, 16, 29);
  body.cubicTo(15, 15, 11, 5, 0, 5);
  body.closeSubpath();
  QPainterPath lip;
  lip.addRoundedRect(QRectF(-27, 45.5, 54, 6.5), 3.2, 3.2);
  return body.united(lip);
}

void DrawBell(QPainter& painter, double degrees) {
  const QColor brown(0x5A, 0x3A, 0x08);
  painter.save();
  painter.translate(kPivot);
  painter.rotate(degrees);
  // The clapper lags behind the swing, so it shows on the trailing side.
  painter.fillPath(Circle(QPointF(-degrees * 0.22, 54), 5), brown);
  painter.fillPath(Circle(QPointF(-degrees * 0.22, 54), 3.6), QColor(0xC8, 0x8A, 0x22));
  painter.strokePath(Circle(QPointF(0, 0), 4.2), QPen(kGold, 2.4));
  const QPainterPath body = BellBody();
  // Cel-shaded in three flat tones: it reads as metal and stays compact.
  QLinearGradient metal(QPointF(-27, 0), QPointF(27, 0));
  metal.setColorAt(0.0, QColor(0xFF, 0xE3, 0x8C));
  metal.setColorAt(0.36, QColor(0xFF, 0xE3, 0x8C));
  metal.setColorAt(0.361, QColor(0xF2, 0xB6, 0x3A));
  metal.setColorAt(0.72, QColor(0xF2, 0xB6, 0x3A));
  metal.setColorAt(0.721, QColor(0xC8, 0x86, 0x1E));
  metal.setColorAt(1.0, QColor(0xC8, 0x86, 0x1E));
  painter.fillPath(body, metal);
  painter.strokePath(body, QPen(brown, 1.3));
  QPainterPath gleam;
  gleam.moveTo(-7, 12);
  gleam.cubicTo(-11, 18, -11.5, 28, -12.5, 36);
  painter.strokePath(gleam, QPen(QColor(0xFF, 0xF6, 0xD8), 2.4, Qt::SolidLine, Qt::RoundCap));
  painter.restore();
}

// Sound arcs on the side the bell swings away from, stronger at the ends of
// the swing, when the clapper strikes.
void DrawRings(QPainter& painter, double degrees, double amplitude) {
  const double strength = std::abs(degrees) / amplitude;
  if (strength < 0.45) return;
  const double side = degrees > 0 ? -1 : 1;
  QPen pen(kGold, 2.2, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const QPointF centre(kPivot.x() + side * 30, kPivot.y() + 30);
  for (int i = 0; i < (strength > 0.8 ? 3 : 2); ++i) {
    const double r = 6 + 6.5 * i;
    const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    const double start = side > 0 ? -40 : 140;
    painter.drawArc(box, static_cast<int>(start * 16), 80 * 16);
  }
  painter.setPen(Qt::NoPen);
}

void DrawWords(QPainter& painter) {
  const QFont font = InstalledFont("WenQuanYi Micro Hei", 28, QFont::Bold);
  for (const auto& [text, y] : {std::pair{"整点", 40.0}, std::pair{"报时", 74.0}}) {
    const QPainterPath words = CentredText(QString::fromUtf8(text), font, QPointF(132, y));
    painter.strokePath(words, QPen(kInk, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fill(words.boundingRect().topLeft(), words.boundingRect().bottomLeft());
    fill.setColorAt(0, QColor(0xFF, 0xF5, 0xD6));
    fill.setColorAt(1, kGold);
    painter.fillPath(words, fill);
  }
}

std::vector<std::uint32_t> Frame(double scale, double degrees, double amplitude, std::uint32_t key) {
  QImage layer = NewLayer(kChimeWidth, kChimeHeight);
  QPainter painter;
  BeginPainting(painter, layer);
  const QPointF middle = kPanel.center();
  painter.translate(middle);
  painter.scale(scale, scale);
  painter.translate(-middle);
  DrawPanel(painter);
  DrawRings(painter, degrees, amplitude);
  DrawBell(painter, degrees);
  DrawWords(painter);
  painter.end();
  std::vector<std::uint32_t> pixels = Flatten(layer, key, kInk);
  pixels[0] = key;
  return pixels;
}

}  // namespace

RgbPicture DrawChime(std::uint32_t key) {
  RgbPicture picture{kChimeWidth, kChimeHeight, {}};
  constexpr double kAmplitude = 24;
  for (double scale : {0.4, 0.8}) picture.frames.push_back({Frame(scale, 0, kAmplitude, key), 50});
  // Two and a half swings that die down a little. The start window carries
  // this picture, so it is kept lean: ten frames a second, no overshoot.
  constexpr int kSwingFrames = 20;
  for (int i = 0; i < kSwingFrames; ++i) {
    const double u = static_cast<double>(i) / kSwingFrames;
    const double degrees = kAmplitude * std::sin(2 * std::numbers::pi * 2.5 * u) * (1 - 0.35 * u);
    picture.frames.push_back({Frame(1.0, degrees, kAmplitude, key), 100});
  }
  picture.frames.push_back({Frame(0.5, 0, kAmplitude, key), 60});
  return picture;
}

}  // namespace horavia::assets
