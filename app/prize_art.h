// Pictures the program draws itself for its prizes: the labels written onto
// a skin's wheel ("写奖项"=1 in its pf.ini) and the banner that shows the
// winning label when a spin comes to rest. Drawn with the toolkit's painter
// in the CJK font, handed on as PNG bytes that the animation box decodes
// like any other picture. The skin tool's preview draws the same.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace horavia::app {

// The wheel picture (any format the program reads) with one label (UTF-8)
// written along each of the equal slices that go clockwise from `startAngle`
// (degrees from 12 o'clock): read from the rim towards the hub, Chinese
// characters upright and other runs lying along the radius, sized to fit its
// slice, light with a dark outline so that it reads on any colour. Empty
// when the picture does not decode.
std::string WriteLabelsOnWheel(std::span<const std::uint8_t> picture, const std::vector<std::string>& labels,
                               int startAngle);

struct BannerPicture {
  std::string png;  // with transparency around its rounded shape
  int width = 0;
  int height = 0;
};
// The winning label (UTF-8) on a banner that fits the 300 × 300 box.
BannerPicture DrawResultBanner(std::string_view label);

}  // namespace horavia::app
