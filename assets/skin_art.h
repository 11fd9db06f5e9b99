// What one skin folder holds, as drawn pictures and numbers, before anything
// is encoded: the generator's main turns it into the folder's files.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "assets/celebration.h"
#include "assets/gif_encoder.h"
#include "assets/prizes.h"

namespace horavia::assets {

// The clock and wheel pictures are 300 × 300, drawn about this centre (the
// corner between the four middle pixels), which is the point the program
// turns them about.
inline constexpr int kSkinSize = 300;
inline constexpr double kMiddle = 150.0;

struct EndPicture {
  RgbPicture picture;
  std::uint32_t key = 0;  // the colour of its top-left pixel, transparent
  int plays = 0;          // how many times it plays before it vanishes
  int x = 0;              // top-left in box pixels
  int y = 0;
};

struct SkinArt {
  std::string name;  // the folder's name, UTF-8
  RgbPicture face;   // background and window outline, white outside
  RgbPicture wheel;  // the wheel object and its window outline, white outside
  RgbPicture hourHand, minuteHand, secondHand;  // on white, pointing to 12
  RgbPicture needle;                            // on white
  EndPicture end1, end2;
  bool wheelTurns = false;  // true: the wheel turns under a fixed needle
  const PrizeList* prizes = nullptr;  // the wheel's slices; pf.ini lists them
};

SkinArt DrawBlueSkin();
SkinArt DrawFestiveSkin();

// Both skins end a spin with a confetti burst of this size and motion,
// thrown up from the wheel's hub; each skin gives its colours, shapes,
// number of pieces, key and seed.
inline ConfettiStyle EndConfettiStyle() {
  ConfettiStyle style;
  style.width = 280;
  style.height = 260;
  style.origin = QPointF(140, 138);
  style.speed = 880;
  style.gravity = 520;
  style.frames = 20;
  style.delayMs = 60;
  return style;
}

// The burst laid over the clock at (10, 12), played twice.
inline EndPicture EndConfetti(const ConfettiStyle& style) {
  return {DrawConfettiBurst(style), style.key, 2, 10, 12};
}

// A single-frame picture.
inline RgbPicture Still(int width, int height, std::vector<std::uint32_t> pixels) {
  return RgbPicture{width, height, {RgbFrame{std::move(pixels), 0}}};
}

}  // namespace horavia::assets
