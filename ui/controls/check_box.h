// CheckBox: a check box, or a push-like button that stays down while checked,
// drawn with the platform style so that its alignment, text side, colours
// and picture follow the unit's data. Event 0: the user clicked it (a check
// state set by code raises nothing).
#pragma once

#include <QAbstractButton>
#include <optional>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace check_box_property {
constexpr std::int32_t kPicture = 8, kPushLike = 9, kFlat = 10, kCaption = 11, kTextOnLeft = 12,
                       kHorizontalAlign = 13, kVerticalAlign = 14, kTextColour = 15, kBackColour = 16,
                       kFont = 17, kChecked = 18, kExtraText1 = 19, kExtraText2 = 20;
}

class CheckBoxUnit : public QAbstractButton {
 public:
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 13>{{
      {"picture", property_kind::kPicture},
      {"pushLike", property_kind::kBoolean},
      {"flat", property_kind::kBoolean},
      {"caption", property_kind::kText},
      {"textOnLeft", property_kind::kBoolean},
      {"horizontalAlign", property_kind::kChoice},
      {"verticalAlign", property_kind::kChoice},
      {"textColour", property_kind::kColour},
      {"backColour", property_kind::kColour},
      {"font", property_kind::kFont},
      {"checked", property_kind::kBoolean},
      {"extraText1", property_kind::kText},
      {"extraText2", property_kind::kText},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~CheckBoxUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const;
  static void* OtherQuery(std::int32_t) { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CheckBoxUnit(const UnitCreateParams& params, CheckBoxData data);
  void applyData();
  QRect indicatorRect() const;

  UnitIdentity id_;
  CheckBoxData data_;
  EventSuppressor suppress_;
  std::optional<QImage> picture_;
};

}  // namespace horavia::ui::controls
