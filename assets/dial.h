// Pieces every clock face and hand is made of: tick rings, numerals on a
// circle, hand outlines and the two-tone facets that make a flat hand read
// as a ridge.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QStringList>

#include <span>

namespace horavia::assets {

// [faces] ---------------------------------------------------------------------

struct TickRing {
  int count = 60;          // marks around the dial
  int skipEvery = 0;       // leave out every n-th mark (0: none), e.g. 5 for hours
  double outerRadius = 0;
  double innerRadius = 0;
  double width = 1;        // stroke width; round ends
  QColor colour;
};

void DrawTicks(QPainter& painter, QPointF centre, const TickRing& ring);

// Dots instead of strokes: `count` discs of `dotRadius` on a circle.
void DrawDots(QPainter& painter, QPointF centre, int count, int skipEvery, double radius, double dotRadius,
              QColor colour);

// Texts for 12, 1, 2 ... 11 o'clock (twelve entries, empty ones skipped),
// each centred on the circle of `radius`, upright.
void DrawNumerals(QPainter& painter, QPointF centre, const QStringList& texts, double radius, const QFont& font,
                  QColor colour);

// [hands] ---------------------------------------------------------------------

// A hand pointing to 12, symmetric about the vertical through `centre`.
// Each profile point is (half width, distance from the centre towards 12);
// negative distances are the tail. Points run from the tail to the tip.
QPainterPath SymmetricHand(QPointF centre, std::span<const QPointF> profile);

// Fills the path with a lit left half and a shaded right half, split along
// the hand's axis, then strokes it with the outline colour.
void DrawFacetedHand(QPainter& painter, const QPainterPath& hand, QPointF centre, QColor lit, QColor shaded,
                     QColor outline, double outlineWidth);

}  // namespace horavia::assets
