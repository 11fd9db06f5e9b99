// Object templates: the settings and picture an animation object starts
// with. A form carries them as units; the box creates objects from them.
#pragma once

#include <cstdint>

#include "anim/cartoonbox/stored_data.h"
#include "anim/frameimage/frame_image.h"
#include "anim/frameimage/packed_picture.h"
#include "anim/frameimage/text_renderer.h"

namespace horavia::anim {

// The template's own property slots (property number − 8).
namespace template_property {
constexpr int kText = 0, kFont = 1, kTextColor = 2, kPicture = 3, kAutoGetTransColor = 4, kTransparentColor = 5,
              kPlayGif = 6, kGifDelay = 7, kGifAutoDestroy = 8, kTrendColor = 9, kTrendDepth = 10, kLight = 11,
              kAlpha = 12, kZoom = 13, kLayer = 14, kAngle = 15, kRotateFollow = 16, kTurnType = 17,
              kExistTime = 18, kCreateSound = 19, kDestroySound = 20, kCollideAllowed = 21, kCollidedSound = 22,
              kType = 23;
constexpr int kCount = 24;
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

// Stores the settings within their ranges: GIFDelay, zoom and ExistTime
// not below 0, TrendDepth and alpha 0-100, angle -360..360, TurnType 0-3.
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

// The box's own property slots (property number − 8).
namespace box_property {
constexpr int kBorder = 0, kBackColor = 1, kPic = 2, kPicDrawMode = 3, kPenStyle = 4, kDrawRop2 = 5, kPenWidth = 6,
              kPenColor = 7, kBrushStyle = 8, kBrushColor = 9, kTextColor = 10, kTextBackColor = 11, kFont = 12;
constexpr int kCount = 13;
}  // namespace box_property

// Stores the box settings within their ranges (border 0-5, PicDrawMode 0-3,
// PenStyle 0-6, DrawRop2 0-15, PenWidth 0-32767, BrushStyle 0-55).
void ClampBoxSettings(CartoonBoxData& data);
// The drawing mode applies only while a background picture is set.
bool BoxPropertyApplies(const CartoonBoxData& data, int index);

}  // namespace horavia::anim
