// Index
//   [units]    unit record fields, lookups, the menu run, the handler fix-up
//   [reading]  form block -> forms, every count and offset checked first
//   [writing]  forms -> form block, the exact inverse of reading
//   [table]    FormTable
#include "ui/forms/form_table.h"

#include <algorithm>
#include <utility>

namespace horavia::ui {

// [units] ---------------------------------------------------------------------

std::int32_t Unit::mousePointerKind() const {
  if (mousePointer.empty()) return 0;
  if (mousePointer.size() < 4) return mousePointer[0];
  base::ByteReader in(mousePointer);
  return in.i32();
}

const EventBinding* Unit::findBinding(std::int32_t event) const {
  for (const EventBinding& binding : events) {
    if (binding.event == event) return &binding;
  }
  return nullptr;
}

namespace {

template <class Table>
std::optional<std::size_t> indexOfUnit(Table& units, std::uint32_t unitId) {
  if (!isValidId(unitId)) return std::nullopt;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i].id == unitId) return i;
  }
  return std::nullopt;
}

}  // namespace

std::optional<UnitLookup> findUnit(UnitTable& units, std::uint32_t unitId) {
  const std::optional<std::size_t> index = indexOfUnit(units, unitId);
  if (!index) return std::nullopt;
  return UnitLookup{&units[*index], *index, units[*index].type};
}

std::optional<ConstUnitLookup> findUnit(const UnitTable& units, std::uint32_t unitId) {
  const std::optional<std::size_t> index = indexOfUnit(units, unitId);
  if (!index) return std::nullopt;
  return ConstUnitLookup{&units[*index], *index, units[*index].type};
}

std::optional<ConstUnitLookup> findEventSource(const UnitTable& units, std::uint32_t unitId) {
  if (unitId != 0) return findUnit(units, unitId);
  if (units.empty()) return std::nullopt;
  return ConstUnitLookup{&units[0], 0, units[0].type};
}

MenuRun firstMenuRun(const UnitTable& units) {
  const auto first = std::find_if(units.begin(), units.end(), [](const Unit& u) { return u.isMenuItem(); });
  if (first == units.end()) return {};
  const auto end = std::find_if(first, units.end(), [](const Unit& u) { return !u.isMenuItem(); });
  return {static_cast<std::size_t>(first - units.begin()), static_cast<std::size_t>(end - first)};
}

FixedHandler fixHandler(std::int32_t offset, std::uintptr_t codeBase) {
  if (offset == kNoHandler) return {};
  // Two's-complement wrap: the offset is signed, the address unsigned.
  return {codeBase + static_cast<std::uintptr_t>(static_cast<std::intptr_t>(offset)), true};
}

void applyHandlerFixup(UnitTable& units, std::uintptr_t codeBase) {
  for (Unit& unit : units) {
    if (unit.isMenuItem()) {
      unit.menu.handler = fixHandler(unit.menu.handlerOffset, codeBase);
      continue;
    }
    for (EventBinding& binding : unit.events) binding.handler = fixHandler(binding.handlerOffset, codeBase);
  }
}

// [reading] -------------------------------------------------------------------

namespace {

// Bytes of a menu item's run-time slots, and of the reserved run after a
// unit's event bindings.
constexpr std::size_t kMenuSlotBytes = 16;
constexpr std::size_t kReservedAfterEvents = 20;

bool readMenuItemFields(base::ByteReader& in, Unit& unit) {
  unit.menu.shortcut = in.u32();
  unit.menu.level = in.u32();
  unit.menu.flags = in.u32();
  unit.menu.caption = in.zString();
  unit.menu.handlerOffset = in.i32();
  in.skip(kMenuSlotBytes);  // run-time slots, zero in storage
  return in.ok();
}

// Reads `count` dwords after checking that the bytes hold them, so a huge
// count fails at once instead of looping.
bool readDwords(base::ByteReader& in, std::uint32_t count, std::vector<std::uint32_t>& out) {
  if (count > in.remaining() / 4) return false;
  out.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) out.push_back(in.u32());
  return in.ok();
}

bool readEvents(base::ByteReader& in, Unit& unit) {
  const std::uint32_t count = in.u32();
  if (!in.ok() || count > in.remaining() / 8) return false;
  unit.events.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    EventBinding binding;
    binding.event = in.i32();
    binding.handlerOffset = in.i32();
    unit.events.push_back(binding);
  }
  return in.ok();
}

