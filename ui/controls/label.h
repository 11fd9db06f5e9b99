// Label: a caption drawn by the runtime, with its alignment, word wrap,
// border, colours and font (turned by the font's angle). It raises no events
// of its own; its "&" mnemonic moves the focus to the unit after it.
#pragma once

#include <QFrame>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

class LabelUnit : public QFrame {
 public:
  static constexpr const auto& kTable = kLabelProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~LabelUnit() override;

  static void* OtherQuery(std::int32_t) { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  LabelUnit(const UnitCreateParams& params, LabelData data);
  LabelData& record() { return data_; }
  const LabelData& record() const { return data_; }
  std::int32_t apply(LabelHook hook);

  UnitIdentity id_;
  LabelData data_;
  UnitFont font_;
};

}  // namespace horavia::ui::controls
