// Stored data and property tables of the animation box and of its object
// templates: the bytes a form carries for each, read at creation and
// written back in the same layout, and the one table of each type's own
// properties (numbers 8 and up) from which the layout, the runtime's
// property table and the units' reading and writing are derived
// (ui/cartoon runs the hooks).
//
// A unit without stored data starts with the defaults below.
//
// Index
//   [choices]    the numbered values of the choice fields
//   [box]        CartoonBoxData and its table
//   [template]   CartoonObjectData and its table
//   [files]      readers and writers
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "anim/cartoonbox/names.h"
#include "base/property_rows.h"
#include "base/stored_fields.h"

namespace horavia::anim {

using base::Bytes;
using base::kDefaultColour;
using base::StoredStatus;

// [choices] -------------------------------------------------------------------

// 无边框, 凹入式, 凸出式, 浅凹入式, 镜框式, 单线边框式.
enum class BoxBorder : std::int32_t { None = 0, Sunken = 1, Raised = 2, ShallowSunken = 3, Framed = 4, SingleLine = 5 };

// How the background picture covers the box.
enum class BackgroundMode : std::int32_t {
  TopLeft = 0,  // fill with the colour, the picture at (0, 0)
  Stretch = 1,  // the picture stretched over the whole area
  Centre = 2,   // fill with the colour, the picture unscaled at the centre
  Tile = 3,     // the picture repeated from (0, 0) rightward and downward
};

// 空笔, 直线, 划线, 点线, 点划线, 双点划线, 内直线.
enum class PenStyle : std::int32_t {
  Null = 0, Solid = 1, Dash = 2, Dot = 3, DashDot = 4, DashDotDot = 5, InsideFrame = 6,
};

// How a drawn pixel mixes with the one below.
enum class MixMode : std::int32_t {
  Black = 0, NotMergePen = 1, MaskNotPen = 2, NotCopyPen = 3, MaskPenNot = 4, Not = 5, XorPen = 6, NotMaskPen = 7,
  MaskPen = 8, NotXorPen = 9, Nop = 10, MergeNotPen = 11, CopyPen = 12, MergePenNot = 13, MergePen = 14, White = 15,
};

// 空刷子, 颜色刷子, six hatches, 48 patterns.
enum class BrushStyle : std::int32_t { Null = 0, Solid = 1, FirstHatch = 2, FirstPattern = 8, LastPattern = 55 };

// 不翻转, 左右翻转, 上下翻转, 上下左右翻转.
enum class TurnType : std::int32_t { None = 0, LeftRight = 1, UpsideDown = 2, Both = 3 };

namespace cartoon_table {
using namespace base::property_kind;
using base::AtLeast;
using base::Between;
using base::Field;
using base::kAsGiven;
using base::MakePropertyTable;
inline constexpr const cartoon_names::ConstantBlock& N = cartoon_names::kConstants;
}  // namespace cartoon_table

// [box] -----------------------------------------------------------------------

// Version 2: border, BackColor, PicDrawMode; from version 2 the pen, brush,
// text colours and font; then the background picture.
struct CartoonBoxData {
  static constexpr std::uint32_t kWriteVersion = 2;
  static constexpr std::uint32_t kMaxVersion = 2;
  base::Choice<BoxBorder> border = BoxBorder::None;
  std::uint32_t backColor = kDefaultColour;
  base::Choice<BackgroundMode> picDrawMode = BackgroundMode::TopLeft;
  base::Choice<PenStyle> penStyle = PenStyle::Solid;
  base::Choice<MixMode> drawRop2 = MixMode::CopyPen;
  std::int32_t penWidth = 0;  // 0: one pixel
  std::uint32_t penColor = 0;
  base::Choice<BrushStyle> brushStyle = BrushStyle::Solid;
  std::uint32_t brushColor = 0xFFFFFF;
  std::uint32_t textColor = 0;
  std::uint32_t textBackColor = kDefaultColour;
  Bytes font;  // 60-byte logical font or empty
  Bytes pic;   // background picture file image

