// Index
//   [arguments]  reading optional arguments and resolving unit references
//   [commands]   the seven commands
#include "ui/cartoon/box_commands.h"

#include <QWidget>
#include <string>

#include "runtime/library_links.h"
#include "runtime/messages.h"
#include "ui/cartoon/cartoon_box_unit.h"
#include "ui/cartoon/cartoon_object_unit.h"

namespace horavia::ui {

using runtime::ArgRecord;

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
Unit* Require(const ArgRecord* args, std::int32_t count, std::int32_t at) {
  if (at >= count) UnitMissing();
  void* live = reinterpret_cast<void*>(Link().request(runtime::kServiceFindUnitOrFail, args[at].low, args[at].high));
  auto* unit = dynamic_cast<Unit*>(static_cast<QWidget*>(live));
  if (unit == nullptr) UnitMissing();
  return unit;
}

anim::CartoonBox& RequireBox(const ArgRecord* args, std::int32_t count) {
  return Require<CartoonBoxUnit>(args, count, 0)->box();
}

bool Given(const ArgRecord* args, std::int32_t count, std::int32_t at) { return at < count && !args[at].omitted(); }

// A numeric argument as a 32-bit integer (the runtime converts any numeric
// kind); `fallback` when it was left out.
std::int32_t Int(const ArgRecord* args, std::int32_t count, std::int32_t at, std::int32_t fallback = 0) {
  if (!Given(args, count, at)) return fallback;
  ArgRecord copy = args[at];
  return static_cast<std::int32_t>(Link().request(runtime::kServiceToInt32, reinterpret_cast<std::intptr_t>(&copy)));
}

bool Bool(const ArgRecord* args, std::int32_t count, std::int32_t at, bool fallback) {
  if (!Given(args, count, at)) return fallback;
  if (args[at].tag == runtime::kTagBool) return args[at].low != 0;
  return Int(args, count, at) != 0;
}

std::string Text(const ArgRecord* args, std::int32_t count, std::int32_t at) {
  if (!Given(args, count, at) || args[at].tag != runtime::kTagText || args[at].asText() == nullptr) return {};
  return args[at].asText();
}

std::span<const std::uint8_t> ByteSet(const ArgRecord* args, std::int32_t count, std::int32_t at) {
  if (!Given(args, count, at) || args[at].tag != runtime::kTagByteSet) return {};
  const runtime::ByteSetView bytes = runtime::ByteSetBytes(args[at].asPointer());
  return {bytes.data, bytes.size};
}

}  // namespace

// [commands] -------------------------------------------------------------------

void SetObjectAngle(ArgRecord*, std::int32_t count, ArgRecord* args) {
  anim::CartoonBox& box = RequireBox(args, count);
  box.setAngle(Int(args, count, 1), Int(args, count, 2));
}

void StartAutoRotate(ArgRecord*, std::int32_t count, ArgRecord* args) {
  anim::CartoonBox& box = RequireBox(args, count);
  box.startRotation(Int(args, count, 1), Int(args, count, 2), Int(args, count, 3), Int(args, count, 4),
                    Int(args, count, 5));
}

void CreateObject(ArgRecord* result, std::int32_t count, ArgRecord* args) {
  anim::CartoonBox& box = RequireBox(args, count);
  const anim::ObjectTemplate* from = nullptr;
  if (Given(args, count, 1)) from = &Require<CartoonObjectUnit>(args, count, 1)->objectTemplate();
  const std::int32_t id = box.createObject(from, Int(args, count, 2), Int(args, count, 3), Bool(args, count, 4, true),
                                           Text(args, count, 5));
  result->low = static_cast<std::uint32_t>(id);
}

void SetObjectVisible(ArgRecord*, std::int32_t count, ArgRecord* args) {
  anim::CartoonBox& box = RequireBox(args, count);
  box.setVisible(Int(args, count, 1), Bool(args, count, 2, true));
}

void SetObjectPicture(ArgRecord*, std::int32_t count, ArgRecord* args) {
  anim::CartoonBox& box = RequireBox(args, count);
  box.setPicture(Int(args, count, 1), ByteSet(args, count, 2), Int(args, count, 3, anim::kPictureNoKey));
}

// The box is looked up again for every id: a handler of event 10 may have
// closed it, and then the next id meets the fatal error.
void DestroyObjects(ArgRecord*, std::int32_t count, ArgRecord* args) {
  RequireBox(args, count);
  for (std::int32_t at = 1; at < count; ++at) {
    const std::int32_t id = Int(args, count, at);
    RequireBox(args, count).destroy(id);
  }
}

void ObjectExists(ArgRecord* result, std::int32_t count, ArgRecord* args) {
  anim::CartoonBox& box = RequireBox(args, count);
  result->low = box.find(Int(args, count, 1)) != nullptr ? 1 : 0;
}

}  // namespace horavia::ui
