// The application icon: a blue clock face inside a ring of prize-wheel
// segments, hands at ten past ten. One set of shapes in a 256 × 256 design
// gives the PNGs at every desktop size and the scalable SVG; the smallest
// sizes use bolder shapes so they stay readable.
#pragma once

#include <QImage>

#include <string>

namespace horavia::assets {

// The icon at `size` × `size` pixels, transparent around the disc.
QImage DrawAppIcon(int size);

// The same design as an SVG document.
std::string AppIconSvg();

}  // namespace horavia::assets
