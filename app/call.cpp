#include "app/call.h"

#include <vector>

#include "runtime/entry.h"
#include "runtime/libraries/library_records.h"

namespace horavia::app {
namespace {

using runtime::Entries;

// What the command table records of the command's result decides what the
// caller frees: the result record carries that type, so that freeing it
// frees what it owns.
template <class Command>
Returned Run(int library, Command command, std::initializer_list<ArgRecord> args) {
  const auto number = static_cast<std::int32_t>(command);
  const runtime::LibraryInfo* info = runtime::RuntimeLibraries()[library - 1];
  runtime::CommandFunction function = info->commands[number];
  std::vector<ArgRecord> records(args);
  const auto count = static_cast<std::int32_t>(records.size());
  ArgRecord result = library == runtime::kCoreLibrary
                         ? Entries().callCoreCommand(function, count, records.data())
                         : Entries().callLibraryCommand(function, count, records.data());
  result.tag = runtime::ResultOfCommand(library, number).value_or(runtime::CommandResult{}).type;
  return Returned(result, runtime::IsHeapBlock(result.tag));
}

}  // namespace

Returned::~Returned() {
  if (owned_) runtime::FreeCommandResult(record_, record_.tag);
}

std::string Returned::text() const { return TextOf(record_.asText()); }

char* Returned::takeText() {
  owned_ = false;
  return static_cast<char*>(record_.asPointer());
}

Returned Call(CoreCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kCoreLibrary, command, args);
}

Returned Call(BoxCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kExtendedInterfaceLibrary, command, args);
}

Returned Call(SpecialCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kSpecialFunctionsLibrary, command, args);
}

Returned Call(SystemCommand command, std::initializer_list<ArgRecord> args) {
  return Run(runtime::kSystemInterfaceLibrary, command, args);
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
