#include "ui/cartoon/cartoon_object_unit.h"

#include "runtime/library_links.h"
#include "ui/cartoon/qt_text_renderer.h"
#include "ui/units/logical_font.h"

namespace horavia::ui {

namespace t = anim::template_property;

CartoonObjectUnit* CartoonObjectUnit::Create(const UnitCreateParams& params) {
  anim::CartoonObjectData data;
  if (anim::readCartoonObjectData(params.typeData, data) != anim::StoredStatus::Ok) return nullptr;
  anim::ClampTemplateSettings(data);
  return new CartoonObjectUnit(params, std::move(data));
}

CartoonObjectUnit::CartoonObjectUnit(const UnitCreateParams& params, anim::CartoonObjectData data)
    : QWidget(params.parent), formId_(params.formId), unitId_(params.unitId) {
  template_.data = std::move(data);
  setGeometry(params.left, params.top, params.width, params.height);
  // At run time the template only serves CreateObject: it never shows.
  setAttribute(Qt::WA_DontShowOnScreen);
  rebuildFont();
  rebuildPicture();
}

CartoonObjectUnit::~CartoonObjectUnit() {
  runtime::ExtendedInterfaceLibraryLink().request(runtime::kServiceUnitDestroyed, formId_, unitId_);
}

void CartoonObjectUnit::rebuildFont() {
  const std::optional<UnitFont> font = UnitFontFromRecord(template_.data.font);
  font_ = font ? QFontFromUnitFont(*font) : QFontFromUnitFont(DefaultGuiFont());
}

void CartoonObjectUnit::rebuildPicture() {
  QtTextRenderer renderer(font_);
  template_.picture = anim::BuildTemplatePicture(template_.data, &renderer);
}

RawProperty CartoonObjectUnit::getProperty(std::int32_t index) const {
  const anim::CartoonObjectData& d = template_.data;
  RawProperty v;
  switch (index) {
    case t::kText: v.text = d.text; break;
    case t::kFont: v.font = UnitFontFromRecord(d.font).value_or(DefaultGuiFont()); break;
    case t::kTextColor: v.number = d.textColor; break;
    case t::kPicture: v.bytes = d.picture; break;
    case t::kAutoGetTransColor: v.number = d.autoGetTransColor; break;
    case t::kTransparentColor: v.number = d.transparentColor; break;
    case t::kPlayGif: v.number = d.playGif; break;
    case t::kGifDelay: v.number = d.gifDelay; break;
    case t::kGifAutoDestroy: v.number = d.gifAutoDestroy; break;
    case t::kTrendColor: v.number = d.trendColor; break;
    case t::kTrendDepth: v.number = d.trendDepth; break;
    case t::kLight: v.number = d.light; break;
    case t::kAlpha: v.number = d.alpha; break;
    case t::kZoom: v.number = d.zoom; break;
    case t::kLayer: v.number = d.layer; break;
    case t::kAngle: v.number = d.angle; break;
    case t::kRotateFollow: v.number = d.rotateFollow; break;
    case t::kTurnType: v.number = d.turnType; break;
    case t::kExistTime: v.number = d.existTime; break;
    case t::kCreateSound: v.bytes = d.createSound; break;
    case t::kDestroySound: v.bytes = d.destroySound; break;
    case t::kCollideAllowed: v.number = d.collideAllowed; break;
    case t::kCollidedSound: v.bytes = d.collidedSound; break;
    case t::kType: v.number = d.type; break;
    default: break;
  }
  return v;
}

// Values are stored within their ranges; the settings the picture is built
// from rebuild it at once.
std::int32_t CartoonObjectUnit::setProperty(std::int32_t index, const RawProperty& value) {
  anim::CartoonObjectData& d = template_.data;
  const auto number = static_cast<std::int32_t>(value.number);
  const auto colour = static_cast<std::uint32_t>(value.number);
  switch (index) {
    case t::kText: d.text = value.text; break;
    case t::kFont:
      d.font = RecordFromUnitFont(value.font, d.font);
      rebuildFont();
      break;
    case t::kTextColor: d.textColor = colour; break;
    case t::kPicture: d.picture = value.bytes; break;
    case t::kAutoGetTransColor: d.autoGetTransColor = number; break;
    case t::kTransparentColor: d.transparentColor = colour; break;
    case t::kPlayGif: d.playGif = number; break;
    case t::kGifDelay: d.gifDelay = number; break;
    case t::kGifAutoDestroy: d.gifAutoDestroy = number; break;
    case t::kTrendColor: d.trendColor = colour; break;
    case t::kTrendDepth: d.trendDepth = number; break;
    case t::kLight: d.light = number; break;
    case t::kAlpha: d.alpha = number; break;
    case t::kZoom: d.zoom = number; break;
    case t::kLayer: d.layer = number; break;
    case t::kAngle: d.angle = number; break;
    case t::kRotateFollow: d.rotateFollow = number; break;
    case t::kTurnType: d.turnType = number; break;
    case t::kExistTime: d.existTime = number; break;
    case t::kCreateSound: d.createSound = value.bytes; break;
    case t::kDestroySound: d.destroySound = value.bytes; break;
    case t::kCollideAllowed: d.collideAllowed = number; break;
    case t::kCollidedSound: d.collidedSound = value.bytes; break;
    case t::kType: d.type = number; break;
    default: return 0;
  }
  anim::ClampTemplateSettings(d);
  switch (index) {
    case t::kText:
    case t::kFont:
    case t::kTextColor:
    case t::kPicture:
    case t::kAutoGetTransColor:
    case t::kTransparentColor: rebuildPicture(); break;
    default: break;
  }
  return 0;
}

std::vector<std::uint8_t> CartoonObjectUnit::writeBack() const { return anim::writeCartoonObjectData(template_.data); }

std::vector<std::uint8_t> CartoonObjectUnit::ConvertTexts(std::span<const std::uint8_t> typeData,
                                                          const TextConverter& convert) {
  anim::CartoonObjectData data;
  if (anim::readCartoonObjectData(typeData, data) != anim::StoredStatus::Ok) return {typeData.begin(), typeData.end()};
  data.text = convert(data.text);
  if (const std::optional<UnitFont> font = UnitFontFromRecord(data.font)) {
    data.font = RecordWithFace(data.font, convert(font->face));
  }
  return anim::writeCartoonObjectData(data);
}

}  // namespace horavia::ui
