// The five runtime libraries: their stored records, type tables, command
// tables and notify routines.
#pragma once

#include "runtime/library_types.h"

namespace horavia::runtime {

// The library table, in library-number order (core first).
const LibraryInfo* const* RuntimeLibraries();

// Unit types are implemented above the runtime (the window engine, the
// animation box). Each installs its interface function and property table
// into its type record once, before the first window loads.
void InstallUnitType(TypeTag tag, UnitInterfaceFunction interface, const PropertyInfo* properties = nullptr);

// Commands implemented above the runtime (the animation box's commands) are
// installed the same way, into slot `index`
// of library `library` (1-based library number). Numbers outside the
// library's table are ignored.
void InstallCommand(int library, int index, CommandFunction function);

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
