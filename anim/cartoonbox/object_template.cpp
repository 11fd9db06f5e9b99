#include "anim/cartoonbox/object_template.h"

#include <algorithm>

namespace horavia::anim {

namespace {

std::int32_t Clamp(std::int32_t v, std::int32_t low, std::int32_t high) { return std::clamp(v, low, high); }

}  // namespace

void ClampTemplateSettings(CartoonObjectData& data) {
  data.gifDelay = std::max(data.gifDelay, 0);
  data.zoom = std::max(data.zoom, 0);
  data.existTime = std::max(data.existTime, 0);
  data.trendDepth = Clamp(data.trendDepth, 0, 100);
  data.alpha = Clamp(data.alpha, 0, 100);
  data.angle = Clamp(data.angle, -360, 360);
  data.turnType = Clamp(data.turnType, 0, 3);
}

TemplatePicture BuildTemplatePicture(const CartoonObjectData& data, TextRenderer* renderer) {
  if (!data.text.empty()) {
    if (renderer == nullptr) return {};
    return FrameImage::LoadFromText(data.text, *renderer, data.textColor);
  }
  const bool autoKey = data.autoGetTransColor != 0;
  return PackedPicture(data.picture, autoKey ? kNoKey : data.transparentColor, autoKey);
}

bool TemplatePropertyApplies(const CartoonObjectData& data, int index) {
  namespace p = template_property;
  const bool hasText = !data.text.empty();
  const bool hasPicture = !data.picture.empty();
  switch (index) {
    case p::kText: return !hasPicture;
    case p::kFont:
    case p::kTextColor: return hasText;
    case p::kPicture: return !hasText;
    case p::kAutoGetTransColor:
    case p::kPlayGif:
    case p::kGifDelay:
    case p::kGifAutoDestroy: return hasPicture;
    case p::kTransparentColor: return hasPicture && data.autoGetTransColor == 0;
    case p::kCollidedSound: return data.collideAllowed != 0;
    default: return true;
  }
}

void ClampBoxSettings(CartoonBoxData& data) {
  data.border = Clamp(data.border, 0, 5);
  data.picDrawMode = Clamp(data.picDrawMode, 0, 3);
  data.penStyle = Clamp(data.penStyle, 0, 6);
  data.drawRop2 = Clamp(data.drawRop2, 0, 15);
  data.penWidth = Clamp(data.penWidth, 0, 32767);
  data.brushStyle = Clamp(data.brushStyle, 0, 55);
}

bool BoxPropertyApplies(const CartoonBoxData& data, int index) {
  return index != box_property::kPicDrawMode || !data.pic.empty();
}

}  // namespace horavia::anim
