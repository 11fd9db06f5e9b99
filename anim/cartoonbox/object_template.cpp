#include "anim/cartoonbox/object_template.h"

namespace horavia::anim {

void ClampTemplateSettings(CartoonObjectData& data) { base::ClampStoredFields(kTemplateProperties, data); }

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

void ClampBoxSettings(CartoonBoxData& data) { base::ClampStoredFields(kBoxProperties, data); }

bool BoxPropertyApplies(const CartoonBoxData& data, int index) {
  return index != box_property::kPicDrawMode || !data.pic.empty();
}

}  // namespace horavia::anim
