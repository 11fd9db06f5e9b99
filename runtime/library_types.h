// The stored records that describe the runtime's libraries, and the calling
// conventions between libraries and the runtime.
#pragma once

#include <cstdint>

#include "runtime/values.h"

namespace horavia::runtime {

// A command: fills *result from argCount records at args. The result record is
// zeroed by the caller.
using CommandFunction = void (*)(ArgRecord* result, std::int32_t argCount, ArgRecord* args);

// The runtime's service routine that every library receives with notify code
// 1: (request code, value 1, value 2) -> result. Values are pointer-sized so a
// pointer fits on any host.
using ServiceRoutine = std::intptr_t (*)(std::int32_t code, std::intptr_t value1, std::intptr_t value2);

// A library's notify routine: (code, value 1, value 2) -> result, -1 = not handled.
using NotifyRoutine = std::intptr_t (*)(std::int32_t code, std::intptr_t value1, std::intptr_t value2);

// A unit type's interface function: query number -> the type's function for it
// (cast to the query's signature), or null.
using UnitInterfaceFunction = void* (*)(std::int32_t query);

// One property of a unit type: its names and its kind code (1000-1024).
struct PropertyInfo {
  const char* name = nullptr;         // code page 936
  const char* englishName = nullptr;
  std::int32_t kind = 0;
};

// Bits of a type's state flags, as the window engine and the runtime read
// them.
namespace type_flags {
inline constexpr std::uint32_t kRaisesEvents = 0x00000004;     // with kRaisesEventsToo: may raise events
inline constexpr std::uint32_t kRaisesEventsToo = 0x00000040;
inline constexpr std::uint32_t kMovesChildren = 0x00000080;    // a re-created unit takes its children along
inline constexpr std::uint32_t kContainer = 0x00000200;        // messages for descendants count as its own
inline constexpr std::uint32_t kContainerToo = 0x00200000;
inline constexpr std::uint32_t kDefaultButton = 0x00000800;    // may act as the default button on Enter
inline constexpr std::uint32_t kCheckBox = 0x00001000;         // its mnemonic toggles it
inline constexpr std::uint32_t kLabelLike = 0x00002000;        // its mnemonic moves the focus on
inline constexpr std::uint32_t kHasCaption = 0x00007C00;       // has a caption with a mnemonic
inline constexpr std::uint32_t kNotAWindow = 0x00008000;       // never created visible, never styled
inline constexpr std::uint32_t kNotCopyable = 0x00000100;      // a copy command refuses it
inline constexpr std::uint32_t kDragsWindow = 0x04000000;      // a left press on it drags the window
}  // namespace type_flags

// 14 fields, in stored order.
struct DataTypeInfo {
  const char* name = nullptr;         // e.g. "窗口", code page 936
  const char* englishName = nullptr;  // e.g. "window"
  const char* description = nullptr;
  std::int32_t methodCount = 0;
  const void* methodIndexTable = nullptr;
  std::uint32_t stateFlags = 0;
  std::int32_t eventCount = 0;
  const void* eventTable = nullptr;
  std::int32_t reserved = 0;
  std::int32_t propertyCount = 0;
  const PropertyInfo* properties = nullptr;
  UnitInterfaceFunction interface = nullptr;
  std::int32_t elementCount = 0;
  const void* elementTable = nullptr;
};

// 36 fields, in stored order; addresses are pointer-sized.
struct LibraryInfo {
  std::uint32_t formatTag = 0x01312D65;
  const char* identifier = nullptr;  // 32 hexadecimal digits
  std::int32_t majorVersion = 0;
  std::int32_t minorVersion = 0;
  std::int32_t buildNumber = 0;
  std::int32_t requiredRuntimeMajor = 0;
  std::int32_t requiredRuntimeMinor = 0;
  std::int32_t requiredCoreMajor = 0;
  std::int32_t requiredCoreMinor = 0;
  const char* displayName = nullptr;
  std::int32_t languageCode = 1;
  const char* description = nullptr;
  std::uint32_t stateFlags = 0;
  const char* makerTexts[8] = {};
  std::int32_t dataTypeCount = 0;
  const DataTypeInfo* dataTypes = nullptr;
  std::int32_t categoryCount = 0;
  const char* const* categoryTexts = nullptr;
  std::int32_t commandCount = 0;
  const void* commandDescriptions = nullptr;
  const CommandFunction* commands = nullptr;
  std::int32_t constantCount = 0;
  const void* constantTable = nullptr;
  NotifyRoutine notify = nullptr;
  std::intptr_t further[5] = {};
};

// Library numbers, 1-based positions in the library table.
inline constexpr int kCoreLibrary = 1;
inline constexpr int kExtendedInterfaceLibrary = 2;
inline constexpr int kSpecialFunctionsLibrary = 3;
inline constexpr int kSystemInterfaceLibrary = 4;
inline constexpr int kDataOperationsLibrary = 5;
inline constexpr int kLibraryCount = 5;

// Notify codes.
inline constexpr std::int32_t kNotifyStart = 1;     // value 1: the service routine
inline constexpr std::int32_t kNotifyShutdown = 6;  // value 1: the library's state word

}  // namespace horavia::runtime
