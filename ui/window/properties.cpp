// Index
//   [menu]      the menu item's four properties
//   [read]      ReadUnitProperty
//   [write]     WriteUnitProperty
#include "ui/window/properties.h"

#include <QWidget>

#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "runtime/runtime_app.h"
#include "runtime/values.h"
#include "ui/units/cursors.h"
#include "ui/units/property_values.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"
#include "ui/window/live_units.h"

namespace horavia::ui {
namespace {

const auto& M = runtime::messages::kConstants;
using namespace common_property;

std::uint64_t ValueOfPointer(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

// [menu] -----------------------------------------------------------------------

namespace menu_property {
constexpr std::int32_t kCaption = 0, kChecked = 1, kDisabled = 2, kVisible = 3;
}

std::uint64_t ReadMenuItem(const Unit& unit, std::int32_t property) {
  const MenuItemFields& m = unit.menu;
  switch (property) {
    case menu_property::kCaption: return ValueOfPointer(runtime::CopyText(m.caption));
    case menu_property::kChecked: return (m.flags & menu_flags::kChecked) ? 1 : 0;
    case menu_property::kDisabled: return (m.flags & menu_flags::kDisabled) ? 1 : 0;
    case menu_property::kVisible: return (m.flags & menu_flags::kHidden) ? 0 : 1;
    default: return 0;
  }
}

bool SetFlag(std::uint32_t& flags, std::uint32_t bit, bool on) {
  std::uint32_t before = flags;
  flags = on ? (flags | bit) : (flags & ~bit);
  return flags != before;
}

// Answers whether the record changed.
bool WriteMenuItem(Unit& unit, std::int32_t property, std::uint32_t low, std::uint32_t high) {
  MenuItemFields& m = unit.menu;
  switch (property) {
    case menu_property::kCaption: {
      const char* text = static_cast<const char*>(PointerOf(low, high));
      std::string caption = text != nullptr ? text : "";
      if (caption == m.caption) return false;
      m.caption = std::move(caption);
      return true;
    }
    case menu_property::kChecked: return SetFlag(m.flags, menu_flags::kChecked, low != 0);
    case menu_property::kDisabled: return SetFlag(m.flags, menu_flags::kDisabled, low != 0);
    case menu_property::kVisible: return SetFlag(m.flags, menu_flags::kHidden, low == 0);
    default: return false;
  }
}

// [read] -----------------------------------------------------------------------

// The live rectangle: a child in its parent's coordinates, a top-level
// window on the screen.
QRect LiveRect(const QWidget& w) { return w.isWindow() ? w.frameGeometry() : w.geometry(); }

std::int32_t KindOf(const Unit& unit, std::int32_t property) {
  const runtime::DataTypeInfo* type = TypeOf(unit);
  if (type == nullptr || type->properties == nullptr || property >= type->propertyCount) return 0;
  return type->properties[property].kind;
}

RawProperty GetTypeProperty(const Unit& unit, std::int32_t index) {
  auto get = UnitFunctionOf<kQueryGetProperty>(unit);
  return get != nullptr ? get(LiveWidget(unit), index) : RawProperty{};
}

std::int32_t SetTypeProperty(const Unit& unit, std::int32_t index, const RawProperty& v) {
  auto set = UnitFunctionOf<kQuerySetProperty>(unit);
  return set != nullptr ? set(LiveWidget(unit), index, v) : 0;
}

Unit* FindUnitOrFail(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId, std::size_t* index) {
  if (engine.findForm(formId) == nullptr) runtime::FatalError(M.FormNotLoaded);
  UnitTable* units = engine.unitsOf(formId);
  if (units == nullptr) return nullptr;
  auto found = findUnit(*units, unitId);
  if (!found) return nullptr;
  if (index != nullptr) *index = found->index;
  return found->record;
}

}  // namespace

std::uint64_t ReadUnitProperty(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId,
                               std::int32_t property, std::int32_t subIndex) {
  Unit* unit = FindUnitOrFail(engine, formId, unitId, nullptr);
  if (unit == nullptr) return 0;
  if (unit->isMenuItem()) return ReadMenuItem(*unit, property);
  QWidget* w = LiveWidget(*unit);
  if (property >= kFirstTypeProperty) {
    if (w == nullptr) runtime::FatalError(M.WindowNotLoaded);
    std::int32_t kind = KindOf(*unit, property);
    return ValueFromRaw(kind, GetTypeProperty(*unit, property - kFirstTypeProperty), subIndex, ScreenDpi());
  }
  switch (property) {
    case kLeft: return static_cast<std::uint32_t>(w ? LiveRect(*w).x() : unit->left);
    case kTop: return static_cast<std::uint32_t>(w ? LiveRect(*w).y() : unit->top);
    case kWidth: return static_cast<std::uint32_t>(w ? LiveRect(*w).width() : unit->width);
    case kHeight: return static_cast<std::uint32_t>(w ? LiveRect(*w).height() : unit->height);
    case kTag: return ValueOfPointer(runtime::CopyText(unit->tag));
    case kVisible:
      if (w != nullptr) return w->isVisible() ? 1 : 0;
      return unit->visible() ? 1 : 0;
    case kDisabled:
      if (w != nullptr) return w->testAttribute(Qt::WA_Disabled) ? 1 : 0;
      return (unit->flags & unit_flags::kDisabled) ? 1 : 0;
    case kMousePointer: {
      RawProperty raw;
      raw.bytes = unit->mousePointer;
      return ValueFromRaw(property_kind::kPointer, raw, subIndex, 0);
    }
    default: return 0;
  }
}

// [write] ----------------------------------------------------------------------

namespace {

void MoveLive(QWidget* w, const Unit& unit) {
  if (w != nullptr) w->move(unit.left, unit.top);
}

void ResizeLive(QWidget* w, const Unit& unit) {
  if (w == nullptr) return;
  // A top-level window's stored size includes its frame.
  QSize frame = w->isWindow() ? w->frameGeometry().size() - w->size() : QSize(0, 0);
  w->resize(std::max(0, unit.width - frame.width()), std::max(0, unit.height - frame.height()));
}

void SetVisible(WindowEngine& engine, std::uint32_t formId, Unit& unit, bool on) {
  unit.flags = on ? (unit.flags | unit_flags::kVisible) : (unit.flags & ~unit_flags::kVisible);
  QWidget* w = LiveWidget(unit);
  if (w == nullptr) return;
  if (!on) {
    w->hide();
    return;
  }
  if (unit.type == unit_type::kWindow) {
    // Showing a shown window changes nothing: a modal one must not start a
    // second modal loop.
    if (w->isVisible()) return;
    engine.showLoadedWindow(formId, static_cast<CWinFormUnit*>(w)->modal());
    return;
  }
  if (ShowsWhenLoaded(unit, w)) w->show();
}

void SetPointer(Unit& unit, std::vector<std::uint8_t> storedBytes) {
  delete static_cast<QCursor*>(unit.cursor);
  unit.cursor = nullptr;
  unit.mousePointer = std::move(storedBytes);
  std::optional<QCursor> cursor = MakeUnitCursor(unit.mousePointer);
  if (cursor) unit.cursor = new QCursor(*cursor);
  QWidget* w = LiveWidget(unit);
  if (w == nullptr) return;
  if (cursor) {
    w->setCursor(*cursor);
  } else {
    w->unsetCursor();
  }
}

}  // namespace

void WriteUnitProperty(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                       std::int32_t subIndex, std::uint32_t low, std::uint32_t high) {
  std::size_t index = 0;
  Unit* unit = FindUnitOrFail(engine, formId, unitId, &index);
  if (unit == nullptr) return;
  if (unit->isMenuItem()) {
    if (WriteMenuItem(*unit, property, low, high)) engine.rebuildMenuBar(formId);
    return;
  }
  QWidget* w = LiveWidget(*unit);
  auto value = static_cast<std::int32_t>(low);
  if (property >= kFirstTypeProperty) {
    if (w == nullptr) runtime::FatalError(M.WindowNotLoaded);
    std::int32_t kind = KindOf(*unit, property);
    std::int32_t typeIndex = property - kFirstTypeProperty;
    RawProperty current;
    if (kind == property_kind::kFont) current = GetTypeProperty(*unit, typeIndex);
    RawProperty raw = RawFromValue(kind, low, high, subIndex, current, ScreenDpi());
    std::int32_t answer = SetTypeProperty(*unit, typeIndex, raw);
    if (answer == 1 && unit->type != unit_type::kWindow) engine.recreateUnit(formId, index);
    return;
  }
  switch (property) {
    case kLeft:
      unit->left = ClampPosition(value);
      if (w) unit->top = LiveRect(*w).y();
      MoveLive(w, *unit);
      break;
    case kTop:
      unit->top = ClampPosition(value);
      if (w) unit->left = LiveRect(*w).x();
      MoveLive(w, *unit);
      break;
    case kWidth:
      unit->width = ClampSize(value);
      if (w) unit->height = LiveRect(*w).height();
      ResizeLive(w, *unit);
      break;
    case kHeight:
      unit->height = ClampSize(value);
      if (w) unit->width = LiveRect(*w).width();
      ResizeLive(w, *unit);
      break;
    case kTag: {
      const char* text = static_cast<const char*>(PointerOf(low, high));
      unit->tag = text != nullptr ? text : "";
      break;
    }
    case kVisible: SetVisible(engine, formId, *unit, value != 0); break;
    case kDisabled:
      unit->flags = value != 0 ? (unit->flags | unit_flags::kDisabled) : (unit->flags & ~unit_flags::kDisabled);
      if (w) w->setEnabled(value == 0);
      break;
    case kMousePointer: SetPointer(*unit, PointerDataForStorage(BytesOfByteSet(PointerOf(low, high)))); break;
    default: break;
  }
}

}  // namespace horavia::ui
