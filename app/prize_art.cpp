// Index
//   [pieces]   a label cut into what stands upright and what lies along
//   [fitting]  the largest size at which a label fits its slice
//   [wheel]    the labels written onto the wheel
//   [banner]   the result banner
#include "app/prize_art.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "anim/frameimage/frame_image.h"

namespace horavia::app {
namespace {

constexpr const char* kFontFamily = "WenQuanYi Micro Hei";

QFont BoldFont(double pixels) {
  QFont font(kFontFamily);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  font.setWeight(QFont::Bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

std::string Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A light fill inside a dark outline reads on any background. The fill is
// not pure white, which the wheel's outline cuts away.
const QColor kLabelFill(0xFF, 0xFB, 0xEE);
const QColor kLabelEdge(0x1A, 0x12, 0x10, 235);

// The outline of letters of that size: wide enough to read on any colour,
// narrow enough to leave the strokes of a dense character apart.
double OutlineWidth(double pixels) { return std::max(1.6, pixels * 0.13); }

void PaintOutlinedText(QPainter& painter, const QPainterPath& text, double edgeWidth, const QBrush& fill) {
  QPen edge(kLabelEdge, edgeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.strokePath(text, edge);
  painter.fillPath(text, fill);
}

// [pieces] ---------------------------------------------------------------------

// Characters set upright in vertical writing: Chinese, Japanese and Korean
// scripts, their punctuation and the full-width forms.
bool StandsUpright(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// One piece of a label on its way from the rim to the hub: an upright
// character, or a run of other characters lying along the radius (a single
// one, a digit say, stands upright too).
struct Piece {
  QString text;
  bool along = false;
};

std::vector<Piece> Pieces(const QString& label) {
  std::vector<Piece> pieces;
  QString run;
  auto endRun = [&] {
    run = run.trimmed();
    if (!run.isEmpty()) pieces.push_back({run, run.size() > 1});
    run.clear();
  };
  for (const char32_t c : label.toUcs4()) {
    const QString character = QString::fromUcs4(&c, 1);
    if (!StandsUpright(c)) {
      run += character;
      continue;
    }
    endRun();
    pieces.push_back({character, false});
  }
  endRun();
  return pieces;
}

// [fitting] --------------------------------------------------------------------

// The band of the wheel the labels use, as parts of its radius: outside the
// hub and a needle's reach, inside the rim.
constexpr double kOuterPart = 0.86;
constexpr double kInnerPart = 0.40;
constexpr double kLargestPart = 0.135;  // the largest letter size
constexpr double kSmallestPixels = 9;
constexpr double kUniformPixels = 12;  // labels share a size down to this

struct Placed {
  Piece piece;
  double outer = 0;   // radius of the piece's end nearer the rim
  double length = 0;  // along the radius
};

struct Fit {
  bool fits = false;
  std::vector<Placed> placed;
};

// Pieces laid from `outer` inwards at a letter size; each must keep clear
// of its slice's edges at its inner end, and the last must end outside
// `inner`.
Fit Lay(const std::vector<Piece>& pieces, double pixels, double outer, double inner, double halfSlice) {
  const QFontMetricsF metrics(BoldFont(pixels));
  const double margin = OutlineWidth(pixels) / 2 + 1.5;  // the outline and a little air
  const double gap = pixels * 0.06;
  Fit fit{true, {}};
  double radius = outer;
  for (const Piece& piece : pieces) {
    const double length = piece.along ? metrics.horizontalAdvance(piece.text) : pixels * 1.04;
    const double across = piece.along ? metrics.ascent() * 0.86 + metrics.descent() : metrics.horizontalAdvance(piece.text);
    const double innerEnd = radius - length;
    if (across / 2 + margin > innerEnd * std::tan(halfSlice)) fit.fits = false;
    fit.placed.push_back({piece, radius, length});
    radius = innerEnd - gap;
  }
  if (radius + gap < inner) fit.fits = false;
  return fit;
}

double LargestFit(const std::vector<Piece>& pieces, double largest, double outer, double inner, double halfSlice) {
  for (double pixels = largest; pixels >= kSmallestPixels; pixels -= 0.5) {
    if (Lay(pieces, pixels, outer, inner, halfSlice).fits) return pixels;
  }
  return 0;
}

// [wheel] ----------------------------------------------------------------------

// The label's outline in the frame of a slice whose middle points to 12.
QPainterPath LabelPath(const Fit& fit, double pixels, QPointF centre) {
  const QFont font = BoldFont(pixels);
  const QFontMetricsF metrics(font);
  const double middle = (metrics.ascent() - metrics.descent()) / 2;  // baseline below the text's middle
  QPainterPath path;
  for (const Placed& p : fit.placed) {
    QPainterPath text;
    if (p.piece.along) {
      // Read from the rim inwards: the line turned a quarter clockwise.
      text.addText(0, middle, font, p.piece.text);
      QTransform lay;
      lay.translate(centre.x(), centre.y() - p.outer);
      lay.rotate(90);
      path.addPath(lay.map(text));
      continue;
    }
    const double width = metrics.horizontalAdvance(p.piece.text);
    text.addText(centre.x() - width / 2, centre.y() - (p.outer - p.length / 2) + middle, font, p.piece.text);
    path.addPath(text);
  }
  return path;
}

// The pieces, cut short with an ellipsis until they fit at the smallest
// size; a single run too long for the band is cut inside.
std::vector<Piece> Shortened(std::vector<Piece> pieces, double outer, double inner, double halfSlice) {
  auto fits = [&](const std::vector<Piece>& p) { return LargestFit(p, kSmallestPixels, outer, inner, halfSlice) > 0; };
  if (pieces.empty() || fits(pieces)) return pieces;
  const Piece ellipsis{QStringLiteral("\u2026"), true};
  while (pieces.size() > 1) {
    pieces.pop_back();
    std::vector<Piece> cut = pieces;
    cut.push_back(ellipsis);
    if (fits(cut)) return cut;
  }
  if (pieces.front().along) {
    const QFontMetricsF metrics(BoldFont(kSmallestPixels));
    pieces.front().text = metrics.elidedText(pieces.front().text, Qt::ElideRight, outer - inner);
  }
  return pieces;
}

QImage Decoded(std::span<const std::uint8_t> bytes) {
  const anim::FrameImage picture = anim::FrameImage::LoadFromBytes(bytes, anim::kNoKey, false);
  if (!picture.usable()) return {};
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  const std::vector<std::uint32_t>& pixels = picture.frames.front().pixels;
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      // 0xTTRRGGBB to 0xAARRGGBB: alpha is the opposite of transparency.
      const std::uint32_t p = pixels[static_cast<std::size_t>(y) * picture.width + x];
      row[x] = ((255 - (p >> 24)) << 24) | (p & 0x00FFFFFF);
    }
  }
  return image;
}

}  // namespace

std::string WriteLabelsOnWheel(std::span<const std::uint8_t> picture, const std::vector<std::string>& labels,
                               int startAngle) {
  QImage wheel = Decoded(picture);
  if (wheel.isNull() || labels.empty()) return {};
  const QPointF centre(wheel.width() / 2.0, wheel.height() / 2.0);
  const double radius = std::min(wheel.width(), wheel.height()) / 2.0;
  const double outer = radius * kOuterPart;
  const double inner = radius * kInnerPart;
  const double slice = 360.0 / static_cast<double>(labels.size());
  const double halfSlice = slice / 2 * std::numbers::pi / 180;

  // One size for every label that fits at it, so the wheel looks even; a
  // label too long for that takes its own smaller size, then an ellipsis.
  std::vector<std::vector<Piece>> pieces;
  double shared = radius * kLargestPart;
  for (const std::string& label : labels) {
    pieces.push_back(Shortened(Pieces(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()))), outer,
                               inner, halfSlice));
    const double fit = LargestFit(pieces.back(), radius * kLargestPart, outer, inner, halfSlice);
    if (fit >= kUniformPixels) shared = std::min(shared, fit);
  }

