// The default skin "蓝色": a deep blue sunray dial in a brushed-steel bezel,
// faceted steel hands, a coral second hand, and a blue wheel with warm
// accents over which a coral pointer turns.
//
// Index
//   [palette]  the skin's colours
//   [face]     bezel, dial, indices, numerals
//   [hands]    hour, minute, second (with its counterweight and cap)
//   [wheel]    segments and needle
//   [ending]   confetti and the "恭喜" banner
#include <QConicalGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include "assets/canvas.h"
#include "assets/celebration.h"
#include "assets/dial.h"
#include "assets/skin_art.h"
#include "assets/wheel.h"

namespace horavia::assets {
namespace {

// [palette] -------------------------------------------------------------------

const QPointF kCentre(kMiddle, kMiddle);
const QColor kInk(0x0B, 0x17, 0x33);        // rim, outlines
const QColor kDial(0x1B, 0x3F, 0x7C);       // the dial's middle tone
const QColor kDialLight(0x2B, 0x5E, 0xA8);
const QColor kDialDark(0x0E, 0x25, 0x50);
const QColor kIce(0xEC, 0xF3, 0xFF);        // indices, numerals
const QColor kTrack(0x86, 0xA8, 0xDA);      // minute marks, wordmark
const QColor kSteelLit(0xF1, 0xF5, 0xFB);
const QColor kSteelShade(0xB4, 0xC5, 0xDE);
const QColor kCoral(0xFF, 0x5A, 0x36);
const QColor kAmber(0xF4, 0xA9, 0x3B);
constexpr std::uint32_t kEndKey = 0xFF00FF;

// [face] ----------------------------------------------------------------------

void DrawBezel(QPainter& painter) {
  painter.fillPath(Circle(kCentre, 150), kInk);
  // Brushed steel: light catches the ring at top left and bottom right.
  QConicalGradient steel(kCentre, 135);
  const QColor light(0xC4, 0xD6, 0xF0), mid(0x5D, 0x80, 0xBA), dark(0x29, 0x46, 0x80);
  steel.setColorAt(0.00, light);
  steel.setColorAt(0.16, mid);
  steel.setColorAt(0.33, dark);
  steel.setColorAt(0.50, light);
  steel.setColorAt(0.66, mid);
  steel.setColorAt(0.83, dark);
  steel.setColorAt(1.00, light);
  painter.fillPath(Circle(kCentre, 147.5), steel);
  painter.fillPath(Circle(kCentre, 137.5), kInk);
}

void DrawDial(QPainter& painter) {
  const double radius = 136;
  QRadialGradient dial(QPointF(kMiddle, kMiddle - 40), 200);
  dial.setColorAt(0.0, kDialLight);
  dial.setColorAt(0.5, kDial);
  dial.setColorAt(1.0, kDialDark);
  painter.fillPath(Circle(kCentre, radius), dial);
  // Sunray: faint alternate wedges fanning from the middle.
  for (int i = 0; i < 120; i += 2) {
    painter.fillPath(Sector(kCentre, 0, radius, 3.0 * i, 3.0 * i + 3), QColor(255, 255, 255, 9));
  }
  // An inner shadow under the bezel.
  QRadialGradient shadow(kCentre, radius);
  shadow.setColorAt(0.90, QColor(0, 0, 0, 0));
  shadow.setColorAt(1.00, QColor(0, 0, 0, 90));
  painter.fillPath(Circle(kCentre, radius), shadow);
}

void DrawIndices(QPainter& painter) {
  DrawTicks(painter, kCentre, {60, 5, 130, 124, 1.4, kTrack});
  for (int hour = 0; hour < 12; ++hour) {
    const bool quarter = hour % 3 == 0;
    const double width = quarter ? 5.5 : 3.6;
    const double inner = quarter ? 110 : 114;
    painter.save();
    painter.translate(kCentre);
    painter.rotate(30.0 * hour);
    if (hour == 0) {
      // Twelve gets a pair of bars.
      for (double x : {-4.6, 1.4}) {
        QPainterPath bar;
        bar.addRoundedRect(QRectF(x, -131, 3.2, 131 - inner), 1.2, 1.2);
        painter.fillPath(bar, kIce);
      }
    } else {
      QPainterPath bar;
      bar.addRoundedRect(QRectF(-width / 2, -131, width, 131 - inner), 1.4, 1.4);
      painter.fillPath(bar, kIce);
    }
    painter.restore();
  }
}

void DrawFace(QPainter& painter) {
  DrawBezel(painter);
  DrawDial(painter);
  DrawIndices(painter);
  const QStringList numerals = {"12", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
  DrawNumerals(painter, kCentre, numerals, 92, InstalledFont("DejaVu Sans", 21, QFont::Bold, QFont::Condensed), kIce);
  QFont mark = InstalledFont("DejaVu Sans", 8.5, QFont::Bold);
  mark.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
  painter.fillPath(CentredText("HORAVIA", mark, QPointF(kMiddle, 102)), kTrack);
}

// [hands] ---------------------------------------------------------------------

// A hand's edge fades toward `matte`: its own outline colour when it has
// one, else the dial it lies on.
RgbPicture HandPicture(const QImage& layer, QColor matte) {
  return Still(kSkinSize, kSkinSize, Flatten(layer, kWhite, matte));
}

RgbPicture DrawSteelHand(double length, double baseHalfWidth, double tipHalfWidth) {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  const QPointF profile[] = {{baseHalfWidth * 0.8, -18}, {baseHalfWidth, 0},
                             {tipHalfWidth, length - 12}, {0, length}};
  const QPainterPath hand = SymmetricHand(kCentre, profile).united(Circle(kCentre, baseHalfWidth + 3));
  DrawFacetedHand(painter, hand, kCentre, kSteelLit, kSteelShade, kInk, 1.8);
  painter.end();
  return HandPicture(layer, kInk);
}

RgbPicture DrawSecondHand() {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  const QPointF profile[] = {{1.8, -34}, {1.5, 0}, {0.9, 126}};
  QPainterPath hand = SymmetricHand(kCentre, profile);
  // The counterweight: a rounded paddle on the tail.
  QPainterPath weight;
  weight.addRoundedRect(QRectF(kMiddle - 4, kMiddle + 16, 8, 22), 4, 4);
  hand = hand.united(weight).united(Circle(kCentre, 7.5));
  painter.fillPath(hand, kCoral);
  painter.fillPath(Circle(kCentre, 3.2), kInk);
  painter.fillPath(Circle(QPointF(kMiddle - 0.8, kMiddle - 0.8), 1.2), QColor(0x5D, 0x80, 0xBA));
  painter.end();
  return HandPicture(layer, kDial);
}

// [wheel] ---------------------------------------------------------------------

WheelStyle BlueWheel() {
  const QColor royal(0x2F, 0x6F, 0xE0), navy(0x1E, 0x3A, 0x8A), sky(0x23, 0x9C, 0xD3);
  WheelStyle style;
  style.fills = {kAmber, royal, navy, sky};
  style.edge = kInk;
  style.rim = QColor(0x16, 0x2C, 0x5E);
  style.rimLight = QColor(0x9D, 0xB9, 0xE4);
  style.divider = QColor(0xDC, 0xE8, 0xFA, 200);
  style.bulbOn = QColor(0xFF, 0xF3, 0xD2);
  style.bulbOff = QColor(0xFF, 0xB8, 0x4D);
  style.bulbGlow = QColor(0xFF, 0xD9, 0x8A, 120);
  style.hub = QColor(0x2A, 0x4F, 0x95);
  style.hubRing = QColor(0xC4, 0xD6, 0xF0);
  style.hubRadius = 32;
  return style;
}

// The needle turns over the wheel: a pointer button whose arrow reaches
// just short of where the program writes the labels, so it never hides the
// prize it points at.
RgbPicture DrawNeedle() {
  QImage layer = NewLayer(kSkinSize, kSkinSize);
  QPainter painter;
  BeginPainting(painter, layer);
  const QPointF profile[] = {{13, 12}, {0, 60}};
  const QPainterPath pointer = SymmetricHand(kCentre, profile).united(Circle(kCentre, 23));
  DrawFacetedHand(painter, pointer, kCentre, kCoral.lighter(112), kCoral.darker(115), kInk, 2.0);
  painter.strokePath(Circle(kCentre, 17), QPen(QColor(0xFF, 0xC9, 0xB8), 1.6));
  QRadialGradient cap(QPointF(kMiddle - 4, kMiddle - 4), 14);
  cap.setColorAt(0, QColor(0xF1, 0xF5, 0xFB));
  cap.setColorAt(1, QColor(0x9B, 0xB1, 0xD3));
  painter.fillPath(Circle(kCentre, 9), cap);
  painter.strokePath(Circle(kCentre, 9), QPen(kInk, 1.6));
  painter.end();
  return Still(kSkinSize, kSkinSize, Flatten(layer, kWhite, kInk));
}

// [ending] --------------------------------------------------------------------

EndPicture Confetti() {
  ConfettiStyle style = EndConfettiStyle();
  style.colours = {kCoral, QColor(0xFF, 0xC1, 0x3B), QColor(0x4F, 0xC3, 0xF7), QColor(0x4A, 0xDE, 0x80),
                   QColor(0xFF, 0x6F, 0xB5), QColor(0xA7, 0x8B, 0xFA), QColor(0xEC, 0xF3, 0xFF)};
  style.shapes = {PieceShape::Paper, PieceShape::Paper, PieceShape::Ribbon, PieceShape::Star};
  style.pieces = 90;
  style.key = kEndKey;
  style.seed = 20240611;
  return EndConfetti(style);
}

EndPicture Banner() {
  BannerStyle style;
  style.width = 184;
  style.height = 80;
  style.text = QString::fromUtf8("恭喜");
  style.textPixelSize = 34;
  style.band = QColor(0xFF, 0x6E, 0x4A);
  style.bandDark = QColor(0xD2, 0x36, 0x1C);
  style.tails = QColor(0xB0, 0x2A, 0x14);
  style.border = QColor(0xF2, 0xC1, 0x4E);
  style.outline = kInk;
  style.textTop = QColor(0xFF, 0xFB, 0xEC);
  style.textBottom = QColor(0xFF, 0xDC, 0x8A);
  style.shine = QColor(0xFF, 0xC8, 0x5A);
  style.sparkle = QColor(0xFF, 0xE9, 0xA8);
  style.key = kEndKey;
  return {DrawBanner(style), kEndKey, 3, 58, 190};
}

}  // namespace

SkinArt DrawBlueSkin() {
  SkinArt art;
  art.name = "蓝色";
  art.face = Still(kSkinSize, kSkinSize, Flatten(PaintedLayer(kSkinSize, kSkinSize, DrawFace), kWhite, kInk));
  art.hourHand = DrawSteelHand(72, 6.4, 4.4);
  art.minuteHand = DrawSteelHand(112, 4.6, 2.8);
  art.secondHand = DrawSecondHand();
  art.wheel = Still(kSkinSize, kSkinSize, Flatten(DrawWheel(BlueWheel(), kBluePrizes), kWhite, kInk));
  art.needle = DrawNeedle();
  art.end1 = Confetti();
  art.end2 = Banner();
  art.prizes = &kBluePrizes;
  art.wheelTurns = false;
  return art;
}

}  // namespace horavia::assets
