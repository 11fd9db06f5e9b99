// How a unit type plugs into the window engine: its interface function maps a
// query number to one of the functions below (cast to void*), and the engine
// calls them while it loads windows, reads and writes properties and handles
// keys.
//
// Index
//   [queries]    the query numbers and what each answers
//   [values]     the raw property values the get and set functions exchange
//   [events]     the common input events
//   [create]     what the create function receives
//   [lookup]     a type's function for a query, typed
//   [styles]     the style bits handed to the create function
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/library_types.h"

class QWidget;

namespace horavia::ui {

// [queries] -------------------------------------------------------------------

enum UnitQuery : std::int32_t {
  kQueryCreate = 1,         // CreateUnitFunction
  kQueryPropertyApplies = 2,  // PropertyAppliesFunction
  kQuerySetProperty = 4,    // SetPropertyFunction
  kQueryWriteBack = 5,      // WriteBackFunction
  kQueryGetProperty = 6,    // GetPropertyFunction
  kQueryWantsKey = 8,       // WantsKeyFunction
  kQueryConvertTexts = 9,   // ConvertTextsFunction
  kQueryIsDefaultButton = 10,  // IsDefaultButtonFunction
  // Reached by the window and unit commands:
  kQueryAddItem = 20,          // AddItemFunction (list-like units)
  kQueryItemCount = 21,        // ItemCountFunction
  kQueryItemText = 22,         // ItemTextFunction
  kQueryClearPanel = 23,       // ClearPanelFunction (draw panels)
  kQueryFillPanel = 24,        // FillPanelFunction
  kQueryCopyPanelArea = 25,    // CopyPanelAreaFunction
};

// [values] --------------------------------------------------------------------

// A font as the units keep it: angle in tenths of a degree, weight (700 =
// bold), the three style flags, the height in pixels (negative: character
// height, as the font size facet writes it) and the face name (code page 936,
// empty = the default face).
struct UnitFont {
  std::int32_t angle = 0;
  std::int32_t weight = 0;
  bool italic = false;
  bool strikeout = false;
  bool underline = false;
  std::int32_t height = 0;
  std::string face;
  friend bool operator==(const UnitFont&, const UnitFont&) = default;
};

// One property value on its way between the engine and a type. Which member
// carries it follows the property's kind: numbers (integers, booleans,
// choices, colours, 64-bit values) in `number`, texts (code page 936) in
// `text`, byte data and pointer data in `bytes`, fonts in `font`.
struct RawProperty {
  std::int64_t number = 0;
  std::string text;
  std::vector<std::uint8_t> bytes;
  UnitFont font;
};

// Query 6: the value of type-specific property `index` (property number - 8).
using GetPropertyFunction = RawProperty (*)(QWidget* unit, std::int32_t index);
// Query 4: sets it; answers 1 when the change needs a new unit window (the
// engine then re-creates the unit), else 0.
using SetPropertyFunction = std::int32_t (*)(QWidget* unit, std::int32_t index, const RawProperty& value);
// Query 5: the live unit's current state in its stored type-data layout.
using WriteBackFunction = std::vector<std::uint8_t> (*)(QWidget* unit);
// Query 8: whether the focused unit handles this key itself (virtual-key code
// in the low 16 bits, 0x10000 Ctrl, 0x20000 Shift, 0x40000 Alt).
using WantsKeyFunction = bool (*)(QWidget* unit, std::int32_t keyAndModifiers);
// Query 10: whether this button is the default button.
using IsDefaultButtonFunction = bool (*)(QWidget* unit);
// Query 2: whether type-specific property `index` applies with the unit's
// current settings (a form editor greys out the others).
using PropertyAppliesFunction = bool (*)(QWidget* unit, std::int32_t index);
// Query 9: stored type data with every text the unit shows passed through
// `convert` (code page 936 in and out); the bytes come back unchanged when
// they do not load.
using TextConverter = std::function<std::string(const std::string&)>;
using ConvertTextsFunction = std::vector<std::uint8_t> (*)(std::span<const std::uint8_t> typeData,
                                                           const TextConverter& convert);

// [events] --------------------------------------------------------------------

// The input events every unit raises through the window's pre-processing
// (each type numbers its own events from 0).
namespace common_event {
constexpr std::int32_t kLeftDown = -1;     // x, y, modifiers
constexpr std::int32_t kLeftUp = -2;
constexpr std::int32_t kDoubleClick = -3;
constexpr std::int32_t kRightDown = -4;
constexpr std::int32_t kRightUp = -5;
constexpr std::int32_t kMouseMove = -6;
constexpr std::int32_t kFocusIn = -7;
constexpr std::int32_t kFocusOut = -8;
constexpr std::int32_t kKeyDown = -9;      // key code, modifiers
constexpr std::int32_t kKeyUp = -10;
constexpr std::int32_t kCharacter = -11;   // character code; 0 swallows, another value replaces it
constexpr std::int32_t kMouseWheel = -12;  // notches, modifiers
}  // namespace common_event

// The event a unit of a type that has one raises when used (clicked,
// selected, moved): its event 0.
constexpr std::int32_t kUnitUsedEvent = 0;

// Queries 20-22: the items of a list-like unit. Adding gives the new item's
// index (-1 when it cannot be added); a text outside 0 .. count - 1 is none.
using AddItemFunction = std::int32_t (*)(QWidget* unit, const std::string& text, std::int32_t itemData);
using ItemCountFunction = std::int32_t (*)(QWidget* unit);
using ItemTextFunction = std::optional<std::string> (*)(QWidget* unit, std::int32_t index);

// Queries 23-25: drawing on a draw panel, in pixels of its client area
// (QWidget::contentsRect). Clearing repaints an area with the background;
// filling paints a gradient (mode 1-8, colours 0x00BBGGRR); copying puts an
// area of the source at (x, y) of the target (both draw panels) with a copy
// mode 1-5.
struct PanelArea {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};
using ClearPanelFunction = void (*)(QWidget* unit, const PanelArea& area);
using FillPanelFunction = void (*)(QWidget* unit, const PanelArea& area, std::int32_t mode,
                                   std::span<const std::uint32_t> colours);
using CopyPanelAreaFunction = void (*)(QWidget* source, const PanelArea& area, QWidget* target, std::int32_t x,
                                       std::int32_t y, std::int32_t mode);

// [create] --------------------------------------------------------------------

class WindowServices;

struct UnitCreateParams {
  std::span<const std::uint8_t> typeData;  // the record's stored type data
  std::uint32_t style = 0;                 // unit_style bits
  QWidget* parent = nullptr;               // the window (children) or the owner (window unit)
  std::int32_t controlId = 0;              // 100, 110, 120, … in creation order
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
  WindowServices* windows = nullptr;       // window unit only: what it asks of the engine
  bool modal = false;                      // window unit only: a modal load
};

// Query 1: the live unit object, or null when it cannot be created.
using CreateUnitFunction = QWidget* (*)(const UnitCreateParams& params);

// [lookup] --------------------------------------------------------------------

// Each query's function signature, so a caller names the query once.
template <UnitQuery Q>
struct QuerySignature;
template <>
struct QuerySignature<kQueryCreate> { using Type = CreateUnitFunction; };
template <>
struct QuerySignature<kQuerySetProperty> { using Type = SetPropertyFunction; };
template <>
struct QuerySignature<kQueryWriteBack> { using Type = WriteBackFunction; };
template <>
struct QuerySignature<kQueryGetProperty> { using Type = GetPropertyFunction; };
template <>
struct QuerySignature<kQueryWantsKey> { using Type = WantsKeyFunction; };
template <>
struct QuerySignature<kQueryIsDefaultButton> { using Type = IsDefaultButtonFunction; };

// The function a type's interface answers for query Q, or null when the type
// is unknown, has no interface or does not answer Q.
template <UnitQuery Q>
typename QuerySignature<Q>::Type UnitFunction(const runtime::DataTypeInfo* type) {
  if (type == nullptr || type->interface == nullptr) return nullptr;
  return reinterpret_cast<typename QuerySignature<Q>::Type>(type->interface(Q));
}

// [styles] --------------------------------------------------------------------

// The bits keep the values the stored programs were written against.
namespace unit_style {
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kDisabled = 0x08000000;
constexpr std::uint32_t kTabStop = 0x00010000;
}  // namespace unit_style

// Type flags the engine consults (from the type's record).
namespace type_flags = runtime::type_flags;

}  // namespace horavia::ui