  QPainter painter(&wheel);
  painter.setRenderHint(QPainter::Antialiasing);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].empty()) continue;
    double pixels = shared;
    if (!Lay(pieces[i], pixels, outer, inner, halfSlice).fits) pixels = LargestFit(pieces[i], shared, outer, inner, halfSlice);
    if (pixels == 0) pixels = kSmallestPixels;
    const QPainterPath upright = LabelPath(Lay(pieces[i], pixels, outer, inner, halfSlice), pixels, centre);
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(startAngle + slice * (static_cast<double>(i) + 0.5));
    turn.translate(-centre.x(), -centre.y());
    PaintOutlinedText(painter, turn.map(upright), OutlineWidth(pixels), kLabelFill);
  }
  painter.end();
  return Png(wheel);
}

// [banner] ---------------------------------------------------------------------

namespace {

constexpr double kBannerWidest = 272;
constexpr double kBannerTextPixels = 30;
constexpr double kBannerSmallestText = 14;
constexpr double kShadow = 7;  // room around the plate for its shadow

// A four-pointed sparkle about a point.
QPainterPath Sparkle(QPointF at, double size) {
  QPainterPath star;
  const double waist = size * 0.28;
  star.moveTo(at.x(), at.y() - size);
  star.quadTo(at.x() + waist * 0.35, at.y() - waist * 0.35, at.x() + size, at.y());
  star.quadTo(at.x() + waist * 0.35, at.y() + waist * 0.35, at.x(), at.y() + size);
  star.quadTo(at.x() - waist * 0.35, at.y() + waist * 0.35, at.x() - size, at.y());
  star.quadTo(at.x() - waist * 0.35, at.y() - waist * 0.35, at.x(), at.y() - size);
  return star;
}

}  // namespace

