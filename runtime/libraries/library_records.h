// The five runtime libraries: their stored records, type tables, command
// tables and notify routines.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/library_types.h"

namespace horavia::runtime {

// The library table, in library-number order (core first).
const LibraryInfo* const* RuntimeLibraries();

// Unit types are implemented above the runtime (the window engine, the
// animation box). Each installs its interface function and property table
// into its type record once, before the first window loads.
void InstallUnitType(TypeTag tag, UnitInterfaceFunction interface, const PropertyInfo* properties = nullptr);

// A type of its own in a slot that the stored tables leave empty (tests give
// their unit types a slot this way, beside the real ones); an all-zero record
// empties the slot again. A slot the stored tables fill is left alone.
void DefineUnitType(TypeTag tag, const DataTypeInfo& type);

// Commands implemented above the runtime (the window and unit commands, the
// animation box's commands) are installed the same way, into slot `index`
// of library `library` (1-based library number). Numbers outside the
// library's table are ignored.
void InstallCommand(int library, int index, CommandFunction function);

// What a command hands back, as its library's command table records it: the
// type of its result (kTagNone: nothing; a heap block, IsHeapBlock, is the
// caller's to free) and whether it acts on live windows.
struct CommandResult {
  TypeTag type = kTagNone;
  bool actsOnWindows = false;
};
// Command `index` of library `library` (1-based); nothing for a slot without
// a command.
std::optional<CommandResult> ResultOfCommand(int library, std::int32_t index);

// Stored state flags of the unit types.
inline constexpr std::uint32_t kFlagsWindow = 0x800000D0;
inline constexpr std::uint32_t kFlagsMenu = 0x80000004;
inline constexpr std::uint32_t kFlagsEditBox = 0x80000040;
inline constexpr std::uint32_t kFlagsPicBox = 0x840100C0;
inline constexpr std::uint32_t kFlagsDrawPanel = 0x800200C0;
inline constexpr std::uint32_t kFlagsLabel = 0x84012040;
inline constexpr std::uint32_t kFlagsButton = 0x80000840;
inline constexpr std::uint32_t kFlagsCheckBox = 0x80001040;
inline constexpr std::uint32_t kFlagsComboBox = 0x80000240;
inline constexpr std::uint32_t kFlagsListBox = 0x80000040;
inline constexpr std::uint32_t kFlagsSliderBar = 0x80000040;
inline constexpr std::uint32_t kFlagsObject = 0x80000000;
inline constexpr std::uint32_t kFlagsCartoonBox = 0x04000040;
inline constexpr std::uint32_t kFlagsCartoonObject = 0x00008040;

}  // namespace horavia::runtime
