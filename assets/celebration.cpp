// Index
//   [randomness]  a fixed-seed generator, so every build draws the same
//   [confetti]    pieces on ballistic paths with drag, spin and flutter
//   [banner]      ribbon, text with a sweeping shine, twinkling stars
#include "assets/celebration.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "assets/canvas.h"

namespace horavia::assets {
namespace {

constexpr double kTau = 2 * std::numbers::pi;

// [randomness] ----------------------------------------------------------------

// xorshift32: tiny, and the same sequence on every host and library.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  double unit() {  // [0, 1)
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ >> 8) / 16777216.0;
  }
  double between(double low, double high) { return low + (high - low) * unit(); }

 private:
  std::uint32_t state_;
};

// A four-pointed sparkle of radius r about the origin.
QPainterPath Sparkle(double r) {
  QPainterPath path;
  const double waist = r * 0.22;
  path.moveTo(0, -r);
  path.quadTo(waist, -waist, r, 0);
  path.quadTo(waist, waist, 0, r);
  path.quadTo(-waist, waist, -r, 0);
  path.quadTo(-waist, -waist, 0, -r);
  path.closeSubpath();
  return path;
}

// Lays every pixel of `top` that is not the key over `base`.
void Overlay(std::vector<std::uint32_t>& base, const std::vector<std::uint32_t>& top, std::uint32_t key) {
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (top[i] != key) base[i] = top[i];
  }
}

// The program takes the top-left pixel as the key: make sure it is one.
RgbFrame KeyedFrame(std::vector<std::uint32_t> pixels, std::uint32_t key, int delayMs) {
  pixels[0] = key;
  return RgbFrame{std::move(pixels), delayMs};
}

// [confetti] ------------------------------------------------------------------

struct Piece {
  PieceShape shape;
  QColor colour;
  double launch;       // start time, 0..1 of the animation
  double vx, vy;       // initial velocity, pixels per animation
  double spin, angle;  // degrees per animation, degrees
  double flutter, phase;
  double size;
  double shrinkFrom;   // time the piece starts to shrink away
};

std::vector<Piece> ThrowPieces(const ConfettiStyle& style) {
  Random random(style.seed);
  std::vector<Piece> pieces;
  for (int i = 0; i < style.pieces; ++i) {
    Piece p{};
    p.shape = style.shapes[static_cast<std::size_t>(i) % style.shapes.size()];
    p.colour = style.colours[static_cast<std::size_t>(random.unit() * static_cast<double>(style.colours.size()))];
    p.launch = random.between(0.0, 0.12);
    // Mostly upwards: the angle from the vertical is the mean of two draws.
    const double angle = (random.between(-78, 78) + random.between(-78, 78)) / 2 * std::numbers::pi / 180;
    const double speed = style.speed * random.between(0.45, 1.0);
    p.vx = std::sin(angle) * speed * 1.1;
    p.vy = -std::cos(angle) * speed;
    p.spin = random.between(-900, 900);
    p.angle = random.between(0, 360);
    p.flutter = random.between(2, 5) * kTau;
    p.phase = random.between(0, kTau);
    p.size = random.between(1.05, 1.5);
    p.shrinkFrom = random.between(0.66, 0.9);
    pieces.push_back(p);
  }
  return pieces;
}

QPainterPath PieceOutline(const Piece& p) {
  QPainterPath path;
  switch (p.shape) {
    case PieceShape::Paper:
      path.addRect(QRectF(-4, -2.4, 8, 4.8));
      return path;
    case PieceShape::Ribbon: {
      QPainterPath wave;
      wave.moveTo(-7, 0);
      wave.cubicTo(-4, -4.5, -1, 4.5, 2, 0);
      wave.cubicTo(3.5, -2.2, 5.5, -2.2, 7, 0);
      QPainterPathStroker stroker;
      stroker.setWidth(2.4);
      stroker.setCapStyle(Qt::FlatCap);
      return stroker.createStroke(wave);
    }
    case PieceShape::Coin:
      return Circle(QPointF(0, 0), 4.8);
    case PieceShape::Star:
      return Sparkle(5.5);
  }
  return path;
}

