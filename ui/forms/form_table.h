// Form descriptions: the windows of the program and their units as the program
// image stores them in its form block, read once at start-up.
//
// Index
//   [ids]      id kinds and the id rules every lookup applies first
//   [types]    unit type codes of the stored forms
//   [units]    one unit table entry: stored fields plus run-time slots
//   [forms]    a form and its unit table; lookups and the menu run
//   [table]    the form table the runtime owns; reading and writing blocks
//
// Block layout (all integers little-endian dwords):
//   form index length (8 × form count), form ids, one ignored dword per form,
//   then one form record per id: reserved A, reserved B, two counted strings,
//   unit count n, and the unit table as a counted block holding n unit ids,
//   n record offsets (from byte 8n of the table) and the records, each a
//   dword length and that many bytes.
//
// The reader keeps every stored field, so writing a loaded block gives back
// the bytes a writer produced. Run-time slots (window, cursor, submenu) are
// separate fields, zero in storage and never written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/bytes.h"
#include "runtime/values.h"

namespace horavia::ui {

using base::Bytes;

// [ids] -----------------------------------------------------------------------

// Kinds in the top byte: 0x52 form, 0x06 window unit, 0x16 unit, 0x26 menu item.
// Valid: low 24 bits not zero and bits 24-27 not zero.
constexpr bool isValidId(std::uint32_t id) {
  return (id & 0x00FFFFFFu) != 0 && (id & 0x0F000000u) != 0;
}
constexpr bool isMenuItemId(std::uint32_t id) {
  return ((id >> 24) & 0xFu) == 6 && ((id >> 28) & 0xFu) == 2;
}

// [types] ---------------------------------------------------------------------

// A unit record's type code is its type's tag.
namespace unit_type = runtime::unit_type;

// [units] ---------------------------------------------------------------------

// Offset from the code base of the subroutine bound to an event or menu item,
// or kNoHandler. Offset 0 is a real binding (the subroutine at the base).
constexpr std::int32_t kNoHandler = -1;

// After the fix-up: the handler's code address, 0 when none. `bound` tells a
// binding from none even where the base is 0, so offset 0 is never lost.
struct FixedHandler {
  std::uintptr_t address = 0;
  bool bound = false;
};

struct EventBinding {
  std::int32_t event = 0;
  std::int32_t handlerOffset = kNoHandler;  // as stored
  FixedHandler handler;                     // set by applyHandlerFixup
};

// Bit 0 hidden, bit 1 disabled, bit 2 checked.
namespace menu_flags {
constexpr std::uint32_t kHidden = 1u << 0;
constexpr std::uint32_t kDisabled = 1u << 1;
constexpr std::uint32_t kChecked = 1u << 2;
}  // namespace menu_flags

// Bit 0 visible, bit 1 disabled, bit 2 takes part in Tab focus order.
namespace unit_flags {
constexpr std::uint32_t kVisible = 1u << 0;
constexpr std::uint32_t kDisabled = 1u << 1;
constexpr std::uint32_t kTabStop = 1u << 2;
}  // namespace unit_flags

struct MenuItemFields {
  std::uint32_t shortcut = 0;  // 0 none, 1-76 the shortcut table
  std::uint32_t level = 0;     // 0 top-level title, 1 its items, deeper nests
  std::uint32_t flags = 0;     // menu_flags
  std::string caption;         // code page 936; "-" is a separator
  std::int32_t handlerOffset = kNoHandler;
  FixedHandler handler;
};

// One unit table entry. Texts are code-page-936 bytes.
struct Unit {
  std::uint32_t id = 0;
  std::uint32_t type = 0;
  // 0 in storage; a unit created as a copy of another holds the id of the
  // unit whose event bindings it uses.
  std::uint32_t eventSourceLink = 0;
  std::array<std::uint32_t, 4> reserved{};  // kept as read, zero when written fresh
  std::string name;
  std::string remark;

  // Every unit but a menu item:
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  std::uint32_t parent = 0;                  // 0 = directly on the window
  std::vector<std::uint32_t> children;       // containers; 0 separates pages
  Bytes mousePointer;                        // empty = default pointer
  std::string tag;
  std::uint32_t reservedBeforeFlags = 0;
  std::uint32_t flags = 0;                   // unit_flags
  std::int32_t tabOrder = 0;
  std::vector<EventBinding> events;
  std::array<std::uint8_t, 20> reservedAfterEvents{};
  // The type's own stored data (for a menu item: any bytes after its fields).
  Bytes typeData;

