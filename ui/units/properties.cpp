// Index
//   [kinds]     value conversion by kind code, font facets
//   [menu]      the menu item's four properties
//   [read]      ReadUnitProperty
//   [write]     WriteUnitProperty
#include "ui/units/properties.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstring>

#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "runtime/runtime_app.h"
#include "runtime/values.h"
#include "ui/units/cursors.h"
#include "ui/window/engine.h"
#include "ui/window/form_unit.h"

namespace horavia::ui {
namespace {

const auto& M = runtime::messages::kConstants;
using namespace common_property;

// [kinds] ----------------------------------------------------------------------

enum class KindClass { Number, Wide, Boolean, Choice, Bytes, Pointer, Font, Text };

KindClass Classify(std::int32_t kind) {
  using namespace property_kind;
  switch (kind) {
    case kInteger:
    case kInteger2:
    case kValue:
    case kValue2:
    case kColour: return KindClass::Number;
    case kWide:
    case kWide2: return KindClass::Wide;
    case kBoolean: return KindClass::Boolean;
    case kChoice: return KindClass::Choice;
    case kPicture:
    case kIcon:
    case kSound:
    case kOtherFile:
    case kOtherFile2: return KindClass::Bytes;
    case kPointer: return KindClass::Pointer;
    case kFont: return KindClass::Font;
    default: return KindClass::Text;
  }
}

// A pointer travels in the whole 64-bit value on a 64-bit host and in the low
// dword alone on a 32-bit one.
const void* PointerOf(std::uint32_t low, std::uint32_t high) {
  std::uint64_t v = static_cast<std::uint64_t>(high) << 32 | low;
  if constexpr (sizeof(void*) == 4) v = low;
  return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(v));
}
std::uint64_t ValueOfPointer(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

std::int32_t ReadDword(const std::vector<std::uint8_t>& b) {
  return static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}
void WriteDword(std::vector<std::uint8_t>& b, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

// Pointer data: the first dword names a system cursor in storage and a
// cursor number for the program.
std::vector<std::uint8_t> PointerDataForProgram(std::vector<std::uint8_t> bytes) {
  if (bytes.size() >= 4) WriteDword(bytes, CursorNumberFromSystemId(ReadDword(bytes)));
  return bytes;
}
std::vector<std::uint8_t> PointerDataForStorage(std::vector<std::uint8_t> bytes) {
  if (bytes.size() >= 4) WriteDword(bytes, SystemIdFromCursorNumber(ReadDword(bytes)));
  return bytes;
}

std::vector<std::uint8_t> BytesOfByteSet(const void* byteSet) {
  runtime::ByteSetView view = runtime::ByteSetBytes(byteSet);
  if (view.data == nullptr || view.size == 0) return {};
  return {view.data, view.data + view.size};
}

std::uint64_t NewByteSet(const std::vector<std::uint8_t>& bytes) {
  return ValueOfPointer(runtime::MakeByteSet(bytes.data(), bytes.size()));
}

std::string FaceOrDefault(const char* face) {
  if (face == nullptr) return {};
  std::size_t n = std::strlen(face);
  return n >= 1 && n <= 31 ? std::string(face, n) : std::string();
}

std::uint64_t FontFacet(const UnitFont& font, std::int32_t subIndex, int dpi) {
  switch (subIndex) {
    case font_facet::kAngle: return static_cast<std::uint32_t>(font.angle);
    case font_facet::kBold: return font.weight >= 700 ? 1 : 0;
    case font_facet::kItalic: return font.italic ? 1 : 0;
    case font_facet::kStrikeout: return font.strikeout ? 1 : 0;
    case font_facet::kUnderline: return font.underline ? 1 : 0;
    case font_facet::kSize: return static_cast<std::uint32_t>(FontPointsFromHeight(font.height, dpi));
    case font_facet::kFace: return ValueOfPointer(runtime::CopyText(font.face));
    case font_facet::kWhole: {
      auto* record = static_cast<FontRecord*>(runtime::Runtime().heap().allocate(sizeof(FontRecord)));
      *record = {font.angle, font.weight >= 700 ? 1 : 0, font.italic, font.strikeout, font.underline,
                 FontPointsFromHeight(font.height, dpi), runtime::CopyText(font.face)};
      return ValueOfPointer(record);
    }
    default: return 0;
  }
}

UnitFont WithFacet(UnitFont font, std::int32_t subIndex, std::uint32_t low, std::uint32_t high, int dpi) {
  auto value = static_cast<std::int32_t>(low);
  switch (subIndex) {
    case font_facet::kAngle: font.angle = NormaliseAngle(value); break;
    case font_facet::kBold: font.weight = value != 0 ? 700 : 0; break;
    case font_facet::kItalic: font.italic = value != 0; break;
    case font_facet::kStrikeout: font.strikeout = value != 0; break;
    case font_facet::kUnderline: font.underline = value != 0; break;
    case font_facet::kSize: font.height = FontHeightFromPoints(value, dpi); break;
    case font_facet::kFace: font.face = FaceOrDefault(static_cast<const char*>(PointerOf(low, high))); break;
    case font_facet::kWhole: {
      const auto* record = static_cast<const FontRecord*>(PointerOf(low, high));
      if (record == nullptr) break;
      font.angle = NormaliseAngle(record->angle);
      font.weight = record->bold != 0 ? 700 : 0;
      font.italic = record->italic != 0;
      font.strikeout = record->strikeout != 0;
      font.underline = record->underline != 0;
      font.height = FontHeightFromPoints(record->size, dpi);
      font.face = FaceOrDefault(record->face);
      break;
    }
    default: break;
  }
  return font;
}

int ScreenDpi() {
  QScreen* screen = QGuiApplication::primaryScreen();
  int dpi = screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : 96;
  return dpi > 0 ? dpi : 96;
}

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

QWidget* LiveWidget(const Unit& unit) { return static_cast<QWidget*>(unit.window); }
bool IsPlaceholder(const QWidget* w) { return w != nullptr && w->property("horaviaPlaceholder").toBool(); }

// The live rectangle: a child in its parent's coordinates, a top-level
// window on the screen.
QRect LiveRect(const QWidget& w) { return w.isWindow() ? w.frameGeometry() : w.geometry(); }

std::int32_t KindOf(WindowEngine& engine, const Unit& unit, std::int32_t property) {
  const runtime::DataTypeInfo* type = engine.typeOf(unit);
  if (type == nullptr || type->properties == nullptr || property >= type->propertyCount) return 0;
  return type->properties[property].kind;
}

RawProperty GetTypeProperty(WindowEngine& engine, const Unit& unit, std::int32_t index) {
  if (unit.type == unit_type::kWindow) return static_cast<CWinFormUnit*>(LiveWidget(unit))->getProperty(index);
  const runtime::DataTypeInfo* type = engine.typeOf(unit);
  if (type == nullptr || type->interface == nullptr) return {};
  auto get = reinterpret_cast<GetPropertyFunction>(type->interface(kQueryGetProperty));
  return get != nullptr ? get(LiveWidget(unit), index) : RawProperty{};
}

std::int32_t SetTypeProperty(WindowEngine& engine, const Unit& unit, std::int32_t index, const RawProperty& v) {
  if (unit.type == unit_type::kWindow) return static_cast<CWinFormUnit*>(LiveWidget(unit))->setProperty(index, v);
  const runtime::DataTypeInfo* type = engine.typeOf(unit);
  if (type == nullptr || type->interface == nullptr) return 0;
  auto set = reinterpret_cast<SetPropertyFunction>(type->interface(kQuerySetProperty));
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

std::int32_t FontPointsFromHeight(std::int32_t height, int dpi) {
  if (dpi <= 0) return 0;
  std::int64_t h = height < 0 ? -static_cast<std::int64_t>(height) : height;
  return static_cast<std::int32_t>((h * 72 + dpi / 2) / dpi);
}

std::int32_t FontHeightFromPoints(std::int32_t points, int dpi) {
  std::int64_t p = points < 0 ? -static_cast<std::int64_t>(points) : points;
  return static_cast<std::int32_t>(-((p * dpi + 36) / 72));
}

std::uint64_t ValueFromRaw(std::int32_t kind, const RawProperty& raw, std::int32_t subIndex, int dpi) {
  switch (Classify(kind)) {
    case KindClass::Number:
    case KindClass::Choice: return static_cast<std::uint32_t>(raw.number);
    case KindClass::Wide: return static_cast<std::uint64_t>(raw.number);
    case KindClass::Boolean: return raw.number == 1 ? 1 : 0;
    case KindClass::Bytes: return NewByteSet(raw.bytes);
    case KindClass::Pointer: return NewByteSet(PointerDataForProgram(raw.bytes));
    case KindClass::Font: return FontFacet(raw.font, subIndex, dpi);
    case KindClass::Text: return ValueOfPointer(runtime::CopyText(raw.text));
  }
  return 0;
}

RawProperty RawFromValue(std::int32_t kind, std::uint32_t low, std::uint32_t high, std::int32_t subIndex,
                         const RawProperty& current, int dpi) {
  RawProperty raw;
  switch (Classify(kind)) {
    case KindClass::Number: raw.number = static_cast<std::int32_t>(low); break;
    case KindClass::Wide: raw.number = static_cast<std::int64_t>(static_cast<std::uint64_t>(high) << 32 | low); break;
    case KindClass::Boolean: raw.number = low != 0 ? 1 : 0; break;
    case KindClass::Choice: raw.number = static_cast<std::int32_t>(low) < 0 ? 0 : static_cast<std::int32_t>(low); break;
    case KindClass::Bytes: raw.bytes = BytesOfByteSet(PointerOf(low, high)); break;
    case KindClass::Pointer: raw.bytes = PointerDataForStorage(BytesOfByteSet(PointerOf(low, high))); break;
    case KindClass::Font: raw.font = WithFacet(current.font, subIndex, low, high, dpi); break;
    case KindClass::Text: {
      const char* text = static_cast<const char*>(PointerOf(low, high));
      raw.text = text != nullptr ? text : "";
      break;
    }
  }
  return raw;
}

std::uint64_t ReadUnitProperty(WindowEngine& engine, std::uint32_t formId, std::uint32_t unitId,
                               std::int32_t property, std::int32_t subIndex) {
  Unit* unit = FindUnitOrFail(engine, formId, unitId, nullptr);
  if (unit == nullptr) return 0;
  if (unit->isMenuItem()) return ReadMenuItem(*unit, property);
  QWidget* w = LiveWidget(*unit);
  if (property >= kFirstTypeProperty) {
    if (w == nullptr) runtime::FatalError(M.WindowNotLoaded);
    std::int32_t kind = KindOf(engine, *unit, property);
    return ValueFromRaw(kind, GetTypeProperty(engine, *unit, property - kFirstTypeProperty), subIndex, ScreenDpi());
  }
  switch (property) {
    case kLeft: return static_cast<std::uint32_t>(w ? LiveRect(*w).x() : unit->left);
    case kTop: return static_cast<std::uint32_t>(w ? LiveRect(*w).y() : unit->top);
    case kWidth: return static_cast<std::uint32_t>(w ? LiveRect(*w).width() : unit->width);
    case kHeight: return static_cast<std::uint32_t>(w ? LiveRect(*w).height() : unit->height);
    case kTag: return ValueOfPointer(runtime::CopyText(unit->tag));
    case kVisible:
      // A placeholder stands in for a unit not built yet: its stored state counts.
      if (w != nullptr && !IsPlaceholder(w)) return w->isVisible() ? 1 : 0;
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
    engine.showLoadedWindow(formId, static_cast<CWinFormUnit*>(w)->modal());
    return;
  }
  if ((engine.typeFlags(unit) & type_flags::kNotAWindow) || IsPlaceholder(w)) return;
  w->show();
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
    std::int32_t kind = KindOf(engine, *unit, property);
    std::int32_t typeIndex = property - kFirstTypeProperty;
    RawProperty current;
    if (kind == property_kind::kFont) current = GetTypeProperty(engine, *unit, typeIndex);
    RawProperty raw = RawFromValue(kind, low, high, subIndex, current, ScreenDpi());
    std::int32_t answer = SetTypeProperty(engine, *unit, typeIndex, raw);
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