bool readPlacedUnitFields(base::ByteReader& in, Unit& unit) {
  in.skip(4);  // window slot, zero in storage
  unit.left = in.i32();
  unit.top = in.i32();
  unit.width = in.i32();
  unit.height = in.i32();
  in.skip(4);  // cursor slot, zero in storage
  unit.parent = in.u32();
  const std::uint32_t childCount = in.u32();
  if (!in.ok() || !readDwords(in, childCount, unit.children)) return false;
  unit.mousePointer = in.countedBlock();
  unit.tag = in.zString();
  unit.reservedBeforeFlags = in.u32();
  unit.flags = in.u32();
  unit.tabOrder = in.i32();
  if (!in.ok() || !readEvents(in, unit)) return false;
  std::span<const std::uint8_t> reserved = in.take(kReservedAfterEvents);
  if (!in.ok()) return false;
  std::copy(reserved.begin(), reserved.end(), unit.reservedAfterEvents.begin());
  return true;
}

std::optional<Unit> parseUnitRecord(std::span<const std::uint8_t> record, std::uint32_t id) {
  base::ByteReader in(record);
  Unit unit;
  unit.id = id;
  unit.type = in.u32();
  unit.eventSourceLink = in.u32();
  for (std::uint32_t& word : unit.reserved) word = in.u32();
  unit.name = in.zString();
  unit.remark = in.zString();
  if (!in.ok()) return std::nullopt;
  const bool fieldsRead = unit.isMenuItem() ? readMenuItemFields(in, unit) : readPlacedUnitFields(in, unit);
  if (!fieldsRead) return std::nullopt;
  std::span<const std::uint8_t> typeData = in.rest();
  unit.typeData.assign(typeData.begin(), typeData.end());
  return unit;
}

struct RecordSpan {
  std::size_t start = 0;  // of the length dword, within the unit table
  std::size_t end = 0;    // one past the record's last byte
};

// The records of a table may lie in any order, but no two may share a byte:
// otherwise one large record named n times would cost n copies.
bool recordsAreDisjoint(std::vector<RecordSpan> spans) {
  std::sort(spans.begin(), spans.end(), [](const RecordSpan& a, const RecordSpan& b) { return a.start < b.start; });
  for (std::size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].start < spans[i - 1].end) return false;
  }
  return true;
}

bool parseUnitTable(std::span<const std::uint8_t> table, std::uint32_t count, UnitTable& units) {
  base::ByteReader in(table);
  std::vector<std::uint32_t> ids, offsets;
  if (!readDwords(in, count, ids) || !readDwords(in, count, offsets)) return false;
  const std::size_t base = in.position();  // 8 × count

  std::vector<RecordSpan> spans;
  spans.reserve(count);
  for (std::uint32_t offset : offsets) {
    if (offset > table.size() - base || table.size() - base - offset < 4) return false;
    const std::size_t start = base + offset;
    base::ByteReader lengthReader(table.subspan(start, 4));
    const std::uint32_t length = lengthReader.u32();
    if (length > table.size() - start - 4) return false;
    spans.push_back({start, start + 4 + length});
  }
  if (!recordsAreDisjoint(spans)) return false;

  units.reserve(count);
  for (std::size_t i = 0; i < spans.size(); ++i) {
    std::span<const std::uint8_t> record = table.subspan(spans[i].start + 4, spans[i].end - spans[i].start - 4);
    std::optional<Unit> unit = parseUnitRecord(record, ids[i]);
    if (!unit) return false;
    units.push_back(std::move(*unit));
  }
  return true;
}

std::optional<Form> parseForm(base::ByteReader& in, std::uint32_t id) {
  Form form;
  form.id = id;
  form.reservedA = in.u32();
  form.reservedB = in.u32();
  form.firstText = in.countedString();
  form.secondText = in.countedString();
  const std::uint32_t unitCount = in.u32();
  std::span<const std::uint8_t> table = in.countedSpan();
  if (!in.ok()) return std::nullopt;
  if (!parseUnitTable(table, unitCount, form.units)) return std::nullopt;
  return form;
}

}  // namespace

