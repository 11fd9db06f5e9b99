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

class CheckBoxUnit : public QAbstractButton {
 public:
  static constexpr const auto& kTable = kCheckBoxProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~CheckBoxUnit() override;

  static void* OtherQuery(std::int32_t) { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  CheckBoxUnit(const UnitCreateParams& params, CheckBoxData data);
  CheckBoxData& record() { return data_; }
  const CheckBoxData& record() const { return data_; }
  std::int32_t apply(CheckBoxHook hook);
  RawProperty liveValue(CheckBoxHook hook) const;
  void setLive(CheckBoxHook hook, const RawProperty& value);
  QRect indicatorRect() const;

  UnitIdentity id_;
  CheckBoxData data_;
  EventSuppressor suppress_;
  std::optional<QImage> picture_;
};

}  // namespace horavia::ui::controls
