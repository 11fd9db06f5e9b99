#include "assets/wheel.h"

#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <QTransform>

#include "assets/canvas.h"
#include "assets/skin_art.h"

namespace horavia::assets {
namespace {

const QPointF kCentre(kMiddle, kMiddle);
constexpr double kOuter = 150.0;

void DrawSegments(QPainter& painter, const WheelStyle& style, double radius) {
  for (int i = 0; i < 12; ++i) {
    const double middle = 30.0 * i;
    painter.fillPath(Sector(kCentre, 0, radius, middle - 15, middle + 15), style.segments[i].fill);
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
  for (int i = 0; i < 12; ++i) {
    const double edge = 30.0 * i + 15;
    painter.drawLine(Polar(kCentre, edge, style.hubRadius), Polar(kCentre, edge, radius));
  }
  painter.setPen(Qt::NoPen);
}

// One upright character per line, from the rim towards the hub, the block
// starting at the style's radius (or centred between hub and rim) and
// turned onto its segment.
void DrawLabel(QPainter& painter, const WheelStyle& style, int index, double innerRadius, double outerRadius) {
  const WheelSegment& segment = style.segments[index];
  const QFont font = InstalledFont("WenQuanYi Micro Hei", style.labelPixelSize, QFont::Bold);
  const double pitch = style.labelPixelSize * 1.08;
  const int count = static_cast<int>(segment.label.size());
  const double first = style.labelStart > 0 ? style.labelStart - pitch / 2
                                            : (innerRadius + outerRadius) / 2 + 2 + pitch * (count - 1) / 2.0;
  QPainterPath text;
  for (int c = 0; c < count; ++c) {
    const double radius = first - pitch * c;
    text.addPath(CentredText(segment.label.mid(c, 1), font, QPointF(kMiddle, kMiddle - radius)));
  }
  QTransform turn;
  turn.translate(kMiddle, kMiddle);
  turn.rotate(30.0 * index);
  turn.translate(-kMiddle, -kMiddle);
  text = turn.map(text);

  // Light text gets a soft dark edge that keeps it legible when the stream
  // is scaled down; dark text on a light segment needs none.
  if (segment.text.lightness() > 128) {
    QPen shadow(style.labelShadow, 3.0);
    shadow.setJoinStyle(Qt::RoundJoin);
    painter.strokePath(text, shadow);
  }
  painter.fillPath(text, segment.text);
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

QImage DrawWheel(const WheelStyle& style) {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  DrawRim(painter, style);
  const double inner = kOuter - 2 - style.rimWidth;
  DrawSegments(painter, style, inner);
  painter.strokePath(Circle(kCentre, inner), QPen(style.rimLight, 1.4));
  for (int i = 0; i < 12; ++i) DrawLabel(painter, style, i, style.hubRadius, inner);
  DrawHub(painter, style);
  painter.end();
  return layer;
}

}  // namespace horavia::assets
