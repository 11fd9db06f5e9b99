// Window and unit commands: loading and closing windows, testing whether a
// window or unit is live, moving and copying units, popping up menus,
// shaping windows after pictures, list and combo items, and the draw-panel
// commands. Each finds its window or unit through the runtime's services
// (2006, or 2007 where a missing one is fatal) and acts on it through the
// window host.
//
// Index
//   [lookups]    live windows and units, picture arguments
//   [windows]    LoadWindow, IsLoaded, DestroyWindowOrUnit, MoveUnit,
//                SetWindowShape, PopupMenu, CopyUnit
//   [items]      AddComboItem, AddListItem, GetListItemCount, GetListItemText
//   [panels]     ClearDrawPanel, FillGradientRect, CopyDrawPanelArea
#include <cstring>
#include <vector>

#include "platform/files.h"
#include "platform/text_codec.h"
#include "runtime/commands/command_args.h"
#include "runtime/commands/commands.h"
#include "runtime/commands/panel_drawing.h"
#include "runtime/library_links.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime::commands {
namespace {

// [lookups] --------------------------------------------------------------------

// The live object of a window or unit, or null (service 2006).
void* FindLive(std::uint32_t formId, std::uint32_t unitId) {
  return reinterpret_cast<void*>(CoreLibraryLink().request(kServiceFindUnit, formId, unitId));
}

// As FindLive; a missing window or unit ends the program (service 2007).
void RequireLive(std::uint32_t formId, std::uint32_t unitId) {
  CoreLibraryLink().request(kServiceFindUnitOrFail, formId, unitId);
}

// A reference names the window itself when its unit id is the form's window
// unit (ids 0x06xxxxxx).
bool NamesWindow(const UnitRef& ref) { return ref.unitId == 0 || (ref.unitId >> 24) == 0x06; }

// The host, when the unit the reference names is live.
WindowHost* HostOfLive(const UnitRef& ref) {
  WindowHost* host = Runtime().windowHost();
  if (host == nullptr || FindLive(ref.formId, ref.unitId) == nullptr) return nullptr;
  return host;
}

// Kind of a unit type (service 2029): 0 no unit, 2 looked up by its window.
constexpr std::intptr_t kKindNone = 0;
constexpr std::intptr_t kKindByWindow = 2;

// State flags a type needs for its units to be copied.
constexpr std::uint32_t kCopyableFlag = 0x40;
constexpr std::uint32_t kNotCopyableFlag = 0x100;

// The bytes of a picture argument: a whole file by name, or a byte-set.
std::optional<std::vector<std::uint8_t>> PictureBytes(const ArgRecord& arg) {
  if (arg.tag == kTagText) {
    std::string_view name = TextOf(arg);
    if (name.empty()) return std::nullopt;
    auto bytes = platform::ReadWholeFile(platform::HostPath(name));
    if (!bytes || bytes->empty()) return std::nullopt;
    return bytes;
  }
  ByteSetView view = ByteSetOf(arg);
  if (view.data == nullptr || view.size == 0) return std::nullopt;
  return std::vector<std::uint8_t>(view.data, view.data + view.size);
}

}  // namespace

// [windows] --------------------------------------------------------------------

void LoadWindow(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef window = a.unit(0);
  LoadWindowRequest request;
  request.formId = window.formId;
  request.modal = a.integer(2) != 0 ? 1 : 0;
  if (a.given(1)) {
    const UnitRef parent = a.unit(1);
    request.ownerWindow = FindLive(parent.formId, parent.unitId);
    if (request.ownerWindow == nullptr) return;  // a parent that is not loaded
  }
  // A modal load returns only once the window has gone.
  SetBool(result, CoreLibraryLink().request(kServiceLoadWindow, reinterpret_cast<std::intptr_t>(&request)) == 0);
}

void IsLoaded(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  const std::intptr_t kind = CoreLibraryLink().request(kServiceUnitKind, ref.tag);
  if (kind == kKindNone) return;
  // Menu items have no live object of their own: their window counts.
  const std::uint32_t unitId = kind == kKindByWindow ? 0 : ref.unitId;
  SetBool(result, FindLive(ref.formId, unitId) != nullptr);
}

void DestroyWindowOrUnit(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  RequireLive(ref.formId, ref.unitId);
  WindowHost* host = Runtime().windowHost();
  if (host == nullptr) return;
  if (NamesWindow(ref)) {
    // Without the flag the window closes once the current event is done.
    host->closeWindow(ref.formId, a.integer(1) != 0);
    return;
  }
  host->destroyUnit(ref.formId, ref.unitId);
}

void MoveUnit(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  WindowHost* host = HostOfLive(ref);
  if (host == nullptr) return;
  const std::optional<UnitRect> current = host->unitRect(ref.formId, ref.unitId);
  if (!current) return;
  const UnitRect moved = MovedRect(*current, a.optionalInteger(1), a.optionalInteger(2),
                                   a.optionalInteger(3), a.optionalInteger(4));
  if (moved == *current) return;
  host->moveUnit(ref.formId, ref.unitId, moved);
}

void SetWindowShape(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  RequireLive(ref.formId, ref.unitId);
  WindowHost* host = Runtime().windowHost();
  std::optional<std::vector<std::uint8_t>> picture = PictureBytes(a.at(1));
  if (host == nullptr || !picture) return;
  const OptionalInt colour = a.optionalInteger(2);
  const auto transparent = static_cast<std::uint32_t>(colour.value_or(0xFFFFFF));
  const int percent = a.optionalInteger(3).value_or(100);
  SetBool(result, host->shapeWindowFromPicture(ref.formId, picture->data(), picture->size(), transparent, percent));
}

