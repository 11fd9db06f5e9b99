// Object templates: the settings and picture an animation object starts
// with. A form carries them as units; the box creates objects from them.
#pragma once

#include <cstdint>

#include "anim/cartoonbox/stored_data.h"
#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/text_renderer.h"

namespace horavia::anim {

// The template's own property slots (property number − 8), by name from its
// table.
namespace template_property {
inline constexpr int Slot(std::string_view name) { return base::IndexOf(kTemplateProperties, name); }
constexpr int kText = Slot("text"), kFont = Slot("font"), kTextColor = Slot("TextColor"),
              kPicture = Slot("picture"), kAutoGetTransColor = Slot("AutoGetTransColor"),
              kTransparentColor = Slot("TransparentColor"), kPlayGif = Slot("PlayGIF"),
              kGifDelay = Slot("GIFDelay"), kGifAutoDestroy = Slot("GIFAutoDestroy"),
              kCreateSound = Slot("CreateSound"), kCollidedSound = Slot("CollidedSound");
}  // namespace template_property

struct ObjectTemplate {
  CartoonObjectData data;
  // The plain picture (every GIF frame) or the text image: no flip, turn,
  // zoom, tint or brightness, which each object applies for itself.
  FrameImage picture;
};

// Stores the settings within the clamps of their table rows: GIFDelay, zoom
// and ExistTime not below 0, TrendDepth and alpha 0-100, angle -360..360,
// TurnType 0-3.
void ClampTemplateSettings(CartoonObjectData& data);

// The template picture: the text image when the text is not empty (drawn
// by `renderer`; none → no picture), else the picture bytes with the top
// left pixel's colour or TransparentColor as key.
FrameImage BuildTemplatePicture(const CartoonObjectData& data, TextRenderer* renderer);

// Whether a template property applies with the current settings: the text
// only without a picture, font and TextColor only with a text, the picture
// only without a text, the animation settings and AutoGetTransColor only
// with a picture, TransparentColor only with a picture and no automatic
// key, CollidedSound only when collisions are allowed.
bool TemplatePropertyApplies(const CartoonObjectData& data, int index);

// The box's own property slots (property number − 8) that its logic names.
namespace box_property {
constexpr int kPicDrawMode = base::IndexOf(kBoxProperties, "PicDrawMode");
}  // namespace box_property

// Stores the box settings within the clamps of their table rows (border
// 0-5, PicDrawMode 0-3, PenStyle 0-6, DrawRop2 0-15, PenWidth 0-32767,
// BrushStyle 0-55).
void ClampBoxSettings(CartoonBoxData& data);
// The drawing mode applies only while a background picture is set.
bool BoxPropertyApplies(const CartoonBoxData& data, int index);

}  // namespace horavia::anim
