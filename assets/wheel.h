// The prize wheel: coloured slices under a rim of bulbs, with a hub. Both
// skins draw it from a style and their prize list, which gives the number of
// slices and where the first begins. The labels are the program's to write
// ("写奖项"=1 in pf.ini), from the same list.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

#include "assets/prizes.h"

namespace horavia::assets {

struct WheelStyle {
  std::vector<QColor> fills;  // slice by slice, over again
  QColor edge;           // the outermost line, against the white outside
  QColor rim;            // the band that carries the bulbs
  QColor rimLight;       // the band's lit inner edge
  QColor divider;        // lines between segments
  QColor bulbOn, bulbOff;  // bulbs alternate between the two
  QColor bulbGlow;
  QColor hub, hubRing;   // the hub's face and its ring
  double rimWidth = 13;
  double hubRadius = 30;
};

// The wheel on a transparent layer; the caller flattens it on white.
QImage DrawWheel(const WheelStyle& style, const PrizeList& prizes);

}  // namespace horavia::assets
