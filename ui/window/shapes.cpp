#include "ui/window/shapes.h"

namespace horavia::ui {
namespace {

constexpr std::int32_t U = kShapeUnit;   // full width or height
constexpr std::int32_t H = 16383;        // half
constexpr std::int32_t Q = 8191;         // quarter
constexpr std::int32_t T = 24575;        // three quarters
constexpr std::int32_t F = 6553;         // a fifth
constexpr std::int32_t G = 26214;        // four fifths

using Outline = std::array<ShapePoint, 13>;
struct OutlineEntry {
  Outline points;
  int count;
};

// Shapes 4, 5, 12 and 19 are the classic ones; the others are simple closed
// polygons of our own: arrows, chevrons, stars, polygons and cut corners.
constexpr OutlineEntry kOutlines[26] = {
    /*4  triangle up*/ {{{{H, 0}, {U, U}, {0, U}, {H, 0}}}, 4},
    /*5  triangle down*/ {{{{0, 0}, {U, 0}, {H, U}}}, 3},
    /*6  triangle left*/ {{{{0, H}, {U, 0}, {U, U}}}, 3},
    /*7  triangle right*/ {{{{0, 0}, {U, H}, {0, U}}}, 3},
    /*8  arrow up*/ {{{{H, 0}, {U, H}, {T, H}, {T, U}, {Q, U}, {Q, H}, {0, H}}}, 7},
    /*9  arrow down*/ {{{{Q, 0}, {T, 0}, {T, H}, {U, H}, {H, U}, {0, H}, {Q, H}}}, 7},
    /*10 arrow left*/ {{{{0, H}, {H, 0}, {H, Q}, {U, Q}, {U, T}, {H, T}, {H, U}}}, 7},
    /*11 arrow right*/ {{{{0, Q}, {H, Q}, {H, 0}, {U, H}, {H, U}, {H, T}, {0, T}}}, 7},
    /*12 diamond*/ {{{{H, 0}, {U, H}, {H, U}, {0, H}}}, 4},
    /*13 pentagon*/ {{{{H, 0}, {U, 12517}, {25247, U}, {7519, U}, {0, 12517}}}, 5},
    /*14 hexagon*/ {{{{Q, 0}, {T, 0}, {U, H}, {T, U}, {Q, U}, {0, H}}}, 6},
    /*15 octagon*/ {{{{9598, 0}, {23169, 0}, {U, 9598}, {U, 23169}, {23169, U}, {9598, U}, {0, 23169},
                     {0, 9598}}},
                   8},
    /*16 five-pointed star*/ {{{{H, 0}, {20063, 11276}, {U, 12517}, {22338, 19848}, {25247, U},
                                {H, 26214}, {7519, U}, {10428, 19848}, {0, 12517}, {12703, 11276}}},
                              10},
    /*17 four-pointed star*/ {{{{H, 0}, {20479, 12287}, {U, H}, {20479, 20479}, {H, U}, {12287, 20479},
                                {0, H}, {12287, 12287}}},
                              8},
    /*18 cross*/ {{{{Q, 0}, {T, 0}, {T, Q}, {U, Q}, {U, T}, {T, T}, {T, U}, {Q, U}, {Q, T}, {0, T},
                    {0, Q}, {Q, Q}}},
                  12},
    /*19 one corner cut*/ {{{{F, 0}, {0, F}, {0, U}, {U, U}, {U, 0}}}, 5},
    /*20 two corners cut*/ {{{{F, 0}, {0, F}, {0, U}, {G, U}, {U, G}, {U, 0}}}, 6},
    /*21 four corners cut*/ {{{{F, 0}, {G, 0}, {U, F}, {U, G}, {G, U}, {F, U}, {0, G}, {0, F}}}, 8},
    /*22 parallelogram*/ {{{{Q, 0}, {U, 0}, {T, U}, {0, U}}}, 4},
    /*23 trapezium*/ {{{{Q, 0}, {T, 0}, {U, U}, {0, U}}}, 4},
    /*24 chevron right*/ {{{{0, 0}, {T, 0}, {U, H}, {T, U}, {0, U}, {Q, H}}}, 6},
    /*25 chevron left*/ {{{{Q, 0}, {U, 0}, {T, H}, {U, U}, {Q, U}, {0, H}}}, 6},
    /*26 house*/ {{{{H, 0}, {U, H}, {U, U}, {0, U}, {0, H}}}, 5},
    /*27 speech bubble*/ {{{{0, 0}, {U, 0}, {U, T}, {H, T}, {Q, U}, {Q, T}, {0, T}}}, 7},
    /*28 flag*/ {{{{0, 0}, {U, 0}, {T, H}, {U, U}, {0, U}}}, 5},
    /*29 notched base*/ {{{{0, 0}, {U, 0}, {U, U}, {H, T}, {0, U}}}, 5},
};

}  // namespace

std::span<const ShapePoint> ShapeOutline(int shape) {
  if (shape < kFirstOutlineShape || shape >= kShapeCount) return {};
  const OutlineEntry& entry = kOutlines[shape - kFirstOutlineShape];
  return {entry.points.data(), static_cast<std::size_t>(entry.count)};
}

std::vector<ShapePoint> ScaledOutline(int shape, int width, int height) {
  std::vector<ShapePoint> points;
  for (ShapePoint p : ShapeOutline(shape)) {
    points.push_back({static_cast<std::int32_t>(static_cast<std::int64_t>(p.x) * width / kShapeUnit),
                      static_cast<std::int32_t>(static_cast<std::int64_t>(p.y) * height / kShapeUnit)});
  }
  return points;
}

}  // namespace horavia::ui
