#include "assets/dial.h"

#include <QPen>

#include "assets/canvas.h"

namespace horavia::assets {

// [faces] ---------------------------------------------------------------------

void DrawTicks(QPainter& painter, QPointF centre, const TickRing& ring) {
  painter.save();
  QPen pen(ring.colour, ring.width);
  pen.setCapStyle(Qt::RoundCap);
  painter.setPen(pen);
  for (int i = 0; i < ring.count; ++i) {
    if (ring.skipEvery > 0 && i % ring.skipEvery == 0) continue;
    const double degrees = 360.0 * i / ring.count;
    painter.drawLine(Polar(centre, degrees, ring.innerRadius), Polar(centre, degrees, ring.outerRadius));
  }
  painter.restore();
}

void DrawDots(QPainter& painter, QPointF centre, int count, int skipEvery, double radius, double dotRadius,
              QColor colour) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  for (int i = 0; i < count; ++i) {
    if (skipEvery > 0 && i % skipEvery == 0) continue;
    painter.drawEllipse(Polar(centre, 360.0 * i / count, radius), dotRadius, dotRadius);
  }
  painter.restore();
}

void DrawNumerals(QPainter& painter, QPointF centre, const QStringList& texts, double radius, const QFont& font,
                  QColor colour) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  for (int hour = 0; hour < texts.size(); ++hour) {
    if (texts[hour].isEmpty()) continue;
    painter.drawPath(CentredText(texts[hour], font, Polar(centre, 30.0 * hour, radius)));
  }
  painter.restore();
}

// [hands] ---------------------------------------------------------------------

QPainterPath SymmetricHand(QPointF centre, std::span<const QPointF> profile) {
  QPainterPath path;
  if (profile.empty()) return path;
  // Up the left side from the tail, then back down the right side.
  path.moveTo(centre.x() - profile[0].x(), centre.y() - profile[0].y());
  for (std::size_t i = 1; i < profile.size(); ++i) {
    path.lineTo(centre.x() - profile[i].x(), centre.y() - profile[i].y());
  }
  for (std::size_t i = profile.size(); i-- > 0;) path.lineTo(centre.x() + profile[i].x(), centre.y() - profile[i].y());
  path.closeSubpath();
  return path;
}

void DrawFacetedHand(QPainter& painter, const QPainterPath& hand, QPointF centre, QColor lit, QColor shaded,
                     QColor outline, double outlineWidth) {
  const QRectF box = hand.boundingRect().adjusted(-2, -2, 2, 2);
  QPainterPath left, right;
  left.addRect(QRectF(QPointF(box.left(), box.top()), QPointF(centre.x(), box.bottom())));
  right.addRect(QRectF(QPointF(centre.x(), box.top()), QPointF(box.right(), box.bottom())));
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.fillPath(hand.intersected(left), lit);
  painter.fillPath(hand.intersected(right), shaded);
  QPen pen(outline, outlineWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.strokePath(hand, pen);
  painter.restore();
}

}  // namespace horavia::assets
