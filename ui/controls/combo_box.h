// ComboBox: a drop-down, simple or drop-down-list combo box. Event 0: the
// user ended a selection (chose an item, even the same one): the unit posts
// itself the private selection-ended message and raises event 0 when it
// arrives, unless events are suppressed. Filling it or selecting from code
// raises nothing, and adding an item never changes the selection.
#pragma once

#include <QComboBox>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace combo_box_property {
constexpr std::int32_t kStyle = 8, kSorted = 9, kMaxLength = 10, kTextColour = 11, kBackColour = 12, kItems = 13,
                       kFont = 14, kText = 15, kSelection = 19;
}

class ComboBoxUnit : public QComboBox {
 public:
  // Numbers 16-18 and 20-24 are not used by this runtime's combo boxes.
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 17>{{
      {"style", property_kind::kChoice},  // 0 drop-down, 1 simple, 2 drop-down list
      {"sorted", property_kind::kBoolean},
      {"maxLength", property_kind::kInteger},
      {"textColour", property_kind::kColour},
      {"backColour", property_kind::kColour},
      {"items", property_kind::kText},
      {"font", property_kind::kFont},
      {"text", property_kind::kText},
      {},
      {},
      {},
      {"selection", property_kind::kInteger},  // index, -1 for none
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~ComboBoxUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const;
  static void* OtherQuery(std::int32_t query);

  // Appends an item (at its sorted place in a sorted box) with its item
  // data; its index.
  std::int32_t addItemWithData(const std::string& text, std::int32_t itemData);

 protected:
  bool event(QEvent* event) override;

 private:
  ComboBoxUnit(const UnitCreateParams& params, ComboBoxData data);
  void applyLook();
  void setItems(const QStringList& items);

  UnitIdentity id_;
  ComboBoxData data_;
  EventSuppressor suppress_;
};

}  // namespace horavia::ui::controls
