#include "assets/wheel.h"

#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include "assets/canvas.h"
#include "assets/skin_art.h"

namespace horavia::assets {
namespace {

const QPointF kCentre(kMiddle, kMiddle);
constexpr double kOuter = 150.0;

// Slice i of n spans start + i · 360 / n to start + (i + 1) · 360 / n.
void DrawSegments(QPainter& painter, const WheelStyle& style, const PrizeList& prizes, double radius) {
  const int count = static_cast<int>(prizes.prizes.size());
  const double slice = 360.0 / count;
  for (int i = 0; i < count; ++i) {
    const double from = prizes.startAngle + slice * i;
    painter.fillPath(Sector(kCentre, 0, radius, from, from + slice), style.fills[static_cast<std::size_t>(i) % style.fills.size()]);
  }
  // Light falls from the hub outwards: a soft sheen near the middle and a
  // slight darkening towards the rim give the flat colours some depth.
  QRadialGradient shade(kCentre, radius);
  shade.setColorAt(0.0, QColor(255, 255, 255, 40));
  shade.setColorAt(0.45, QColor(255, 255, 255, 0));
  shade.setColorAt(0.85, QColor(0, 0, 0, 0));
  shade.setColorAt(1.0, QColor(0, 0, 0, 46));
  painter.fillPath(Circle(kCentre, radius), shade);

  QPen pen(style.divider, 1.6);
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  for (int i = 0; i < count; ++i) {
    const double edge = prizes.startAngle + slice * i;
    painter.drawLine(Polar(kCentre, edge, style.hubRadius), Polar(kCentre, edge, radius));
  }
  painter.setPen(Qt::NoPen);
}

void DrawRim(QPainter& painter, const WheelStyle& style) {
  const double inner = kOuter - 2 - style.rimWidth;
  painter.fillPath(Circle(kCentre, kOuter), style.edge);
  QRadialGradient band(kCentre, kOuter - 2);
  band.setColorAt(inner / (kOuter - 2), style.rim.lighter(118));
  band.setColorAt(1.0, style.rim.darker(125));
  painter.fillPath(Circle(kCentre, kOuter - 2), band);
  // The bulbs sit on the band: one on every segment edge, one in every
  // middle, alternately lit.
  const double radius = inner + style.rimWidth / 2;
  const double bulb = style.rimWidth * 0.26;
  for (int i = 0; i < 24; ++i) {
    const QPointF at = Polar(kCentre, 15.0 * i + 15, radius);
    QRadialGradient glow(at, bulb * 2.2);
    glow.setColorAt(0.0, style.bulbGlow);
    glow.setColorAt(1.0, QColor(style.bulbGlow.red(), style.bulbGlow.green(), style.bulbGlow.blue(), 0));
    painter.fillPath(Circle(at, bulb * 2.2), glow);
    painter.fillPath(Circle(at, bulb), i % 2 == 0 ? style.bulbOn : style.bulbOff);
  }
}

void DrawHub(QPainter& painter, const WheelStyle& style) {
  const double r = style.hubRadius;
  painter.fillPath(Circle(kCentre, r + 1.5), style.edge);
  QRadialGradient face(QPointF(kMiddle - r / 3, kMiddle - r / 3), r * 1.6);
  face.setColorAt(0.0, style.hub.lighter(135));
  face.setColorAt(1.0, style.hub.darker(120));
  painter.fillPath(Circle(kCentre, r), face);
  painter.strokePath(Circle(kCentre, r - 3), QPen(style.hubRing, 2.5));
}

}  // namespace

QImage DrawWheel(const WheelStyle& style, const PrizeList& prizes) {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  DrawRim(painter, style);
  const double inner = kOuter - 2 - style.rimWidth;
  DrawSegments(painter, style, prizes, inner);
  painter.strokePath(Circle(kCentre, inner), QPen(style.rimLight, 1.4));
  DrawHub(painter, style);
  painter.end();
  return layer;
}

}  // namespace horavia::assets