void DrawPiece(QPainter& painter, const Piece& p, double flip, QColor outline) {
  if (p.shape == PieceShape::Paper || p.shape == PieceShape::Coin) painter.scale(flip, 1);
  const QPainterPath shape = PieceOutline(p);
  if (outline.alpha() > 0) {
    QPen edge(outline, 1.2);
    edge.setCosmetic(true);  // the same width in pixels whatever the piece's size
    painter.strokePath(shape, edge);
  }
  painter.fillPath(shape, p.colour);
  if (p.shape == PieceShape::Coin) {
    // A coin: a darker rim and a square hole.
    painter.strokePath(Circle(QPointF(0, 0), 4.0), QPen(p.colour.darker(140), 1.2));
    painter.fillRect(QRectF(-1.2, -1.2, 2.4, 2.4), p.colour.darker(160));
  }
}

// Where the piece is at time t (0..1): launched with drag, pulled down.
QPointF Position(const ConfettiStyle& style, const Piece& p, double t) {
  const double s = t - p.launch;
  constexpr double kDrag = 2.4;
  const double travelled = (1 - std::exp(-kDrag * s)) / kDrag;
  return {style.origin.x() + p.vx * travelled, style.origin.y() + p.vy * travelled + style.gravity * s * s};
}

}  // namespace

RgbPicture DrawConfettiBurst(const ConfettiStyle& style) {
  const std::vector<Piece> pieces = ThrowPieces(style);
  RgbPicture picture{style.width, style.height, {}};
  for (int f = 0; f < style.frames; ++f) {
    const double t = static_cast<double>(f) / (style.frames - 1);
    QImage layer = NewLayer(style.width, style.height);
    QPainter painter;
    BeginPainting(painter, layer);
    // A flash where the burst starts, gone after three frames.
    if (f < 3) {
      painter.save();
      painter.translate(style.origin);
      painter.fillPath(Sparkle(16.0 - 5.0 * f), QColor(255, 240, 170));
      painter.restore();
    }
    for (const Piece& p : pieces) {
      if (t < p.launch) continue;
      const double grow = std::min(1.0, (t - p.launch) / 0.06);
      const double shrink = t <= p.shrinkFrom ? 1.0 : std::max(0.0, 1 - (t - p.shrinkFrom) / (1.0 - p.shrinkFrom));
      const double scale = p.size * grow * shrink;
      if (scale < 0.15) continue;
      painter.save();
      painter.translate(Position(style, p, t));
      painter.rotate(p.angle + p.spin * t);
      painter.scale(scale, scale);
      const double flip = std::max(0.2, std::abs(std::cos(p.phase + p.flutter * t)));
      DrawPiece(painter, p, flip, style.outline);
      painter.restore();
    }
    painter.end();
    picture.frames.push_back(KeyedFrame(FlattenHard(layer, style.key), style.key, style.delayMs));
  }
  return picture;
}

// [banner] --------------------------------------------------------------------

