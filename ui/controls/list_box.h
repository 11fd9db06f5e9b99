// ListBox: a list of texts. Event 0: the user changed the selection (a click
// or the keys), unless events are suppressed; filling it or selecting from
// code raises nothing. A double click reaches the application as the common
// event -3 through the window's input handling.
#pragma once

#include <QListWidget>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

// Item data travels with each item under this role.
inline constexpr int kItemDataRole = Qt::UserRole;

class ListBoxUnit : public QListWidget {
 public:
  static constexpr const auto& kTable = kListBoxProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~ListBoxUnit() override;

  static void* OtherQuery(std::int32_t query);

  std::int32_t addItemWithData(const std::string& text, std::int32_t itemData);
  std::optional<std::string> itemTextAt(std::int32_t index) const;
  // The selected item of a single-selection list (the current one of a
  // multiple-selection list), -1 for none.
  std::int32_t selection() const;

 private:
  friend struct ui::PropertyAccess;
  ListBoxUnit(const UnitCreateParams& params, ListBoxData data);
  ListBoxData& record() { return data_; }
  const ListBoxData& record() const { return data_; }
  std::int32_t apply(ListBoxHook hook);
  RawProperty liveValue(ListBoxHook hook) const;
  void setLive(ListBoxHook hook, const RawProperty& value);
  void applyLook();
  void setItems(const QStringList& items);
  void userChangedSelection();

  UnitIdentity id_;
  ListBoxData data_;
  EventSuppressor suppress_;
};

}  // namespace horavia::ui::controls
