#include "ui/cartoon/cartoon_object_unit.h"

#include "runtime/library_links.h"
#include "ui/cartoon/qt_text_renderer.h"
#include "ui/units/logical_font.h"

namespace horavia::ui {

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
  rebuildPicture();
}

CartoonObjectUnit::~CartoonObjectUnit() {
  runtime::ExtendedInterfaceLibraryLink().request(runtime::kServiceUnitDestroyed, formId_, unitId_);
}

void CartoonObjectUnit::rebuildPicture() {
  QtTextRenderer renderer(template_.data.font);
  template_.picture = anim::BuildTemplatePicture(template_.data, &renderer);
}

void* CartoonObjectUnit::OtherQuery(std::int32_t query) {
  if (query == kQueryConvertTexts) return reinterpret_cast<void*>(&CartoonObjectUnit::ConvertTexts);
  if (query != kQueryPropertyApplies) return nullptr;
  auto applies = [](QWidget* widget, std::int32_t index) {
    auto* unit = dynamic_cast<CartoonObjectUnit*>(widget);
    return unit != nullptr && anim::TemplatePropertyApplies(unit->template_.data, index);
  };
  return reinterpret_cast<void*>(static_cast<PropertyAppliesFunction>(applies));
}

// The settings the picture is built from (its font among them) rebuild it at once.
std::int32_t CartoonObjectUnit::apply(anim::TemplateHook) {
  rebuildPicture();
  return 0;
}

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