BannerPicture DrawResultBanner(std::string_view label) {
  QString text = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())).simplified();
  if (text.isEmpty()) return {};
  const double padding = 42;  // each side: the sparkles and air
  const double textRoom = kBannerWidest - 2 * kShadow - 2 * padding;
  double pixels = kBannerTextPixels;
  while (pixels > kBannerSmallestText && QFontMetricsF(BoldFont(pixels)).horizontalAdvance(text) > textRoom) pixels -= 1;
  const QFont font = BoldFont(pixels);
  const QFontMetricsF metrics(font);
  text = metrics.elidedText(text, Qt::ElideRight, textRoom);

  const double textWidth = metrics.horizontalAdvance(text);
  const double plateHeight = std::round(kBannerTextPixels * 1.25 + 22);
  const double plateWidth = std::round(std::max(textWidth + 2 * padding, 150.0));
  const QRectF plate(kShadow, kShadow - 2, plateWidth, plateHeight);
  QImage image(static_cast<int>(plateWidth + 2 * kShadow), static_cast<int>(plateHeight + 2 * kShadow),
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double round = plateHeight / 2;

  // A soft shadow below, so the plate stands off whatever is behind it.
  for (int i = 6; i >= 1; --i) {
    QPainterPath shade;
    shade.addRoundedRect(plate.adjusted(-i, -i + 3, i, i + 3), round + i, round + i);
    painter.fillPath(shade, QColor(0, 0, 0, 14));
  }
  QPainterPath body;
  body.addRoundedRect(plate, round, round);
  QLinearGradient fill(plate.topLeft(), plate.bottomLeft());
  fill.setColorAt(0.0, QColor(0xC8, 0x1E, 0x3A));
  fill.setColorAt(0.55, QColor(0x9E, 0x0F, 0x2A));
  fill.setColorAt(1.0, QColor(0x6E, 0x08, 0x1C));
  painter.fillPath(body, fill);
  painter.strokePath(body, QPen(QColor(0x2A, 0x06, 0x0C), 3.2));
  QPainterPath rim;
  rim.addRoundedRect(plate.adjusted(2.6, 2.6, -2.6, -2.6), round - 2.6, round - 2.6);
  painter.strokePath(rim, QPen(QColor(0xF6, 0xC9, 0x4F), 2.2));
  QPainterPath gloss;
  gloss.addRoundedRect(QRectF(plate.left() + 10, plate.top() + 5, plate.width() - 20, plate.height() * 0.36),
                       plate.height() * 0.18, plate.height() * 0.18);
  painter.fillPath(gloss, QColor(255, 255, 255, 34));

  const QColor gold(0xFF, 0xD7, 0x6A);
  const double sparkleY = plate.center().y();
  painter.fillPath(Sparkle(QPointF(plate.left() + padding / 2 + 2, sparkleY), 9), gold);
  painter.fillPath(Sparkle(QPointF(plate.right() - padding / 2 - 2, sparkleY), 9), gold);

  QPainterPath words;
  const double baseline = plate.center().y() + (metrics.ascent() - metrics.descent()) / 2;
  words.addText(plate.center().x() - textWidth / 2, baseline, font, text);
  QLinearGradient shine(QPointF(0, baseline - metrics.ascent()), QPointF(0, baseline));
  shine.setColorAt(0, QColor(0xFF, 0xFD, 0xF2));
  shine.setColorAt(1, QColor(0xFF, 0xE2, 0x8C));
  PaintOutlinedText(painter, words, OutlineWidth(pixels) + 1, shine);
  painter.end();
  return {Png(image), image.width(), image.height()};
}

}  // namespace horavia::app
