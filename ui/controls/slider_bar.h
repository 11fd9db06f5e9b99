// SliderBar: a track bar over a range. Event 0: every scroll the user makes
// (a step, a page, each move of a dragged thumb), with the position read
// from the control and stored first; the end of a drag raises nothing more,
// and positions set by code raise nothing.
#pragma once

#include <QSlider>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

class SliderBarUnit : public QSlider {
 public:
  static constexpr const auto& kTable = kSliderBarProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~SliderBarUnit() override;

  static void* OtherQuery(std::int32_t) { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  SliderBarUnit(const UnitCreateParams& params, SliderBarData data);
  SliderBarData& record() { return data_; }
  const SliderBarData& record() const { return data_; }
  std::int32_t apply(SliderBarHook hook);
  RawProperty liveValue(SliderBarHook hook) const;
  void setLive(SliderBarHook hook, const RawProperty& value);
  void applyRange();
  void applySteps();
  void userScrolled();

  UnitIdentity id_;
  SliderBarData data_;
};

}  // namespace horavia::ui::controls
