// Label: a caption drawn by the runtime, with its alignment, word wrap,
// border, colours and font (turned by the font's angle). It raises no events
// of its own; its "&" mnemonic moves the focus to the unit after it.
#pragma once

#include <QFrame>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace label_property {
constexpr std::int32_t kCaption = 8, kTextColour = 9, kBackColour = 10, kHorizontalAlign = 11,
                       kVerticalAlign = 12, kBorder = 13, kWordWrap = 14, kTransparent = 15, kFont = 16;
}

class LabelUnit : public QFrame {
 public:
  // Numbers 17-28 are not used by this runtime's labels.
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 21>{{
      {"caption", property_kind::kText},
      {"textColour", property_kind::kColour},
      {"backColour", property_kind::kColour},
      {"horizontalAlign", property_kind::kChoice},
      {"verticalAlign", property_kind::kChoice},
      {"border", property_kind::kChoice},  // 0 none, 1 sunken, 2 raised, 3 single line
      {"wordWrap", property_kind::kBoolean},
      {"transparent", property_kind::kBoolean},
      {"font", property_kind::kFont},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~LabelUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const { return writeLabelData(data_); }
  static void* OtherQuery(std::int32_t) { return nullptr; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  LabelUnit(const UnitCreateParams& params, LabelData data);
  void applyData();

  UnitIdentity id_;
  LabelData data_;
  UnitFont font_;
};

}  // namespace horavia::ui::controls