void PopupMenu(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef window = a.unit(0);
  const UnitRef menu = a.unit(1);
  RequireLive(window.formId, window.unitId);
  WindowHost* host = Runtime().windowHost();
  // Only a menu of the window's own form pops up.
  if (host == nullptr || menu.formId != window.formId) return;
  const OptionalInt x = a.optionalInteger(2), y = a.optionalInteger(3);
  host->popUpMenu(window.formId, menu.unitId, x ? &*x : nullptr, y ? &*y : nullptr);
}

// The second argument refers to the caller's unit-reference variable: its
// value is the variable's address, its tag the variable's type. The variable
// holds the form id and the unit id as two dwords, and receives the copy's.
void CopyUnit(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef source = a.unit(0);
  const ArgRecord variable = a.at(1);
  if (source.tag == kTagNone || variable.tag != source.tag) return;
  const auto* type = reinterpret_cast<const DataTypeInfo*>(CoreLibraryLink().request(kServiceTypeRecord, source.tag));
  if (type == nullptr || (type->stateFlags & kCopyableFlag) == 0 || (type->stateFlags & kNotCopyableFlag) != 0) return;
  void* slot = variable.asPointer();
  WindowHost* host = HostOfLive(source);
  if (slot == nullptr || host == nullptr) return;
  const std::uint32_t copy = host->copyUnit(source.formId, source.unitId);
  if (copy == 0) return;
  const std::uint32_t ids[2] = {source.formId, copy};
  std::memcpy(slot, ids, sizeof ids);
  SetBool(result, true);
}

// [items] ----------------------------------------------------------------------

namespace {

void AddItem(ArgRecord* result, std::int32_t argCount, ArgRecord* args, TypeTag type) {
  const CommandArgs a(argCount, args);
  SetInt(result, -1);
  const UnitRef ref = a.unit(0);
  WindowHost* host = HostOfLive(ref);
  if (host == nullptr) return;
  // Item data 0 when it is not given.
  SetInt(result, host->addListItem(ref.formId, ref.unitId, type, a.text(1),
                                   a.integer(2)));
}

}  // namespace

void AddComboItem(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  AddItem(result, argCount, args, unit_type::kComboBox);
}

void AddListItem(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  AddItem(result, argCount, args, unit_type::kListBox);
}

void GetListItemCount(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  WindowHost* host = HostOfLive(ref);
  if (host == nullptr) return;
  SetInt(result, host->listItemCount(ref.formId, ref.unitId, unit_type::kListBox));
}

void GetListItemText(ArgRecord* result, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  WindowHost* host = HostOfLive(ref);
  if (host == nullptr) return;
  const std::optional<std::string> text =
      host->listItemText(ref.formId, ref.unitId, unit_type::kListBox, a.integer(1));
  if (text) SetPointer(result, CopyText(*text));
}

// [panels] ---------------------------------------------------------------------

void ClearDrawPanel(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef ref = a.unit(0);
  WindowHost* host = HostOfLive(ref);
  if (host == nullptr) return;
  const std::optional<UnitRect> client = host->drawPanelClient(ref.formId, ref.unitId);
  if (!client) return;
  const UnitRect area = ClearArea(client->width, client->height, a.optionalInteger(1),
                                  a.optionalInteger(2), a.optionalInteger(3),
                                  a.optionalInteger(4));
  host->clearDrawPanel(ref.formId, ref.unitId, area);
}

// Arguments after the sixth are the colours.
void FillGradientRect(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  constexpr std::int32_t kFirstColour = 6;
  const UnitRef ref = a.unit(0);
  WindowHost* host = HostOfLive(ref);
  if (host == nullptr) return;
  const std::optional<UnitRect> client = host->drawPanelClient(ref.formId, ref.unitId);
  const UnitRect area{a.integer(1), a.integer(2), a.integer(3), a.integer(4)};
  if (!client || area.width < 1 || area.height < 1 || !Overlaps(area, *client)) return;
  std::vector<std::uint32_t> colours;
  for (std::int32_t i = kFirstColour; i < a.count(); ++i) {
    if (a.given(i)) colours.push_back(static_cast<std::uint32_t>(a.integer(i)));
  }
  if (colours.size() < 2) return;
  host->fillDrawPanelGradient(ref.formId, ref.unitId, area, GradientMode(a.optionalInteger(5)), colours);
}

void CopyDrawPanelArea(ArgRecord*, std::int32_t argCount, ArgRecord* args) {
  const CommandArgs a(argCount, args);
  const UnitRef source = a.unit(0);
  WindowHost* host = HostOfLive(source);
  if (host == nullptr) return;
  const std::optional<UnitRect> client = host->drawPanelClient(source.formId, source.unitId);
  if (!client) return;
  const UnitRect area{a.optionalInteger(1).value_or(0), a.optionalInteger(2).value_or(0),
                      a.optionalInteger(3).value_or(client->width),
                      a.optionalInteger(4).value_or(client->height)};
  UnitRef target = source;
  if (a.given(5)) {
    target = a.unit(5);
    RequireLive(target.formId, target.unitId);
  }
  if (area.width <= 0 || area.height <= 0 || !Overlaps(area, *client)) return;
  host->copyDrawPanelArea(source.formId, source.unitId, area, target.formId, target.unitId,
                          a.optionalInteger(6).value_or(0), a.optionalInteger(7).value_or(0),
                          static_cast<std::int32_t>(CopyModeOf(a.optionalInteger(8))));
}

}  // namespace horavia::runtime::commands
