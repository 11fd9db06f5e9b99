#include "ui/controls/list_box.h"

#include <QApplication>

#include "ui/controls/control_font.h"
#include "ui/controls/item_lists.h"

namespace horavia::ui::controls {
namespace {

ListBoxUnit* ListOf(QWidget* w) { return dynamic_cast<ListBoxUnit*>(w); }

std::int32_t AddItem(QWidget* w, const std::string& text, std::int32_t itemData) {
  ListBoxUnit* list = ListOf(w);
  return list != nullptr ? list->addItemWithData(text, itemData) : -1;
}
std::int32_t ItemCount(QWidget* w) {
  ListBoxUnit* list = ListOf(w);
  return list != nullptr ? list->count() : 0;
}
std::optional<std::string> ItemText(QWidget* w, std::int32_t index) {
  ListBoxUnit* list = ListOf(w);
  return list != nullptr ? list->itemTextAt(index) : std::nullopt;
}

}  // namespace

QWidget* ListBoxUnit::Create(const UnitCreateParams& params) {
  ListBoxData data;
  if (readListBoxData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new ListBoxUnit(params, std::move(data));
}

ListBoxUnit::ListBoxUnit(const UnitCreateParams& params, ListBoxData data)
    : QListWidget(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  setFocusPolicy(Qt::StrongFocus);
  ApplyCreateParams(*this, params);
  applyLook();
  setItems(ItemsFromStored(data_.items));
  // Qt reports code's selections as well as the user's; the unit's own
  // changes run suppressed, so what is left comes from the user. The
  // selection (not the current row, which moves first) is what changed.
  connect(this, &QListWidget::itemSelectionChanged, this, [this] { userChangedSelection(); });
}

ListBoxUnit::~ListBoxUnit() { ReportUnitDestroyed(id_); }

void* ListBoxUnit::OtherQuery(std::int32_t query) {
  switch (query) {
    case kQueryAddItem: return reinterpret_cast<void*>(&AddItem);
    case kQueryItemCount: return reinterpret_cast<void*>(&ItemCount);
    case kQueryItemText: return reinterpret_cast<void*>(&ItemText);
    default: return nullptr;
  }
}

void ListBoxUnit::userChangedSelection() {
  if (!suppress_.active()) RaiseUnitEvent(id_, 0);
}

void ListBoxUnit::applyLook() {
  EventSuppressor::Scope quiet(suppress_);
  setFrameShape(data_.border != BorderStyle::None ? QFrame::StyledPanel : QFrame::NoFrame);
  setSelectionMode(data_.multiSelect != 0 ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
  if (!data_.font.empty()) setFont(QFontOf(FontFromRecord(data_.font)));
  QPalette colours = QApplication::palette(this);
  colours.setColor(QPalette::Text, ColourOf(data_.textColour, colours.color(QPalette::Text)));
  colours.setColor(QPalette::Base, ColourOf(data_.backColour, colours.color(QPalette::Base)));
  setPalette(colours);
}

void ListBoxUnit::setItems(const QStringList& items) {
  EventSuppressor::Scope quiet(suppress_);
  clear();
  for (const QString& item : items) addItemWithData(ToCp936(item), 0);
}

std::int32_t ListBoxUnit::addItemWithData(const std::string& text, std::int32_t itemData) {
  EventSuppressor::Scope quiet(suppress_);
  const QString caption = FromCp936(text);
  const int index =
      data_.sorted ? SortedPosition(count(), [this](int i) { return item(i)->text(); }, caption) : count();
  auto* entry = new QListWidgetItem(caption);
  entry->setData(kItemDataRole, itemData);
  insertItem(index, entry);
  return index;
}

std::optional<std::string> ListBoxUnit::itemTextAt(std::int32_t index) const {
  if (index < 0 || index >= count()) return std::nullopt;
  return ToCp936(item(index)->text());
}

std::int32_t ListBoxUnit::selection() const {
  if (data_.multiSelect != 0) return currentRow();
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

std::int32_t ListBoxUnit::apply(ListBoxHook hook) {
  EventSuppressor::Scope quiet(suppress_);
  switch (hook) {
    case ListBoxHook::Look: applyLook(); break;
    case ListBoxHook::Sort:
      if (data_.sorted) sortItems();
      break;
    default: break;
  }
  return 0;
}

RawProperty ListBoxUnit::liveValue(ListBoxHook hook) const {
  RawProperty v;
  switch (hook) {
    case ListBoxHook::Items: {
      QStringList items;
      for (int i = 0; i < count(); ++i) items << item(i)->text();
      v.text = StoredFromItems(items);
      break;
    }
    case ListBoxHook::Selection: v.number = selection(); break;
    default: break;
  }
  return v;
}

void ListBoxUnit::setLive(ListBoxHook hook, const RawProperty& v) {
  EventSuppressor::Scope quiet(suppress_);
  if (hook == ListBoxHook::Items) {
    setItems(ItemsFromStored(v.text));
    return;
  }
  const auto row = static_cast<int>(v.number);
  if (row >= 0 && row < count()) {
    setCurrentRow(row);
    return;
  }
  setCurrentRow(-1);
  clearSelection();
}

}  // namespace horavia::ui::controls
