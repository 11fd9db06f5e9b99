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

class ComboBoxUnit : public QComboBox {
 public:
  static constexpr const auto& kTable = kComboBoxProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~ComboBoxUnit() override;

  static void* OtherQuery(std::int32_t query);

  // Appends an item (at its sorted place in a sorted box) with its item
  // data; its index.
  std::int32_t addItemWithData(const std::string& text, std::int32_t itemData);

 protected:
  bool event(QEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  ComboBoxUnit(const UnitCreateParams& params, ComboBoxData data);
  ComboBoxData& record() { return data_; }
  const ComboBoxData& record() const { return data_; }
  std::int32_t apply(ComboBoxHook hook);
  RawProperty liveValue(ComboBoxHook hook) const;
  void setLive(ComboBoxHook hook, const RawProperty& value);
  void applyLook();
  void setItems(const QStringList& items);

  UnitIdentity id_;
  ComboBoxData data_;
  EventSuppressor suppress_;
};

}  // namespace horavia::ui::controls