  // A menu item (type kMenuItem) only:
  MenuItemFields menu;

  // Run-time slots, never stored: the live unit object, its cursor and, for
  // a menu item, the submenu being built.
  void* window = nullptr;
  void* cursor = nullptr;
  void* submenu = nullptr;

  bool isMenuItem() const { return type == unit_type::kMenuItem; }
  bool visible() const { return (flags & unit_flags::kVisible) != 0; }
  // The pointer the mouse-pointer block names: 0 default, -1 custom (a
  // cursor file follows the dword), else a system cursor id. A block shorter
  // than a dword names it by its first byte.
  std::int32_t mousePointerKind() const;
  // The binding of `event`, or null.
  const EventBinding* findBinding(std::int32_t event) const;
};

// Field 22 of a unit record: the bytes the unit type reads itself.
inline std::span<const std::uint8_t> unitTypeData(const Unit& unit) { return unit.typeData; }

// [forms] ---------------------------------------------------------------------

using UnitTable = std::vector<Unit>;

struct Form {
  std::uint32_t id = 0;
  std::uint32_t reservedA = 0;  // kept as read; no engine path reads them
  std::uint32_t reservedB = 0;
  std::string firstText;        // empty in all stored forms
  std::string secondText;
  UnitTable units;              // entry 0 is the window unit

  // The copy a live window works on, so that the stored form stays as loaded.
  UnitTable workingCopy() const { return units; }
};

struct UnitLookup {
  Unit* record = nullptr;
  std::size_t index = 0;
  std::uint32_t type = 0;
};
struct ConstUnitLookup {
  const Unit* record = nullptr;
  std::size_t index = 0;
  std::uint32_t type = 0;
};

// Linear search by id; an invalid id or an absent unit gives nothing.
std::optional<UnitLookup> findUnit(UnitTable& units, std::uint32_t unitId);
std::optional<ConstUnitLookup> findUnit(const UnitTable& units, std::uint32_t unitId);
inline std::optional<UnitLookup> findUnit(Form& form, std::uint32_t unitId) {
  return findUnit(form.units, unitId);
}
inline std::optional<ConstUnitLookup> findUnit(const Form& form, std::uint32_t unitId) {
  return findUnit(form.units, unitId);
}
// For event lookups, where unit id 0 stands for the window unit (entry 0).
std::optional<ConstUnitLookup> findEventSource(const UnitTable& units, std::uint32_t unitId);

struct MenuRun {
  std::size_t first = 0;  // index of the first menu item entry
  std::size_t count = 0;  // consecutive menu item entries from there; 0 = no menu
  bool contains(std::size_t index) const { return index >= first && index < first + count; }
};
MenuRun firstMenuRun(const UnitTable& units);
inline MenuRun firstMenuRun(const Form& form) { return firstMenuRun(form.units); }

// Resolves every stored handler offset of the table: an offset h becomes the
// address codeBase + h, and kNoHandler becomes address 0, unbound.
void applyHandlerFixup(UnitTable& units, std::uintptr_t codeBase);
FixedHandler fixHandler(std::int32_t offset, std::uintptr_t codeBase);

// [table] ---------------------------------------------------------------------

// Parses a whole form block. Nothing when any read passes the end or a count,
// length or offset does not fit the block; unit records never share bytes.
// Handlers are left unresolved (see applyHandlerFixup).
std::optional<std::vector<Form>> parseFormBlock(std::span<const std::uint8_t> block);

// The block for `forms`; parseFormBlock of it gives the same forms back, and
// writing those again gives the same bytes.
Bytes writeFormBlock(std::span<const Form> forms);
// One unit record without its length dword.
Bytes writeUnitRecord(const Unit& unit);

// The runtime's form table. loadFormBlock reads and fixes up a block; on
// failure it keeps nothing and returns false, and the caller reports the
// fatal error ("载入窗口模板数据段出错!"): this reader never ends the program.
class FormTable {
 public:
  bool loadFormBlock(std::span<const std::uint8_t> block, std::uintptr_t codeBase);
  void clear() { forms_.clear(); }

  // Linear search; invalid or absent ids give null.
  Form* findForm(std::uint32_t formId);
  const Form* findForm(std::uint32_t formId) const;

  const std::vector<Form>& forms() const { return forms_; }
  bool empty() const { return forms_.empty(); }

 private:
  std::vector<Form> forms_;
};

}  // namespace horavia::ui
