// Index
//   [tables]      the property tables, common properties first
//   [interfaces]  the query functions of both unit types
//   [install]     InstallCartoonUnits
#include "ui/cartoon/cartoon_units.h"

#include "runtime/libraries/library_records.h"
#include "ui/cartoon/box_commands.h"
#include "ui/cartoon/cartoon_box_unit.h"
#include "ui/cartoon/cartoon_object_unit.h"
#include "ui/cartoon/names.h"
#include "ui/units/property_values.h"

namespace horavia::ui {

// [tables] ---------------------------------------------------------------------

namespace {

using namespace property_kind;
const auto& N = cartoon_names::kConstants;

}  // namespace

const std::array<runtime::PropertyInfo, 21> kCartoonBoxProperties = WithCommonProperties<13>({{
    {N.Border, "border", kChoice},
    {N.BackColor, "BackColor", kColour},
    {N.Pic, "pic", kPicture},
    {N.PicDrawMode, "PicDrawMode", kChoice},
    {N.PenStyle, "PenStyle", kChoice},
    {N.DrawRop2, "DrawRop2", kChoice},
    {N.PenWidth, "PenWidth", kInteger2},
    {N.PenColor, "PenColor", kValue},
    {N.BrushStyle, "BrushStyle", kChoice},
    {N.BrushColor, "BrushColor", kValue},
    {N.TextColor, "TextColor", kValue},
    {N.TextBackColor, "TextBackColor", kValue2},
    {N.Font, "font", kFont},
}});

const std::array<runtime::PropertyInfo, 32> kCartoonObjectProperties = WithCommonProperties<24>({{
    {N.Text, "text", kText},
    {N.Font, "font", kFont},
    {N.TextColor, "TextColor", kValue},
    {N.Picture, "picture", kOtherFile2},
    {N.AutoGetTransColor, "AutoGetTransColor", kBoolean},
    {N.TransparentColor, "TransparentColor", kColour},
    {N.PlayGif, "PlayGIF", kBoolean},
    {N.GifDelay, "GIFDelay", kInteger2},
    {N.GifAutoDestroy, "GIFAutoDestroy", kInteger2},
    {N.TrendColor, "TrendColor", kValue},
    {N.TrendDepth, "TrendDepth", kInteger2},
    {N.Light, "light", kInteger2},
    {N.Alpha, "alpha", kInteger2},
    {N.Zoom, "zoom", kInteger2},
    {N.Layer, "layer", kInteger2},
    {N.Angle, "angle", kInteger2},
    {N.RotateFollow, "RotateFollow", kBoolean},
    {N.TurnType, "TurnType", kChoice},
    {N.ExistTime, "ExistTime", kInteger2},
    {N.CreateSound, "CreateSound", kSound},
    {N.DestroySound, "DestroySound", kSound},
    {N.CollideAllowed, "CollideAllowed", kBoolean},
    {N.CollidedSound, "CollidedSound", kSound},
    {N.Type, "type", kInteger2},
}});

// [interfaces] -----------------------------------------------------------------

namespace {

template <class Unit>
struct UnitQueries {
  static QWidget* Create(const UnitCreateParams& params) { return Unit::Create(params); }
  static RawProperty Get(QWidget* unit, std::int32_t index) { return static_cast<Unit*>(unit)->getProperty(index); }
  static std::int32_t Set(QWidget* unit, std::int32_t index, const RawProperty& value) {
    return static_cast<Unit*>(unit)->setProperty(index, value);
  }
  static std::vector<std::uint8_t> WriteBack(QWidget* unit) { return static_cast<Unit*>(unit)->writeBack(); }
  static bool Applies(QWidget* unit, std::int32_t index) { return static_cast<Unit*>(unit)->propertyApplies(index); }

  static void* Common(std::int32_t query) {
    switch (query) {
      case kQueryCreate: return reinterpret_cast<void*>(&Create);
      case kQueryPropertyApplies: return reinterpret_cast<void*>(&Applies);
      case kQuerySetProperty: return reinterpret_cast<void*>(&Set);
      case kQueryWriteBack: return reinterpret_cast<void*>(&WriteBack);
      case kQueryGetProperty: return reinterpret_cast<void*>(&Get);
      default: return nullptr;
    }
  }
};

void* BoxInterface(std::int32_t query) { return UnitQueries<CartoonBoxUnit>::Common(query); }

void* TemplateInterface(std::int32_t query) {
  if (query == kQueryConvertTexts) return reinterpret_cast<void*>(&CartoonObjectUnit::ConvertTexts);
  return UnitQueries<CartoonObjectUnit>::Common(query);
}

}  // namespace

// [install] --------------------------------------------------------------------

void InstallCartoonUnits() {
  runtime::InstallUnitType(runtime::unit_type::kCartoonBox, &BoxInterface, kCartoonBoxProperties.data());
  runtime::InstallUnitType(runtime::unit_type::kCartoonObject, &TemplateInterface, kCartoonObjectProperties.data());
  for (int i = 0; i < box_command::kCount; ++i) {
    runtime::InstallCommand(runtime::kExtendedInterfaceLibrary, i, kBoxCommands[static_cast<std::size_t>(i)]);
  }
}

}  // namespace horavia::ui
