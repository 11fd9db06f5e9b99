// SliderBar: a track bar over a range. Event 0: every scroll the user makes
// (a step, a page, each move of a dragged thumb), with the position read
// from the control and stored first; the end of a drag raises nothing more,
// and positions set by code raise nothing.
#pragma once

#include <QSlider>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace slider_bar_property {
constexpr std::int32_t kBorder = 8, kOrientation = 9, kTickMarks = 10, kTickFrequency = 11, kSelectionShown = 12,
                       kSelectionStart = 13, kSelectionLength = 14, kPageSize = 15, kLineSize = 16, kMinimum = 17,
                       kMaximum = 18, kPosition = 19;
}

class SliderBarUnit : public QSlider {
 public:
  // The twelve stored fields, in stored order.
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 12>{{
      {"border", property_kind::kChoice},        // 0-5
      {"orientation", property_kind::kChoice},   // 0 horizontal, 1 vertical
      {"tickMarks", property_kind::kChoice},     // 0 none, 1 above, 2 below, 3 both
      {"tickFrequency", property_kind::kInteger},
      {"selectionShown", property_kind::kBoolean},
      {"selectionStart", property_kind::kInteger},
      {"selectionLength", property_kind::kInteger},
      {"pageSize", property_kind::kInteger},
      {"lineSize", property_kind::kInteger},
      {"minimum", property_kind::kInteger},
      {"maximum", property_kind::kInteger},
      {"position", property_kind::kInteger},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~SliderBarUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const;
  static void* OtherQuery(std::int32_t) { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SliderBarUnit(const UnitCreateParams& params, SliderBarData data);
  void applyRange();
  void applySteps();
  void userScrolled();

  UnitIdentity id_;
  SliderBarData data_;
};

}  // namespace horavia::ui::controls
