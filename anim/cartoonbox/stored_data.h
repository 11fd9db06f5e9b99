// Stored data of the animation box and of its object templates: the bytes a
// form carries for each, read at creation and written back in the same
// layout. Field names are the units' property names.
//
// A unit without stored data starts with the defaults below.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/stored_fields.h"

namespace horavia::anim {

using base::Bytes;
using base::StoredStatus;

inline constexpr std::uint32_t kDefaultColour = 0xFF000000;

// Version 2: border, BackColor, PicDrawMode; from version 2 the pen, brush,
// text colours and font; then the background picture.
struct CartoonBoxData {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  std::int32_t border = 0;                     // 0-5
  std::uint32_t backColor = kDefaultColour;
  std::int32_t picDrawMode = 0;                // 0-3
  std::int32_t penStyle = 1;                   // 0-6
  std::int32_t drawRop2 = 12;                  // 0-15, 12 copy pen
  std::int32_t penWidth = 0;
  std::uint32_t penColor = 0;
  std::int32_t brushStyle = 1;                 // 0-55
  std::uint32_t brushColor = 0xFFFFFF;
  std::uint32_t textColor = 0;
  std::uint32_t textBackColor = kDefaultColour;
  Bytes font;                                  // 60-byte logical font or empty
  Bytes pic;                                   // background picture file image

  template <class V>
  void visitFields(V& v) {
    v.i32("border", border);
    v.colour("BackColor", backColor);
    v.i32("PicDrawMode", picDrawMode);
    v.i32("PenStyle", penStyle, 2);
    v.i32("DrawRop2", drawRop2, 2);
    v.i32("PenWidth", penWidth, 2);
    v.colour("PenColor", penColor, 2);
    v.i32("BrushStyle", brushStyle, 2);
    v.colour("BrushColor", brushColor, 2);
    v.colour("TextColor", textColor, 2);
    v.colour("TextBackColor", textBackColor, 2);
    v.blob("font", font, 2);
    v.blob("pic", pic);
  }
};

// Version 3: sixteen settings, `type` from version 2, `TurnType` from
// version 3, then the text and the five blobs.
struct CartoonObjectData {
  static constexpr std::uint32_t kWriteVersion = 3;
  static constexpr std::uint32_t kMaxVersion = 3;
  std::uint32_t textColor = 0;
  std::int32_t autoGetTransColor = 0;          // bool
  std::uint32_t transparentColor = kDefaultColour;  // default = none
  std::int32_t alpha = 0;                      // percent 0-100
  std::int32_t zoom = 1000;                    // per mille
  std::int32_t playGif = 0;                    // bool
  std::int32_t gifDelay = 0;                   // ms between cycles
  std::int32_t gifAutoDestroy = 0;             // cycles before destruction, 0 = never
  std::uint32_t trendColor = 0xFFFFFF;
  std::int32_t trendDepth = 0;                 // 0-100
  std::int32_t light = 0;                      // percent, may be negative
  std::int32_t layer = 0;
  std::int32_t angle = 0;                      // -360..360
  std::int32_t rotateFollow = 0;               // bool
  std::int32_t existTime = 0;                  // ms, 0 = unlimited
  std::int32_t collideAllowed = 0;             // bool
  std::int32_t type = 0;                       // version 2
  std::int32_t turnType = 0;                   // version 3, 0-3
  std::string text;                            // code page 936
  Bytes font;
  Bytes picture;
  Bytes createSound;
  Bytes destroySound;
  Bytes collidedSound;

  template <class V>
  void visitFields(V& v) {
    v.colour("TextColor", textColor);
    v.i32("AutoGetTransColor", autoGetTransColor);
    v.colour("TransparentColor", transparentColor);
    v.i32("alpha", alpha);
    v.i32("zoom", zoom);
    v.i32("PlayGIF", playGif);
    v.i32("GIFDelay", gifDelay);
    v.i32("GIFAutoDestroy", gifAutoDestroy);
    v.colour("TrendColor", trendColor);
    v.i32("TrendDepth", trendDepth);
    v.i32("light", light);
    v.i32("layer", layer);
    v.i32("angle", angle);
    v.i32("RotateFollow", rotateFollow);
    v.i32("ExistTime", existTime);
    v.i32("CollideAllowed", collideAllowed);
    v.i32("type", type, 2);
    v.i32("TurnType", turnType, 3);
    v.text("text", text);
    v.blob("font", font);
    v.blob("picture", picture);
    v.blob("CreateSound", createSound);
    v.blob("DestroySound", destroySound);
    v.blob("CollidedSound", collidedSound);
  }
};

// Empty bytes give the defaults; a version above the newest is refused.
StoredStatus readCartoonBoxData(std::span<const std::uint8_t> bytes, CartoonBoxData& out);
StoredStatus readCartoonObjectData(std::span<const std::uint8_t> bytes, CartoonObjectData& out);
// Always the newest version with every field.
Bytes writeCartoonBoxData(const CartoonBoxData& data);
Bytes writeCartoonObjectData(const CartoonObjectData& data);

}  // namespace horavia::anim
