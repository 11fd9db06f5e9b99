// The second skin "喜庆" (festive): red lacquer in a gold bezel with Chinese
// numerals, gold leaf hands and a jade second hand; a red, gold and cream
// wheel that turns under a fixed gold pointer and a "抽奖" button.
//
// Index
//   [palette]  the skin's colours
//   [face]     bezel, dial, marks, numerals
//   [hands]    gold leaf hands, the jade second hand with its coin weight
//   [wheel]    segments, pointer and button
//   [ending]   coins and confetti, the "恭喜中奖" banner
#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include <cmath>
#include <numbers>
#include <vector>

#include "assets/canvas.h"
#include "assets/celebration.h"
#include "assets/dial.h"
#include "assets/skin_art.h"
#include "assets/wheel.h"

namespace horavia::assets {
namespace {

// [palette] -------------------------------------------------------------------

const QPointF kCentre(kMiddle, kMiddle);
const QColor kInk(0x3A, 0x05, 0x08);  // rim and outlines: a deep maroon
const QColor kLacquer(0xB3, 0x14, 0x1C);
const QColor kLacquerLight(0xD6, 0x2D, 0x2F);
const QColor kLacquerDark(0x74, 0x0A, 0x10);
const QColor kGoldLight(0xFF, 0xE6, 0xA0);
const QColor kGold(0xE9, 0xB6, 0x4A);
const QColor kGoldDark(0xA8, 0x72, 0x1C);
const QColor kJade(0x2C, 0xC8, 0x9E);
const QColor kCream(0xFC, 0xEC, 0xC8);
constexpr std::uint32_t kEndKey = 0x00FF00;

QConicalGradient GoldRing() {
  QConicalGradient gold(kCentre, 120);
  gold.setColorAt(0.00, kGoldLight);
  gold.setColorAt(0.25, kGoldDark);
  gold.setColorAt(0.50, kGoldLight);
  gold.setColorAt(0.75, kGoldDark);
  gold.setColorAt(1.00, kGoldLight);
  return gold;
}

// [face] ----------------------------------------------------------------------

void DrawCase(QPainter& painter) {
  painter.fillPath(Circle(kCentre, 150), kInk);
  painter.fillPath(Circle(kCentre, 147.5), GoldRing());
  painter.fillPath(Circle(kCentre, 137), kInk);
  QRadialGradient lacquer(QPointF(kMiddle - 20, kMiddle - 45), 190);
  lacquer.setColorAt(0.0, kLacquerLight);
  lacquer.setColorAt(0.45, kLacquer);
  lacquer.setColorAt(1.0, kLacquerDark);
  painter.fillPath(Circle(kCentre, 135.5), lacquer);
  // Fine engine-turned rings in the middle of the dial.
  for (double r = 14; r <= 70; r += 3.5) painter.strokePath(Circle(kCentre, r), QPen(QColor(0, 0, 0, 22), 1.0));
}

// A lozenge mark pointing at the centre.
void DrawLozenge(QPainter& painter, double degrees, double radius, double length, double width) {
  painter.save();
  painter.translate(kCentre);
  painter.rotate(degrees);
  QPainterPath mark;
  mark.moveTo(0, -radius - length / 2);
  mark.lineTo(width / 2, -radius);
  mark.lineTo(0, -radius + length / 2);
  mark.lineTo(-width / 2, -radius);
  mark.closeSubpath();
  painter.fillPath(mark, kGold);
  painter.strokePath(mark, QPen(kInk, 1.0));
  painter.restore();
}

void DrawMarks(QPainter& painter) {
  painter.strokePath(Circle(kCentre, 128), QPen(kGold, 1.6));
  painter.strokePath(Circle(kCentre, 112), QPen(kGold, 1.0));
  DrawDots(painter, kCentre, 60, 5, 120, 1.5, kGoldLight);
  for (int hour = 0; hour < 12; ++hour) {
    if (hour % 3 == 0) {
      DrawLozenge(painter, 30.0 * hour, 120, 17, 9);
    } else {
      DrawLozenge(painter, 30.0 * hour, 120, 13, 6.5);
    }
  }
}

void DrawChineseNumerals(QPainter& painter) {
  const QFont font = InstalledFont("WenQuanYi Micro Hei", 25, QFont::Bold);
  const char* numerals[4] = {"十二", "三", "六", "九"};
  for (int i = 0; i < 4; ++i) {
    const QPainterPath text = CentredText(QString::fromUtf8(numerals[i]), font, Polar(kCentre, 90.0 * i, 88));
    painter.strokePath(text, QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient fill(text.boundingRect().topLeft(), text.boundingRect().bottomLeft());
    fill.setColorAt(0, kGoldLight);
    fill.setColorAt(1, kGold);
    painter.fillPath(text, fill);
  }
}

void DrawFace(QPainter& painter) {
  DrawCase(painter);
  DrawMarks(painter);
  DrawChineseNumerals(painter);
  QFont mark = InstalledFont("DejaVu Serif", 8.5, QFont::Bold);
  mark.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
  painter.fillPath(CentredText("HORAVIA", mark, QPointF(kMiddle, 196)), kGold);
}

// [hands] ---------------------------------------------------------------------

// A leaf: a narrow neck at the centre swelling to its widest at `belly`,
// then closing to a point at `length`; a short tail behind the centre.
QPainterPath Leaf(double length, double belly, double halfWidth, double tail) {
  constexpr double kNeck = 2.6;
  std::vector<QPointF> profile = {{kNeck, -tail}};
  for (int i = 0; i <= 48; ++i) {
    const double d = length * i / 48.0;
    const double w = d < belly ? kNeck + (halfWidth - kNeck) * std::sin(std::numbers::pi / 2 * d / belly)
                               : halfWidth * std::cos(std::numbers::pi / 2 * (d - belly) / (length - belly));
    profile.emplace_back(w, d);
  }
  return SymmetricHand(kCentre, profile).united(Circle(kCentre, 7.5));
}

RgbPicture DrawGoldHand(double length, double belly, double halfWidth) {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  DrawFacetedHand(painter, Leaf(length, belly, halfWidth, 16), kCentre, kGoldLight, kGold.darker(108), kInk, 1.6);
  painter.end();
  return Still(kSkinSize, kSkinSize, Flatten(layer, kWhite, kInk));
}

RgbPicture DrawJadeHand() {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  const QPointF profile[] = {{1.5, -30}, {1.3, 0}, {0.8, 126}};
  QPainterPath hand = SymmetricHand(kCentre, profile);
  // The counterweight is a round coin with a square hole.
  const QPointF coin(kMiddle, kMiddle + 24);
  QPainterPath hole;
  hole.addRect(QRectF(coin.x() - 2.2, coin.y() - 2.2, 4.4, 4.4));
  hand = hand.united(Circle(coin, 7)).subtracted(hole).united(Circle(kCentre, 6.5));
  painter.fillPath(hand, kJade);
  painter.fillPath(Circle(kCentre, 2.6), kGoldLight);
  painter.end();
  return Still(kSkinSize, kSkinSize, Flatten(layer, kWhite, kLacquer));
}

// [wheel] ---------------------------------------------------------------------

WheelStyle FestiveWheel() {
  const QColor red(0xD2, 0x1F, 0x2C), gold(0xF3, 0xB9, 0x31);
  WheelStyle style;
  style.fills = {red, gold, kCream};
  style.edge = kInk;
  style.rim = QColor(0x82, 0x0C, 0x14);
  style.rimLight = QColor(0xF3, 0xC4, 0x5A);
  style.divider = QColor(0xF6, 0xD2, 0x7A, 220);
  style.bulbOn = QColor(0xFF, 0xF4, 0xCC);
  style.bulbOff = QColor(0xFF, 0xC8, 0x45);
  style.bulbGlow = QColor(0xFF, 0xD8, 0x70, 130);
  style.hub = kLacquer;
  style.hubRing = kGold;
  style.hubRadius = 28;
  return style;
}

// The needle stands still while the wheel turns: a gold pointer over the
// rim at 12 o'clock and a button over the hub.
RgbPicture DrawPointerAndButton() {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  QPainterPath pointer;
  pointer.moveTo(kMiddle - 11, 18);
  pointer.lineTo(kMiddle, 40);
  pointer.lineTo(kMiddle + 11, 18);
  pointer = pointer.united(Circle(QPointF(kMiddle, 16), 12));
  QLinearGradient gold(QPointF(kMiddle - 12, 0), QPointF(kMiddle + 12, 0));
  gold.setColorAt(0, kGoldLight);
  gold.setColorAt(1, kGoldDark);
  painter.fillPath(pointer, gold);
  painter.strokePath(pointer, QPen(kInk, 1.8));
  painter.fillPath(Circle(QPointF(kMiddle, 16), 5), kLacquer);
  painter.fillPath(Circle(QPointF(kMiddle - 1.5, 14.5), 1.6), QColor(0xFF, 0x9A, 0x8A));

  painter.fillPath(Circle(kCentre, 33), kInk);
  painter.fillPath(Circle(kCentre, 31.5), GoldRing());
  QRadialGradient button(QPointF(kMiddle - 9, kMiddle - 10), 40);
  button.setColorAt(0, kLacquerLight.lighter(115));
  button.setColorAt(1, kLacquerDark);
  painter.fillPath(Circle(kCentre, 27), button);
  const QFont font = InstalledFont("WenQuanYi Micro Hei", 17, QFont::Bold);
  const QPainterPath words = CentredText(QString::fromUtf8("抽奖"), font, kCentre);
  painter.strokePath(words, QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.fillPath(words, kGoldLight);
  painter.end();
  return Still(kSkinSize, kSkinSize, Flatten(layer, kWhite, kInk));
}

// [ending] --------------------------------------------------------------------

EndPicture CoinShower() {
  ConfettiStyle style = EndConfettiStyle();
  // Gold first of all, with jade, pink and cream so that pieces stay visible
  // over the red and gold wheel, each with a thin maroon edge.
  style.colours = {QColor(0xFF, 0xD3, 0x4A), QColor(0xFF, 0xD3, 0x4A), kJade, QColor(0xFF, 0x6F, 0xB5), kCream,
                   QColor(0xFF, 0x8A, 0x3D)};
  style.outline = kInk;
  style.shapes = {PieceShape::Coin, PieceShape::Paper, PieceShape::Star, PieceShape::Paper, PieceShape::Ribbon};
  style.pieces = 84;
  style.key = kEndKey;
  style.seed = 88888;
  return EndConfetti(style);
}

EndPicture Banner() {
  BannerStyle style;
  style.width = 208;
  style.height = 80;
  style.text = QString::fromUtf8("恭喜中奖");
  style.textPixelSize = 30;
  style.band = QColor(0xE0, 0x26, 0x30);
  style.bandDark = QColor(0x9E, 0x0E, 0x16);
  style.tails = QColor(0x8A, 0x0C, 0x14);
  style.border = kGold;
  style.outline = kInk;
  style.textTop = QColor(0xFF, 0xF3, 0xC4);
  style.textBottom = QColor(0xF3, 0xB9, 0x31);
  style.shine = QColor(0xFF, 0xFB, 0xEA);
  style.sparkle = QColor(0xFF, 0xE6, 0x8A);
  style.key = kEndKey;
  return {DrawBanner(style), kEndKey, 3, 46, 196};
}

}  // namespace

SkinArt DrawFestiveSkin() {
  SkinArt art;
  art.name = "喜庆";
  art.face = Still(kSkinSize, kSkinSize, Flatten(PaintedLayer(kSkinSize, kSkinSize, DrawFace), kWhite, kInk));
  art.hourHand = DrawGoldHand(74, 27, 9.2);
  art.minuteHand = DrawGoldHand(114, 38, 7.2);
  art.secondHand = DrawJadeHand();
  art.wheel = Still(kSkinSize, kSkinSize, Flatten(DrawWheel(FestiveWheel(), kFestivePrizes), kWhite, kInk));
  art.needle = DrawPointerAndButton();
  art.end1 = CoinShower();
  art.end2 = Banner();
  art.prizes = &kFestivePrizes;
  art.wheelTurns = true;
  return art;
}

}  // namespace horavia::assets
