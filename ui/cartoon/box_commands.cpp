// Index
//   [arguments]  resolving unit references (arguments are read with the
//                commands' one reader, runtime/commands/command_args.h)
//   [commands]   the eight commands
#include "ui/cartoon/box_commands.h"

#include <QWidget>
#include <string>

#include "runtime/commands/command_args.h"
#include "runtime/library_links.h"
#include "runtime/messages.h"
#include "ui/cartoon/cartoon_box_unit.h"
#include "ui/cartoon/cartoon_object_unit.h"

namespace horavia::ui {

using runtime::ArgRecord;
using runtime::commands::CommandArgs;

namespace {

// [arguments] ------------------------------------------------------------------

runtime::LibraryLink& Link() { return runtime::ExtendedInterfaceLibraryLink(); }

[[noreturn]] void UnitMissing() {
  Link().request(runtime::kServiceFatalText, reinterpret_cast<std::intptr_t>(runtime::messages::kConstants.UnitMissing));
  std::abort();  // the fatal request does not return
}

// The live unit a reference names, of the expected kind; anything else
// (no such unit, not loaded, another type) is the fatal "unit missing".
template <class Unit>
Unit* Require(const CommandArgs& a, std::int32_t at) {
  if (at >= a.count()) UnitMissing();
  const runtime::UnitRef ref = a.unit(at);
  void* live = reinterpret_cast<void*>(Link().request(runtime::kServiceFindUnitOrFail, ref.formId, ref.unitId));
  auto* unit = dynamic_cast<Unit*>(static_cast<QWidget*>(live));
  if (unit == nullptr) UnitMissing();
  return unit;
}

anim::CartoonBox& RequireBox(const CommandArgs& a) { return Require<CartoonBoxUnit>(a, 0)->box(); }

std::span<const std::uint8_t> Bytes(const CommandArgs& a, std::int32_t at) {
  const runtime::ByteSetView bytes = a.byteSet(at);
  return {bytes.data, bytes.size};
}

}  // namespace

// [commands] -------------------------------------------------------------------

void SetObjectAngle(ArgRecord*, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  RequireBox(a).setAngle(a.integer(1), a.integer(2));
}

void StartAutoRotate(ArgRecord*, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  RequireBox(a).startRotation(a.integer(1), a.integer(2), a.integer(3), a.integer(4), a.integer(5));
}

void CreateObject(ArgRecord* result, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  anim::CartoonBox& box = RequireBox(a);
  const anim::ObjectTemplate* from = nullptr;
  if (a.given(1)) from = &Require<CartoonObjectUnit>(a, 1)->objectTemplate();
  const std::int32_t id = box.createObject(from, a.integer(2), a.integer(3), a.boolean(4, true), a.text(5));
  result->low = static_cast<std::uint32_t>(id);
}

void SetObjectVisible(ArgRecord*, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  RequireBox(a).setVisible(a.integer(1), a.boolean(2, true));
}

void SetObjectPicture(ArgRecord*, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  RequireBox(a).setPicture(a.integer(1), Bytes(a, 2), a.optionalInteger(3).value_or(anim::kPictureNoKey));
}

// The box is looked up again for every id: a handler of event 10 may have
// closed it, and then the next id meets the fatal error.
void DestroyObjects(ArgRecord*, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  RequireBox(a);
  for (std::int32_t at = 1; at < a.count(); ++at) {
    const std::int32_t id = a.integer(at);
    RequireBox(a).destroy(id);
  }
}

void ObjectExists(ArgRecord* result, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  result->low = RequireBox(a).find(a.integer(1)) != nullptr ? 1 : 0;
}

void SetPictureScale(ArgRecord*, std::int32_t count, ArgRecord* args) {
  const CommandArgs a(count, args);
  RequireBox(a).setPictureScale(a.integer(1));
}

}  // namespace horavia::ui
