// The animated pictures that end a spin: a burst of confetti and a ribbon
// banner with twinkling stars. Each is drawn on a key
// colour that fills everything outside the drawing; the key is the top-left
// pixel of every frame and appears nowhere in the drawing itself.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <vector>

#include "assets/gif_encoder.h"

namespace horavia::assets {

enum class PieceShape { Paper, Ribbon, Coin, Star };

struct ConfettiStyle {
  int width = 0;
  int height = 0;
  QPointF origin;                 // where the pieces start, in picture pixels
  std::vector<QColor> colours;
  std::vector<PieceShape> shapes;  // drawn in turn
  QColor outline = Qt::transparent;  // a thin edge that lifts pieces off a busy background
  double speed = 800;    // fastest launch, pixels per whole animation
  double gravity = 500;  // pixels per whole animation squared
  int pieces = 60;
  int frames = 16;
  int delayMs = 70;
  std::uint32_t key = 0;
  std::uint32_t seed = 1;
};

// Pieces thrown up and out from the origin, falling and shrinking away;
// the last frame is almost empty, so the picture can vanish after it.
RgbPicture DrawConfettiBurst(const ConfettiStyle& style);

struct BannerStyle {
  int width = 0;
  int height = 0;
  QString text;
  double textPixelSize = 34;
  QColor band, bandDark, tails, border, outline;
  QColor textTop, textBottom, shine, sparkle;
  int frames = 12;
  int delayMs = 90;
  std::uint32_t key = 0;
};

// A ribbon with folded tails carrying the text; light sweeps over the text
// and stars twinkle around it. The cycle loops seamlessly.
RgbPicture DrawBanner(const BannerStyle& style);

}  // namespace horavia::assets