namespace {

struct BannerShapes {
  QPainterPath band, leftTail, rightTail, leftFold, rightFold;
  QRectF bandRect;
};

// The band across the middle, two notched tails behind it hanging lower,
// and the folds that join them.
BannerShapes BannerGeometry(int width, int height) {
  BannerShapes s;
  const double inset = width * 0.14, drop = height * 0.18, tail = width * 0.2, notch = height * 0.14;
  s.bandRect = QRectF(inset, height * 0.1, width - 2 * inset, height * 0.58);
  s.band.addRoundedRect(s.bandRect, 3, 3);
  const double top = s.bandRect.top() + drop, bottom = s.bandRect.bottom() + drop;
  const double mid = (top + bottom) / 2;
  s.leftTail.moveTo(inset + tail * 0.4, top);
  s.leftTail.lineTo(3, top);
  s.leftTail.lineTo(3 + notch, mid);
  s.leftTail.lineTo(3, bottom);
  s.leftTail.lineTo(inset + tail * 0.4, bottom);
  s.leftTail.closeSubpath();
  s.leftFold.moveTo(inset, s.bandRect.bottom());
  s.leftFold.lineTo(inset + tail * 0.4, bottom);
  s.leftFold.lineTo(inset + tail * 0.4, s.bandRect.bottom());
  s.leftFold.closeSubpath();
  QTransform mirror;
  mirror.translate(width, 0);
  mirror.scale(-1, 1);
  s.rightTail = mirror.map(s.leftTail);
  s.rightFold = mirror.map(s.leftFold);
  return s;
}

void DrawRibbon(QPainter& painter, const BannerStyle& style, const BannerShapes& s) {
  const QPen outline(style.outline, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  for (const QPainterPath* tail : {&s.leftTail, &s.rightTail}) {
    painter.fillPath(*tail, style.tails);
    painter.strokePath(*tail, outline);
  }
  for (const QPainterPath* fold : {&s.leftFold, &s.rightFold}) {
    painter.fillPath(*fold, style.bandDark.darker(140));
    painter.strokePath(*fold, outline);
  }
  QLinearGradient fill(s.bandRect.topLeft(), s.bandRect.bottomLeft());
  fill.setColorAt(0, style.band);
  fill.setColorAt(1, style.bandDark);
  painter.fillPath(s.band, fill);
  painter.strokePath(s.band, outline);
  QPainterPath inner;
  inner.addRoundedRect(s.bandRect.adjusted(3.5, 3.5, -3.5, -3.5), 2, 2);
  painter.strokePath(inner, QPen(style.border, 1.5));
}

void DrawBannerText(QPainter& painter, const BannerStyle& style, const BannerShapes& s, double t) {
  const QFont font = InstalledFont("WenQuanYi Micro Hei", style.textPixelSize, QFont::Bold);
  const QPainterPath text = CentredText(style.text, font, s.bandRect.center());
  painter.strokePath(text, QPen(style.outline, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QLinearGradient fill(text.boundingRect().topLeft(), text.boundingRect().bottomLeft());
  fill.setColorAt(0, style.textTop);
  fill.setColorAt(1, style.textBottom);
  painter.fillPath(text, fill);
  // A slanted band of light crosses the text in the first half of the cycle.
  if (t < 0.55) {
    const double x = -40 + (style.width + 80) * (t / 0.55);
    QPainterPath beam;
    beam.moveTo(x, 0);
    beam.lineTo(x + 12, 0);
    beam.lineTo(x - 8, style.height);
    beam.lineTo(x - 20, style.height);
    beam.closeSubpath();
    painter.fillPath(text.intersected(beam), style.shine);
  }
}

// Stars around the banner, each twinkling once per cycle at its own time.
void DrawTwinkles(QPainter& painter, const BannerStyle& style, double t) {
  struct Twinkle {
    double x, y, size, phase;
  };
  const double w = style.width, h = style.height;
  const Twinkle twinkles[] = {{0.07, 0.13, 10, 0.0},  {0.93, 0.15, 9, 0.35}, {0.25, 0.9, 7, 0.62},
                              {0.78, 0.9, 8, 0.15},  {0.55, 0.07, 7, 0.78}, {0.05, 0.62, 6, 0.5},
                              {0.96, 0.6, 6, 0.9}};
  for (const Twinkle& star : twinkles) {
    const double wave = std::sin(kTau * (t + star.phase));
    if (wave <= 0.1) continue;
    painter.save();
    painter.translate(star.x * w, star.y * h);
    painter.fillPath(Sparkle(star.size * wave), style.sparkle);
    painter.restore();
  }
}

}  // namespace

RgbPicture DrawBanner(const BannerStyle& style) {
  const BannerShapes shapes = BannerGeometry(style.width, style.height);
  RgbPicture picture{style.width, style.height, {}};
  for (int f = 0; f < style.frames; ++f) {
    const double t = static_cast<double>(f) / style.frames;  // the cycle loops: t = 1 is frame 0
    QImage ribbon = NewLayer(style.width, style.height);
    QPainter painter;
    BeginPainting(painter, ribbon);
    DrawRibbon(painter, style, shapes);
    DrawBannerText(painter, style, shapes, t);
    painter.end();
    QImage stars = NewLayer(style.width, style.height);
    BeginPainting(painter, stars);
    DrawTwinkles(painter, style, t);
    painter.end();
    std::vector<std::uint32_t> pixels = Flatten(ribbon, style.key, style.outline);
    Overlay(pixels, FlattenHard(stars, style.key), style.key);
    picture.frames.push_back(KeyedFrame(std::move(pixels), style.key, style.delayMs));
  }
  return picture;
}

}  // namespace horavia::assets
