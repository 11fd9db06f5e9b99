// ListBox: a list of texts. Event 0: the user changed the selection (a click
// or the keys), unless events are suppressed; filling it or selecting from
// code raises nothing. A double click reaches the application as the common
// event -3 through the window's input handling.
#pragma once

#include <QListWidget>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

namespace list_box_property {
constexpr std::int32_t kBorder = 8, kSorted = 9, kMultiSelect = 10, kTextColour = 11, kBackColour = 12,
                       kItems = 13, kFont = 14, kSelection = 16;
}

// Item data travels with each item under this role.
inline constexpr int kItemDataRole = Qt::UserRole;

class ListBoxUnit : public QListWidget {
 public:
  // Numbers 15 and 17-21 are not used by this runtime's list boxes.
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 14>{{
      {"border", property_kind::kChoice},  // 0 none, 1 sunken
      {"sorted", property_kind::kBoolean},
      {"multiSelect", property_kind::kBoolean},
      {"textColour", property_kind::kColour},
      {"backColour", property_kind::kColour},
      {"items", property_kind::kText},
      {"font", property_kind::kFont},
      {},
      {"selection", property_kind::kInteger},  // index, -1 for none
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~ListBoxUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const;
  static void* OtherQuery(std::int32_t query);

  std::int32_t addItemWithData(const std::string& text, std::int32_t itemData);
  std::optional<std::string> itemTextAt(std::int32_t index) const;
  // The selected item of a single-selection list (the current one of a
  // multiple-selection list), -1 for none.
  std::int32_t selection() const;

 private:
  ListBoxUnit(const UnitCreateParams& params, ListBoxData data);
  void applyLook();
  void setItems(const QStringList& items);
  void userChangedSelection();

  UnitIdentity id_;
  ListBoxData data_;
  EventSuppressor suppress_;
};

}  // namespace horavia::ui::controls
