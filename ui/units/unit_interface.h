// How a unit type plugs into the window engine: its interface function maps a
// query number to one of the functions below (cast to void*), and the engine
// calls them while it loads windows, reads and writes properties and handles
// keys.
//
// Index
//   [queries]    the query numbers and what each answers
//   [values]     the raw property values the get and set functions exchange
//   [create]     what the create function receives
//   [styles]     the style bits handed to the create function
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QWidget;

namespace horavia::ui {

// [queries] -------------------------------------------------------------------

enum UnitQuery : std::int32_t {
  kQueryCreate = 1,         // CreateUnitFunction
  kQuerySetProperty = 4,    // SetPropertyFunction
  kQueryWriteBack = 5,      // WriteBackFunction
  kQueryGetProperty = 6,    // GetPropertyFunction
  kQueryWantsKey = 8,       // WantsKeyFunction
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

class WindowEngine;

struct UnitCreateParams {
  std::span<const std::uint8_t> typeData;  // the record's stored type data
  std::uint32_t style = 0;                 // unit_style bits
  QWidget* parent = nullptr;               // the window (children) or the owner (window unit)
  std::int32_t controlId = 0;              // 100, 110, 120, … in creation order
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
  WindowEngine* engine = nullptr;          // the engine loading the window
  bool modal = false;                      // window unit only: a modal load
};

// Query 1: the live unit object, or null when it cannot be created.
using CreateUnitFunction = QWidget* (*)(const UnitCreateParams& params);

// [styles] --------------------------------------------------------------------

// The bits keep the values the stored programs were written against.
namespace unit_style {
constexpr std::uint32_t kChild = 0x40000000;
constexpr std::uint32_t kVisible = 0x10000000;
constexpr std::uint32_t kDisabled = 0x08000000;
constexpr std::uint32_t kTabStop = 0x00010000;
}  // namespace unit_style

// Type flags the engine consults (from the type's record).
namespace type_flags {
constexpr std::uint32_t kRaisesEvents = 0x00000004;
constexpr std::uint32_t kRaisesEventsToo = 0x00000040;
constexpr std::uint32_t kMovesChildren = 0x00000080;
constexpr std::uint32_t kContainer = 0x00000200;
constexpr std::uint32_t kContainerToo = 0x00200000;
constexpr std::uint32_t kDefaultButton = 0x00000800;
constexpr std::uint32_t kCheckBox = 0x00001000;
constexpr std::uint32_t kLabelLike = 0x00002000;
constexpr std::uint32_t kHasCaption = 0x00007C00;
constexpr std::uint32_t kNotAWindow = 0x00008000;
constexpr std::uint32_t kDragsWindow = 0x04000000;
}  // namespace type_flags

}  // namespace horavia::ui
