// The prize wheel: twelve labelled segments under a rim of bulbs, with a
// hub. Both skins draw it from a style; segment 0 is centred on 12 o'clock,
// the others follow clockwise every 30 degrees.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <array>

namespace horavia::assets {

struct WheelSegment {
  QString label;  // read from the rim inwards, one upright character per line
  QColor fill;
  QColor text;
};

struct WheelStyle {
  std::array<WheelSegment, 12> segments;
  QColor edge;           // the outermost line, against the white outside
  QColor rim;            // the band that carries the bulbs
  QColor rimLight;       // the band's lit inner edge
  QColor divider;        // lines between segments
  QColor bulbOn, bulbOff;  // bulbs alternate between the two
  QColor bulbGlow;
  QColor labelShadow;    // a soft outline under every label
  QColor hub, hubRing;   // the hub's face and its ring
  double labelPixelSize = 16;
  double labelStart = 0;  // radius of the labels' outer end; 0 centres them
  double rimWidth = 13;
  double hubRadius = 30;
};

// The wheel on a transparent layer; the caller flattens it on white.
QImage DrawWheel(const WheelStyle& style);

}  // namespace horavia::assets