std::optional<std::vector<Form>> parseFormBlock(std::span<const std::uint8_t> block) {
  base::ByteReader in(block);
  const std::uint32_t indexLength = in.u32();
  if (!in.ok() || indexLength % 8 != 0 || indexLength > in.remaining()) return std::nullopt;
  const std::uint32_t formCount = indexLength / 8;
  std::vector<std::uint32_t> ids;
  if (!readDwords(in, formCount, ids)) return std::nullopt;
  in.skip(4u * formCount);  // the loader's own pointers, ignored

  std::vector<Form> forms;
  for (std::uint32_t id : ids) {
    std::optional<Form> form = parseForm(in, id);
    if (!form) return std::nullopt;
    forms.push_back(std::move(*form));
  }
  return forms;
}

// [writing] -------------------------------------------------------------------

Bytes writeUnitRecord(const Unit& unit) {
  base::ByteWriter out;
  out.u32(unit.type);
  out.u32(unit.eventSourceLink);
  for (std::uint32_t word : unit.reserved) out.u32(word);
  out.zString(unit.name);
  out.zString(unit.remark);
  if (unit.isMenuItem()) {
    out.u32(unit.menu.shortcut);
    out.u32(unit.menu.level);
    out.u32(unit.menu.flags);
    out.zString(unit.menu.caption);
    out.i32(unit.menu.handlerOffset);
    out.zeros(kMenuSlotBytes);
    out.raw(unit.typeData);
    return out.take();
  }
  out.u32(0);  // window slot
  out.i32(unit.left);
  out.i32(unit.top);
  out.i32(unit.width);
  out.i32(unit.height);
  out.u32(0);  // cursor slot
  out.u32(unit.parent);
  out.u32(static_cast<std::uint32_t>(unit.children.size()));
  for (std::uint32_t child : unit.children) out.u32(child);
  out.countedBlock(unit.mousePointer);
  out.zString(unit.tag);
  out.u32(unit.reservedBeforeFlags);
  out.u32(unit.flags);
  out.i32(unit.tabOrder);
  out.u32(static_cast<std::uint32_t>(unit.events.size()));
  for (const EventBinding& binding : unit.events) {
    out.i32(binding.event);
    out.i32(binding.handlerOffset);
  }
  out.raw(unit.reservedAfterEvents);
  out.raw(unit.typeData);
  return out.take();
}

namespace {

Bytes writeUnitTable(const UnitTable& units) {
  base::ByteWriter out;
  for (const Unit& unit : units) out.u32(unit.id);
  const std::size_t offsetsAt = out.size();
  out.zeros(4 * units.size());
  const std::size_t base = out.size();
  for (std::size_t i = 0; i < units.size(); ++i) {
    out.patchU32(offsetsAt + 4 * i, static_cast<std::uint32_t>(out.size() - base));
    out.countedBlock(writeUnitRecord(units[i]));
  }
  return out.take();
}

}  // namespace

Bytes writeFormBlock(std::span<const Form> forms) {
  base::ByteWriter out;
  out.u32(static_cast<std::uint32_t>(8 * forms.size()));
  for (const Form& form : forms) out.u32(form.id);
  out.zeros(4 * forms.size());
  for (const Form& form : forms) {
    out.u32(form.reservedA);
    out.u32(form.reservedB);
    out.countedString(form.firstText);
    out.countedString(form.secondText);
    out.u32(static_cast<std::uint32_t>(form.units.size()));
    out.countedBlock(writeUnitTable(form.units));
  }
  return out.take();
}

// [table] ---------------------------------------------------------------------

bool FormTable::loadFormBlock(std::span<const std::uint8_t> block, std::uintptr_t codeBase) {
  forms_.clear();
  std::optional<std::vector<Form>> forms = parseFormBlock(block);
  if (!forms) return false;
  for (Form& form : *forms) applyHandlerFixup(form.units, codeBase);
  forms_ = std::move(*forms);
  return true;
}

Form* FormTable::findForm(std::uint32_t formId) {
  return const_cast<Form*>(std::as_const(*this).findForm(formId));
}

const Form* FormTable::findForm(std::uint32_t formId) const {
  if (!isValidId(formId)) return nullptr;
  for (const Form& form : forms_) {
    if (form.id == formId) return &form;
  }
  return nullptr;
}

}  // namespace horavia::ui
