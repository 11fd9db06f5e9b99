#include "assets/app_icon.h"

#include <QPainter>
#include <QTransform>

#include <cstdio>
#include <vector>

#include "assets/canvas.h"

namespace horavia::assets {
namespace {

constexpr double kDesign = 256;
const QPointF kCentre(128, 128);

struct Part {
  QPainterPath path;
  QColor colour;
};

// A bar with round ends towards `degrees`, from radius `from` to `to`.
QPainterPath Bar(double degrees, double from, double to, double width) {
  QPainterPath bar;
  bar.addRoundedRect(QRectF(kCentre.x() - width / 2, kCentre.y() - to, width, to - from), width / 2, width / 2);
  QTransform turn;
  turn.translate(kCentre.x(), kCentre.y());
  turn.rotate(degrees);
  turn.translate(-kCentre.x(), -kCentre.y());
  return turn.map(bar);
}

// Small icons get a wider ring, no gaps between segments and thicker hands.
std::vector<Part> Parts(bool small) {
  const QColor ink(0x0B, 0x17, 0x33), dial(0x1B, 0x3F, 0x7C), ice(0xEC, 0xF3, 0xFF), coral(0xFF, 0x5A, 0x36);
  const QColor segments[3] = {QColor(0xF4, 0xA9, 0x3B), QColor(0x2F, 0x6F, 0xE0), QColor(0x3B, 0xB4, 0xEA)};
  const double ringOuter = small ? 120 : 116, ringInner = small ? 80 : 86;
  const double gap = small ? 0 : 1.6;
  std::vector<Part> parts;
  parts.push_back({Circle(kCentre, 124), ink});
  for (int i = 0; i < 12; ++i) {
    const double middle = 30.0 * i;
    parts.push_back({Sector(kCentre, ringInner, ringOuter, middle - 15 + gap, middle + 15 - gap), segments[i % 3]});
  }
  parts.push_back({Circle(kCentre, ringInner - (small ? 0 : 4)), dial});
  if (!small) {
    for (int quarter = 0; quarter < 4; ++quarter) parts.push_back({Bar(90.0 * quarter, 58, 72, 7), ice});
  }
  const double hourWidth = small ? 22 : 16, minuteWidth = small ? 16 : 11;
  parts.push_back({Bar(300, -hourWidth / 2, small ? 44 : 46, hourWidth), ice});
  parts.push_back({Bar(60, -minuteWidth / 2, small ? 62 : 68, minuteWidth), ice});
  parts.push_back({Circle(kCentre, small ? 15 : 12), coral});
  if (!small) parts.push_back({Circle(kCentre, 4.5), ink});
  return parts;
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

// The path in SVG syntax: Qt paths are moves, lines and cubic curves only.
std::string PathData(const QPainterPath& path) {
  std::string d;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    const std::string point = Number(e.x) + " " + Number(e.y);
    switch (e.type) {
      case QPainterPath::MoveToElement: d += (d.empty() ? "M" : "ZM") + point; break;
      case QPainterPath::LineToElement: d += "L" + point; break;
      case QPainterPath::CurveToElement: d += "C" + point; break;
      case QPainterPath::CurveToDataElement: d += " " + point; break;
    }
  }
  return d + "Z";
}

std::string Hex(QColor c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red(), c.green(), c.blue());
  return text;
}

}  // namespace

QImage DrawAppIcon(int size) {
  QImage layer = NewLayer(size, size);
  QPainter painter;
  BeginPainting(painter, layer);
  painter.scale(size / kDesign, size / kDesign);
  for (const Part& part : Parts(size <= 24)) painter.fillPath(part.path, part.colour);
  painter.end();
  return layer;
}

std::string AppIconSvg() {
  std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
  for (const Part& part : Parts(false)) {
    const char* rule = part.path.fillRule() == Qt::OddEvenFill ? " fill-rule=\"evenodd\"" : "";
    svg += "  <path fill=\"" + Hex(part.colour) + "\"" + rule + " d=\"" + PathData(part.path) + "\"/>\n";
  }
  return svg + "</svg>\n";
}

}  // namespace horavia::assets
