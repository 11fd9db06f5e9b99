#include "ui/controls/combo_box.h"

#include <QApplication>
#include <algorithm>
#include <QCoreApplication>
#include <QLineEdit>

#include "ui/controls/control_font.h"
#include "ui/controls/item_lists.h"
#include "ui/units/private_message.h"

namespace horavia::ui::controls {
namespace {

std::int32_t AddItem(QWidget* w, const std::string& text, std::int32_t itemData) {
  auto* box = dynamic_cast<ComboBoxUnit*>(w);
  return box != nullptr ? box->addItemWithData(text, itemData) : -1;
}

}  // namespace

QWidget* ComboBoxUnit::Create(const UnitCreateParams& params) {
  ComboBoxData data;
  if (readComboBoxData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new ComboBoxUnit(params, std::move(data));
}

ComboBoxUnit::ComboBoxUnit(const UnitCreateParams& params, ComboBoxData data)
    : QComboBox(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)) {
  EventSuppressor::Scope quiet(suppress_);
  setFocusPolicy(Qt::StrongFocus);
  setInsertPolicy(QComboBox::NoInsert);
  ApplyCreateParams(*this, params);
  setEditable(data_.style != ComboStyle::DropDownList);
  applyLook();
  // The stored height is that of the control with its list dropped down; a
  // closed combo box shows its one line, and the rest becomes list rows.
  const int closed = sizeHint().height();
  const int row = std::max(1, fontMetrics().height() + 2);
  setMaxVisibleItems(std::max(1, (params.height - closed) / row));
  resize(width(), closed);
  setItems(ItemsFromStored(data_.items));
  if (isEditable()) setEditText(FromCp936(data_.text));
  // `activated` comes only from the user (a choice in the list, or the
  // arrow keys), never from code; the event follows once it is done.
  connect(this, &QComboBox::activated, this, [this] {
    QCoreApplication::postEvent(this, new PrivateMessageEvent(private_message::kSelectionEnded));
  });
}

ComboBoxUnit::~ComboBoxUnit() { ReportUnitDestroyed(id_); }

void* ComboBoxUnit::OtherQuery(std::int32_t query) {
  return query == kQueryAddItem ? reinterpret_cast<void*>(&AddItem) : nullptr;
}

bool ComboBoxUnit::event(QEvent* event) {
  if (event->type() != PrivateMessageEvent::Type()) return QComboBox::event(event);
  if (static_cast<PrivateMessageEvent*>(event)->number() == private_message::kSelectionEnded && !suppress_.active()) {
    RaiseUnitEvent(id_, 0);
  }
  return true;
}

void ComboBoxUnit::applyLook() {
  if (lineEdit() != nullptr) lineEdit()->setMaxLength(data_.maxLength > 0 ? data_.maxLength : 32767);
  if (!data_.font.empty()) setFont(QFontOf(FontFromRecord(data_.font)));
  QPalette colours = QApplication::palette(this);
  colours.setColor(QPalette::Text, ColourOf(data_.textColour, colours.color(QPalette::Text)));
  colours.setColor(QPalette::ButtonText, ColourOf(data_.textColour, colours.color(QPalette::ButtonText)));
  colours.setColor(QPalette::Base, ColourOf(data_.backColour, colours.color(QPalette::Base)));
  setPalette(colours);
}

void ComboBoxUnit::setItems(const QStringList& items) {
  EventSuppressor::Scope quiet(suppress_);
  const QString edit = currentText();
  clear();
  for (const QString& item : items) addItemWithData(ToCp936(item), 0);
  setCurrentIndex(-1);
  if (isEditable()) setEditText(edit);
}

std::int32_t ComboBoxUnit::addItemWithData(const std::string& text, std::int32_t itemData) {
  EventSuppressor::Scope quiet(suppress_);
  const QString item = FromCp936(text);
  const int index = data_.sorted ? SortedPosition(count(), [this](int i) { return itemText(i); }, item) : count();
  // Qt selects the first item a box gets; this box keeps its selection (and
  // its edit text) as they were.
  const bool hadSelection = currentIndex() >= 0;
  const QString edit = currentText();
  insertItem(index, item, QVariant(itemData));
  if (!hadSelection) {
    setCurrentIndex(-1);
    if (isEditable()) setEditText(edit);
  }
  return index;
}

std::int32_t ComboBoxUnit::apply(ComboBoxHook hook) {
  EventSuppressor::Scope quiet(suppress_);
  switch (hook) {
    case ComboBoxHook::Style:
      setEditable(data_.style != ComboStyle::DropDownList);
      applyLook();
      break;
    case ComboBoxHook::Sort:
      if (data_.sorted) model()->sort(0);
      break;
    case ComboBoxHook::Look: applyLook(); break;
    default: break;
  }
  return 0;
}

RawProperty ComboBoxUnit::liveValue(ComboBoxHook hook) const {
  RawProperty v;
  switch (hook) {
    case ComboBoxHook::Items: {
      QStringList items;
      for (int i = 0; i < count(); ++i) items << itemText(i);
      v.text = StoredFromItems(items);
      break;
    }
    case ComboBoxHook::Text: v.text = ToCp936(currentText()); break;
    // The control's own index, whoever changed it.
    case ComboBoxHook::Selection: v.number = currentIndex(); break;
    default: break;
  }
  return v;
}

void ComboBoxUnit::setLive(ComboBoxHook hook, const RawProperty& v) {
  EventSuppressor::Scope quiet(suppress_);
  switch (hook) {
    case ComboBoxHook::Items: setItems(ItemsFromStored(v.text)); break;
    case ComboBoxHook::Text:
      if (isEditable()) setEditText(FromCp936(v.text));
      break;
    case ComboBoxHook::Selection: {
      const auto index = static_cast<int>(v.number);
      setCurrentIndex(index >= 0 && index < count() ? index : -1);
      break;
    }
    default: break;
  }
}

}  // namespace horavia::ui::controls
