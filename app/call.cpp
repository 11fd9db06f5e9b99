#include "app/call.h"

#include <vector>

#include "runtime/entry.h"
#include "runtime/libraries/library_records.h"

namespace horavia::app {
namespace {

using runtime::Entries;

// The commands whose result is a text or byte-set the runtime handed out
// (the receiver frees it); every other command returns a plain value or
// nothing.
bool ReturnsBlock(CoreCommand c) {
  switch (c) {
    case CoreCommand::ToText:
    case CoreCommand::GetProgramDirectory:
    case CoreCommand::RightText:
    case CoreCommand::SetLibraryDirectory:
    case CoreCommand::ReadIniValue:
    case CoreCommand::CharFromCode:
    case CoreCommand::ToByteSet:
    case CoreCommand::ToUpperCase:
    case CoreCommand::Spaces:
    case CoreCommand::ReadFileBytes:
    case CoreCommand::GetProgramFileName:
    case CoreCommand::GetListItemText:
    case CoreCommand::ZeroByteSet:
    case CoreCommand::LeftBytes:
    case CoreCommand::ReadRegistryText:
    case CoreCommand::TextAtAddress: return true;
    default: return false;
  }
}

Returned Run(int library, std::int32_t number, std::initializer_list<ArgRecord> args, bool owned) {
  const runtime::LibraryInfo* info = runtime::RuntimeLibraries()[library - 1];
  runtime::CommandFunction command = info->commands[number];
  std::vector<ArgRecord> records(args);
  const auto count = static_cast<std::int32_t>(records.size());
  ArgRecord result = library == runtime::kCoreLibrary
                         ? Entries().callCoreCommand(command, count, records.data())
                         : Entries().callLibraryCommand(command, count, records.data());
  return Returned(result, owned);
}

}  // namespace

Returned::~Returned() {
  if (owned_) Entries().free(record_.asPointer());
}

std::string Returned::text() const { return TextOf(record_.asText()); }

char* Returned::takeText() {
  owned_ = false;
  return static_cast<char*>(record_.asPointer());
}

Returned Call(CoreCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kCoreLibrary, static_cast<std::int32_t>(command), args, ReturnsBlock(command));
}

Returned Call(BoxCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kExtendedInterfaceLibrary, static_cast<std::int32_t>(command), args, false);
}

Returned Call(SpecialCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kSpecialFunctionsLibrary, static_cast<std::int32_t>(command), args, false);
}

Returned Call(SystemCommand command, std::initializer_list<ArgRecord> args) {
  // GetSpecialFolder hands out a text.
  bool owned = command == SystemCommand::GetSpecialFolder;
  return Run(runtime::kSystemInterfaceLibrary, static_cast<std::int32_t>(command), args, owned);
}

std::int64_t Read(const UnitRef& unit, std::int32_t property) {
  return static_cast<std::int64_t>(Entries().readUnitProperty(unit.formId, unit.unitId, property, -1));
}

void Write(const UnitRef& unit, std::int32_t property, std::int64_t value) {
  auto v = static_cast<std::uint64_t>(value);
  Entries().writeUnitProperty(unit.formId, unit.unitId, property, -1, static_cast<std::uint32_t>(v),
                              static_cast<std::uint32_t>(v >> 32));
}

void WritePointer(const UnitRef& unit, std::int32_t property, const void* block) {
  ArgRecord r = ArgRecord::Pointer(block, runtime::kTagByteSet);
  Entries().writeUnitProperty(unit.formId, unit.unitId, property, -1, r.low, r.high);
}

PropertyBytes::PropertyBytes(const UnitRef& unit, std::int32_t property)
    : block_(reinterpret_cast<void*>(static_cast<std::uintptr_t>(Read(unit, property)))) {}

PropertyBytes::~PropertyBytes() { FreeBlock(block_); }

char* NewText(const std::string& text) { return runtime::CopyText(std::string_view(text)); }

void FreeBlock(void* block) { Entries().free(block); }

}  // namespace horavia::app
