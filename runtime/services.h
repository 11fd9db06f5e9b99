// The numbered requests that libraries send to the runtime through the
// service routine they received at start-up.
#pragma once

#include <cstdint>

#include "runtime/library_types.h"

namespace horavia::runtime {

enum ServiceRequest : std::int32_t {
  kServiceDefaultIcons = 1000,     // v1: pointer to two words (large, small icon)
  kServiceLoadedForms = 1001,      // -> the loaded-forms collection
  kServiceTypeRecord = 1002,       // v1: tag -> DataTypeInfo* or null
  kServicePictureToBitmap = 1003,  // v1: bytes, v2: size -> bitmap or null
  kServiceUnitDestroyed = 2000,    // v1: form id, v2: unit id (0 = window)
  kServiceToInt32 = 2001,          // v1: ArgRecord* -> int32
  kServiceProgramDirectory = 2003, // -> new text, no trailing backslash
  kServiceProgramFileName = 2004,  // -> new text
  kServiceLoadWindow = 2005,       // v1: LoadWindowRequest* -> 0 / -1
  kServiceFindUnit = 2006,         // v1: form id, v2: unit id (0 = window) -> object or null
  kServiceFindUnitOrFail = 2007,   // as 2006, missing is fatal
  kServiceRaiseEvent = 2008,       // v1: PlainEventRecord* -> 1 handled / 0
  kServiceBlockEvents = 2009,      // pump, then counter + 1
  kServiceUnblockEvents = 2010,    // pump, then counter - 1 (not below 0)
  kServicePumpMessages = 2018,     // pump pending messages, never the quit message
  kServiceQuitting = 2019,         // -> 1 once the program is ending (the last window gone, or exit)
  kServiceAllocate = 2024,         // v1: byte count, v2: no-failure-check flag
  kServiceFree = 2025,             // v1: pointer
  kServiceReallocate = 2026,       // v1: pointer, v2: byte count
  kServiceFatalText = 2027,        // v1: message text; does not return
  kServiceExit = 2028,             // v1: exit code; does not return
  kServiceUnitKind = 2029,         // v1: tag -> 2 (flag bit 2), 1 (bit 6), else 0
  kServiceRunMode = 2030,          // -> header field 1
  kServiceRaiseTypedEvent = 2031,  // v1: TypedEventRecord* -> 1 handled / 0
};

// Request 2005.
struct LoadWindowRequest {
  std::uint32_t formId = 0;
  void* ownerWindow = nullptr;  // live window object or null
  std::int32_t modal = 0;
};

// Request 2008: every field a dword, in this order.
struct PlainEventRecord {
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
  std::int32_t event = 0;
  std::int32_t argCount = 0;  // 0-5
  std::int32_t args[5] = {};
  std::int32_t hasResult = 0;
  std::int32_t result = 0;
};

// Request 2031.
struct TypedEventArg {
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  TypeTag tag = kTagNone;
  std::uint32_t passing = 0;  // bit 0: one dword as stored, bit 1: two dwords
};
struct TypedEventRecord {
  std::uint32_t formId = 0;
  std::uint32_t unitId = 0;
  std::int32_t event = 0;
  std::int32_t argCount = 0;  // 0-12
  TypedEventArg args[12] = {};
  std::int32_t hasResult = 0;
  std::uint32_t result[2] = {};
};

// A library's own link to the runtime: the routine it was given with notify
// code 1. Each library keeps one and reaches the runtime only through it.
class LibraryLink {
 public:
  void connect(ServiceRoutine routine) { routine_ = routine; }
  bool connected() const { return routine_ != nullptr; }
  std::intptr_t request(std::int32_t code, std::intptr_t v1 = 0, std::intptr_t v2 = 0) const {
    return routine_ != nullptr ? routine_(code, v1, v2) : 0;
  }

 private:
  ServiceRoutine routine_ = nullptr;
};

}  // namespace horavia::runtime
