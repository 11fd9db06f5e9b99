// Object templates: the settings and picture an animation object starts
// with. A form carries them as units; the box creates objects from them.
#pragma once

#include <cstdint>

#include "anim/cartoonbox/stored_data.h"
#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/packed_picture.h"
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

// What the objects made from a template start with, before the flip, turn,
// zoom, tint and brightness each object applies for itself: ready pixels
// (the text image, drawn when the template is built because text needs the
// window's fonts, or an image made by code), or the picture's bytes, kept
// as they came and decoded only when an object shows them.
struct TemplatePicture {
  FrameImage image;
  PackedPicture packed;

  TemplatePicture() = default;
  TemplatePicture(FrameImage ready) : image(std::move(ready)) {}      // NOLINT: either converts
  TemplatePicture(PackedPicture bytes) : packed(std::move(bytes)) {}  // NOLINT
  // The picture's pixels, decoded now when it is bytes (every GIF frame
  // that fits).
  FrameImage Pixels() const { return image.usable() ? image : packed.Decode().image; }
};

struct ObjectTemplate {
  CartoonObjectData data;
  TemplatePicture picture;
};

// Stores the settings within the clamps of their table rows: GIFDelay, zoom
// and ExistTime not below 0, TrendDepth and alpha 0-100, angle -360..360,
// TurnType 0-3.
void ClampTemplateSettings(CartoonObjectData& data);

// The template picture: the text image when the text is not empty (drawn
// by `renderer`; none → no picture), else the picture bytes, to be keyed by
// the top left pixel's colour or TransparentColor. The bytes are not
// decoded here.
TemplatePicture BuildTemplatePicture(const CartoonObjectData& data, TextRenderer* renderer);

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