  template <class V>
  void visitFields(V& v);
};

// The pen, brush and text settings are kept for drawing commands; none of
// this library's commands draws with them, so they only store.
enum class BoxHook { None, Border, Background };

inline constexpr auto kBoxProperties = [] {
  using namespace cartoon_table;
  using D = CartoonBoxData;
  using H = BoxHook;
  return MakePropertyTable<D, 21>(
      // No.    names                               kind       member             since clamp              hook
      Field(8,  {N.Border, "border"},               kChoice,   &D::border,        0,    Between(0, 5),     H::Border),
      Field(9,  {N.BackColor, "BackColor"},         kColour,   &D::backColor,     0,    kAsGiven,          H::Background),
      Field(11, {N.PicDrawMode, "PicDrawMode"},     kChoice,   &D::picDrawMode,   0,    Between(0, 3),     H::Background),
      Field(12, {N.PenStyle, "PenStyle"},           kChoice,   &D::penStyle,      2,    Between(0, 6),     H::None),
      Field(13, {N.DrawRop2, "DrawRop2"},           kChoice,   &D::drawRop2,      2,    Between(0, 15),    H::None),
      Field(14, {N.PenWidth, "PenWidth"},           kInteger2, &D::penWidth,      2,    Between(0, 32767), H::None),
      Field(15, {N.PenColor, "PenColor"},           kValue,    &D::penColor,      2,    kAsGiven,          H::None),
      Field(16, {N.BrushStyle, "BrushStyle"},       kChoice,   &D::brushStyle,    2,    Between(0, 55),    H::None),
      Field(17, {N.BrushColor, "BrushColor"},       kValue,    &D::brushColor,    2,    kAsGiven,          H::None),
      Field(18, {N.TextColor, "TextColor"},         kValue,    &D::textColor,     2,    kAsGiven,          H::None),
      Field(19, {N.TextBackColor, "TextBackColor"}, kValue2,   &D::textBackColor, 2,    kAsGiven,          H::None),
      Field(20, {N.Font, "font"},                   kFont,     &D::font,          2,    kAsGiven,          H::None),
      Field(10, {N.Pic, "pic"},                     kPicture,  &D::pic,           0,    kAsGiven,          H::Background));
}();
static_assert(kBoxProperties.numbersAreSound());

template <class V>
void CartoonBoxData::visitFields(V& v) {
  base::VisitStoredFields(kBoxProperties, *this, v);
}

// [template] ------------------------------------------------------------------

// Version 3: sixteen settings, `type` from version 2, `TurnType` from
// version 3, then the text and the five blobs.
struct CartoonObjectData {
  static constexpr std::uint32_t kWriteVersion = 3;
  static constexpr std::uint32_t kMaxVersion = 3;
  std::uint32_t textColor = 0;
  std::int32_t autoGetTransColor = 0;
  std::uint32_t transparentColor = kDefaultColour;  // default = none
  std::int32_t alpha = 0;                           // transparency in percent
  std::int32_t zoom = 1000;                         // per mille
  std::int32_t playGif = 0;
  std::int32_t gifDelay = 0;                        // ms between cycles
  std::int32_t gifAutoDestroy = 0;                  // cycles before destruction, 0 = never
  std::uint32_t trendColor = 0xFFFFFF;
  std::int32_t trendDepth = 0;                      // percent
  std::int32_t light = 0;                           // percent, may be negative
  std::int32_t layer = 0;
  std::int32_t angle = 0;                           // degrees, clockwise
  std::int32_t rotateFollow = 0;
  std::int32_t existTime = 0;                       // ms, 0 = unlimited
  std::int32_t collideAllowed = 0;
  std::int32_t type = 0;
  base::Choice<TurnType> turnType = TurnType::None;
  std::string text;  // code page 936
  Bytes font;
  Bytes picture;
  Bytes createSound;
  Bytes destroySound;
  Bytes collidedSound;

