// The object template as a unit of the extended library (type 9): a window
// that is never shown and draws nothing; it holds the settings and the
// picture (or text image) that the box's CreateObject starts objects with.
#pragma once

#include <QFont>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "anim/cartoonbox/object_template.h"
#include "ui/units/unit_interface.h"

namespace horavia::ui {

class CartoonObjectUnit : public QWidget {
 public:
  // Null when the stored data is of a newer version.
  static CartoonObjectUnit* Create(const UnitCreateParams& params);
  ~CartoonObjectUnit() override;

  RawProperty getProperty(std::int32_t index) const;
  std::int32_t setProperty(std::int32_t index, const RawProperty& value);
  std::vector<std::uint8_t> writeBack() const;
  bool propertyApplies(std::int32_t index) const { return anim::TemplatePropertyApplies(template_.data, index); }

  const anim::ObjectTemplate& objectTemplate() const { return template_; }
  // The text of the template and the face of its font passed through
  // `convert`; refused data comes back unchanged.
  static std::vector<std::uint8_t> ConvertTexts(std::span<const std::uint8_t> typeData, const TextConverter& convert);

 private:
  CartoonObjectUnit(const UnitCreateParams& params, anim::CartoonObjectData data);
  void rebuildFont();
  void rebuildPicture();

  std::uint32_t formId_;
  std::uint32_t unitId_;
  anim::ObjectTemplate template_;
  QFont font_;  // from the 60-byte font data, else the default GUI font
};

}  // namespace horavia::ui
