// Button: a push button with its caption (or a picture) aligned as the data
// says. Event 0: the user clicked it. Query 10 answers whether it is the
// window's default button, which Enter presses.
#pragma once

#include <QPushButton>
#include <optional>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace button_property {
constexpr std::int32_t kCaption = 8, kStyle = 9, kPicture = 10, kHorizontalAlign = 11, kVerticalAlign = 12,
                       kFont = 13;
}

class ButtonUnit : public QPushButton {
 public:
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 6>{{
      {"caption", property_kind::kText},
      {"style", property_kind::kChoice},  // 0 push button, 1 default push button
      {"picture", property_kind::kPicture},
      {"horizontalAlign", property_kind::kChoice},
      {"verticalAlign", property_kind::kChoice},
      {"font", property_kind::kFont},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~ButtonUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const { return writeButtonData(data_); }
  static void* OtherQuery(std::int32_t query);
  bool isDefaultButton() const { return data_.style == 1; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ButtonUnit(const UnitCreateParams& params, ButtonData data);
  void applyData();

  UnitIdentity id_;
  ButtonData data_;
  std::optional<QImage> picture_;
};

}  // namespace horavia::ui::controls
