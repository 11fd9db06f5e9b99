// The prizes of the shipped skins: one list each, from which both the wheel
// picture (how many slices, where the first begins) and the skin's pf.ini
// (the prize keys the program reads and writes onto the wheel) are made, so
// the two can never disagree.
#pragma once

#include <array>

namespace horavia::assets {

struct ShippedPrize {
  const char* label;  // UTF-8
  int weight;
};

struct PrizeList {
  // Degrees clockwise from 12 o'clock where slice 1 begins: half a slice
  // before 12, so that slice 1 is centred under the pointer at rest.
  int startAngle;
  std::array<ShippedPrize, 12> prizes;
};

// Every slice as likely as the next: what viewers expect of a wheel whose
// slices are all the same size. A streamer who wants otherwise changes the
// weights in pf.ini.
inline constexpr PrizeList kBluePrizes = {
    345,
    {{{"特等奖", 1}, {"谢谢参与", 1}, {"一等奖", 1}, {"再来一次", 1}, {"二等奖", 1}, {"点歌一首", 1},
      {"三等奖", 1}, {"谢谢参与", 1}, {"幸运奖", 1}, {"再来一次", 1}, {"神秘礼物", 1}, {"红包", 1}}}};

inline constexpr PrizeList kFestivePrizes = {
    345,
    {{{"特等奖", 1}, {"谢谢参与", 1}, {"红包", 1}, {"再来一次", 1}, {"一等奖", 1}, {"福袋", 1},
      {"二等奖", 1}, {"谢谢参与", 1}, {"三等奖", 1}, {"好运连连", 1}, {"神秘礼物", 1}, {"大吉", 1}}}};

}  // namespace horavia::assets
