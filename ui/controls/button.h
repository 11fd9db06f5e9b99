// Button: a push button with its caption (or a picture) aligned as the data
// says. Event 0: the user clicked it. Query 10 answers whether it is the
// window's default button, which Enter presses.
#pragma once

#include <QPushButton>
#include <optional>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

class ButtonUnit : public QPushButton {
 public:
  static constexpr const auto& kTable = kButtonProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~ButtonUnit() override;

  static void* OtherQuery(std::int32_t query);
  bool isDefaultButton() const { return data_.style == ButtonStyle::DefaultPush; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  ButtonUnit(const UnitCreateParams& params, ButtonData data);
  ButtonData& record() { return data_; }
  const ButtonData& record() const { return data_; }
  std::int32_t apply(ButtonHook hook);

  UnitIdentity id_;
  ButtonData data_;
  std::optional<QImage> picture_;
};

}  // namespace horavia::ui::controls
