// The object template as a unit of the extended library (type 9): a window
// that is never shown and draws nothing; it holds the settings and the
// picture (or text image) that the box's CreateObject starts objects with.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "anim/cartoonbox/object_template.h"
#include "ui/units/property_table.h"

namespace horavia::ui {

class CartoonObjectUnit : public QWidget {
 public:
  static constexpr const auto& kTable = anim::kTemplateProperties;

  // Null when the stored data is of a newer version.
  static CartoonObjectUnit* Create(const UnitCreateParams& params);
  ~CartoonObjectUnit() override;
  static void* OtherQuery(std::int32_t query);

  // Type-specific property `index` (number − 8), as the engine writes it.
  std::int32_t setProperty(std::int32_t index, const RawProperty& value) {
    return PropertyAccess::Set(*this, index + base::kFirstTypeProperty, value);
  }

  const anim::ObjectTemplate& objectTemplate() const { return template_; }
  // The text of the template and the face of its font passed through
  // `convert`; refused data comes back unchanged.
  static std::vector<std::uint8_t> ConvertTexts(std::span<const std::uint8_t> typeData, const TextConverter& convert);

 private:
  friend struct PropertyAccess;
  CartoonObjectUnit(const UnitCreateParams& params, anim::CartoonObjectData data);
  anim::CartoonObjectData& record() { return template_.data; }
  const anim::CartoonObjectData& record() const { return template_.data; }
  std::int32_t apply(anim::TemplateHook hook);
  void rebuildPicture();

  std::uint32_t formId_;
  std::uint32_t unitId_;
  anim::ObjectTemplate template_;
};

}  // namespace horavia::ui
