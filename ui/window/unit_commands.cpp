// What the window and unit commands ask of the engine beyond loading and
// closing: a unit's rectangle and moving it, the items of list-like units and
// drawing on draw panels. The engine finds the live unit and hands the work
// to its type through the unit interface, so it knows nothing of the types.
#include <QWidget>

#include "ui/window/engine.h"
#include "ui/window/live_units.h"

namespace horavia::ui {
namespace {

// The live rectangle: a child in its parent's coordinates, a top-level
// window on the screen with its frame.
QRect LiveRect(const QWidget& w) { return w.isWindow() ? w.frameGeometry() : w.geometry(); }

PanelArea AreaOf(const runtime::UnitRect& r) { return {r.left, r.top, r.width, r.height}; }

// The live widget of a unit whose type is `type`, and that type's function
// for `query`; nulls when either is missing.
struct TypedUnit {
  QWidget* widget = nullptr;
  void* function = nullptr;
};

TypedUnit LiveUnitOfType(LiveForms& forms, std::uint32_t formId, std::uint32_t unitId, std::uint32_t type,
                         std::int32_t query) {
  UnitTable* units = forms.liveUnits(formId);
  auto found = units != nullptr ? ui::findUnit(*units, unitId) : std::nullopt;
  if (!found || found->record->type != type || found->record->window == nullptr) return {};
  const runtime::DataTypeInfo* info = TypeOf(*found->record);
  if (info == nullptr || info->interface == nullptr) return {};
  return {LiveWidget(*found->record), info->interface(query)};
}

}  // namespace

std::optional<runtime::UnitRect> WindowEngine::unitRect(std::uint32_t formId, std::uint32_t unitId) {
  auto* w = static_cast<QWidget*>(findUnit(formId, unitId));
  if (w == nullptr) return std::nullopt;
  const QRect r = LiveRect(*w);
  return runtime::UnitRect{r.x(), r.y(), r.width(), r.height()};
}

void WindowEngine::moveUnit(std::uint32_t formId, std::uint32_t unitId, const runtime::UnitRect& rect) {
  auto* w = static_cast<QWidget*>(findUnit(formId, unitId));
  if (w == nullptr) return;
  // A window's rectangle includes its frame; Qt sizes the client area.
  const QSize frame = w->isWindow() ? w->frameGeometry().size() - w->size() : QSize(0, 0);
  w->move(rect.left, rect.top);
  w->resize(std::max(0, rect.width - frame.width()), std::max(0, rect.height - frame.height()));
  w->update();
}

std::int32_t WindowEngine::addListItem(std::uint32_t formId, std::uint32_t unitId, runtime::TypeTag type,
                                       std::string_view text, std::int32_t itemData) {
  TypedUnit unit = LiveUnitOfType(forms_, formId, unitId, type, kQueryAddItem);
  if (unit.function == nullptr) return -1;
  return reinterpret_cast<AddItemFunction>(unit.function)(unit.widget, std::string(text), itemData);
}

std::int32_t WindowEngine::listItemCount(std::uint32_t formId, std::uint32_t unitId, runtime::TypeTag type) {
  TypedUnit unit = LiveUnitOfType(forms_, formId, unitId, type, kQueryItemCount);
  if (unit.function == nullptr) return 0;
  return reinterpret_cast<ItemCountFunction>(unit.function)(unit.widget);
}

std::optional<std::string> WindowEngine::listItemText(std::uint32_t formId, std::uint32_t unitId,
                                                      runtime::TypeTag type, std::int32_t index) {
  TypedUnit unit = LiveUnitOfType(forms_, formId, unitId, type, kQueryItemText);
  if (unit.function == nullptr) return std::nullopt;
  return reinterpret_cast<ItemTextFunction>(unit.function)(unit.widget, index);
}

std::optional<runtime::UnitRect> WindowEngine::drawPanelClient(std::uint32_t formId, std::uint32_t unitId) {
  TypedUnit unit = LiveUnitOfType(forms_, formId, unitId, unit_type::kDrawPanel, kQueryClearPanel);
  if (unit.function == nullptr) return std::nullopt;
  const QSize size = unit.widget->contentsRect().size();
  return runtime::UnitRect{0, 0, size.width(), size.height()};
}

void WindowEngine::clearDrawPanel(std::uint32_t formId, std::uint32_t unitId, const runtime::UnitRect& area) {
  TypedUnit unit = LiveUnitOfType(forms_, formId, unitId, unit_type::kDrawPanel, kQueryClearPanel);
  if (unit.function != nullptr) reinterpret_cast<ClearPanelFunction>(unit.function)(unit.widget, AreaOf(area));
}

void WindowEngine::fillDrawPanelGradient(std::uint32_t formId, std::uint32_t unitId, const runtime::UnitRect& area,
                                         std::int32_t mode, std::span<const std::uint32_t> colours) {
  TypedUnit unit = LiveUnitOfType(forms_, formId, unitId, unit_type::kDrawPanel, kQueryFillPanel);
  if (unit.function == nullptr) return;
  reinterpret_cast<FillPanelFunction>(unit.function)(unit.widget, AreaOf(area), mode, colours);
}

void WindowEngine::copyDrawPanelArea(std::uint32_t formId, std::uint32_t sourceId, const runtime::UnitRect& area,
                                     std::uint32_t targetFormId, std::uint32_t targetId, std::int32_t x,
                                     std::int32_t y, std::int32_t mode) {
  TypedUnit source = LiveUnitOfType(forms_, formId, sourceId, unit_type::kDrawPanel, kQueryCopyPanelArea);
  TypedUnit target = LiveUnitOfType(forms_, targetFormId, targetId, unit_type::kDrawPanel, kQueryCopyPanelArea);
  if (source.function == nullptr || target.widget == nullptr) return;
  reinterpret_cast<CopyPanelAreaFunction>(source.function)(source.widget, AreaOf(area), target.widget, x, y, mode);
}

}  // namespace horavia::ui