  template <class V>
  void visitFields(V& v);
};

// The template picture is built from the text, its font and colour, or the
// picture and its key (Picture); a new font is made first (Font).
enum class TemplateHook { None, Picture, Font };

inline constexpr auto kTemplateProperties = [] {
  using namespace cartoon_table;
  using D = CartoonObjectData;
  using H = TemplateHook;
  return MakePropertyTable<D, 32>(
      // No.    names                                       kind         member                 since clamp               hook
      Field(10, {N.TextColor, "TextColor"},                 kValue,      &D::textColor,         0,    kAsGiven,           H::Picture),
      Field(12, {N.AutoGetTransColor, "AutoGetTransColor"}, kBoolean,    &D::autoGetTransColor, 0,    kAsGiven,           H::Picture),
      Field(13, {N.TransparentColor, "TransparentColor"},   kColour,     &D::transparentColor,  0,    kAsGiven,           H::Picture),
      Field(20, {N.Alpha, "alpha"},                         kInteger2,   &D::alpha,             0,    Between(0, 100),    H::None),
      Field(21, {N.Zoom, "zoom"},                           kInteger2,   &D::zoom,              0,    AtLeast(0),         H::None),
      Field(14, {N.PlayGif, "PlayGIF"},                     kBoolean,    &D::playGif,           0,    kAsGiven,           H::None),
      Field(15, {N.GifDelay, "GIFDelay"},                   kInteger2,   &D::gifDelay,          0,    AtLeast(0),         H::None),
      Field(16, {N.GifAutoDestroy, "GIFAutoDestroy"},       kInteger2,   &D::gifAutoDestroy,    0,    kAsGiven,           H::None),
      Field(17, {N.TrendColor, "TrendColor"},               kValue,      &D::trendColor,        0,    kAsGiven,           H::None),
      Field(18, {N.TrendDepth, "TrendDepth"},               kInteger2,   &D::trendDepth,        0,    Between(0, 100),    H::None),
      Field(19, {N.Light, "light"},                         kInteger2,   &D::light,             0,    kAsGiven,           H::None),
      Field(22, {N.Layer, "layer"},                         kInteger2,   &D::layer,             0,    kAsGiven,           H::None),
      Field(23, {N.Angle, "angle"},                         kInteger2,   &D::angle,             0,    Between(-360, 360), H::None),
      Field(24, {N.RotateFollow, "RotateFollow"},           kBoolean,    &D::rotateFollow,      0,    kAsGiven,           H::None),
      Field(26, {N.ExistTime, "ExistTime"},                 kInteger2,   &D::existTime,         0,    AtLeast(0),         H::None),
      Field(29, {N.CollideAllowed, "CollideAllowed"},       kBoolean,    &D::collideAllowed,    0,    kAsGiven,           H::None),
      Field(31, {N.Type, "type"},                           kInteger2,   &D::type,              2,    kAsGiven,           H::None),
      Field(25, {N.TurnType, "TurnType"},                   kChoice,     &D::turnType,          3,    Between(0, 3),      H::None),
      Field(8,  {N.Text, "text"},                           kText,       &D::text,              0,    kAsGiven,           H::Picture),
      Field(9,  {N.Font, "font"},                           kFont,       &D::font,              0,    kAsGiven,           H::Font),
      Field(11, {N.Picture, "picture"},                     kOtherFile2, &D::picture,           0,    kAsGiven,           H::Picture),
      Field(27, {N.CreateSound, "CreateSound"},             kSound,      &D::createSound,       0,    kAsGiven,           H::None),
      Field(28, {N.DestroySound, "DestroySound"},           kSound,      &D::destroySound,      0,    kAsGiven,           H::None),
      Field(30, {N.CollidedSound, "CollidedSound"},         kSound,      &D::collidedSound,     0,    kAsGiven,           H::None));
}();
static_assert(kTemplateProperties.numbersAreSound());

template <class V>
void CartoonObjectData::visitFields(V& v) {
  base::VisitStoredFields(kTemplateProperties, *this, v);
}

// [files] ---------------------------------------------------------------------

// Empty bytes give the defaults; a version above the newest is refused.
StoredStatus readCartoonBoxData(std::span<const std::uint8_t> bytes, CartoonBoxData& out);
StoredStatus readCartoonObjectData(std::span<const std::uint8_t> bytes, CartoonObjectData& out);
// Always the newest version with every field.
Bytes writeCartoonBoxData(const CartoonBoxData& data);
Bytes writeCartoonObjectData(const CartoonObjectData& data);

}  // namespace horavia::anim
