// The thirteen entry points through which application code reaches the
// runtime, in their stored order, and the file-search service behind entry 12.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/library_types.h"
#include "runtime/values.h"

namespace horavia::runtime {

struct RuntimeEntryTable {
  void (*reportRuntimeError)(int code);                                        // 0
  void* (*callExternal)(std::uint32_t declaration);                           // 1
  ArgRecord (*callLibraryCommand)(CommandFunction, std::int32_t, ArgRecord*);  // 2
  ArgRecord (*callCoreCommand)(CommandFunction, std::int32_t, ArgRecord*);     // 3
  std::uint64_t (*readUnitProperty)(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                                    std::int32_t subIndex);                   // 4
  void (*writeUnitProperty)(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                            std::int32_t subIndex, std::uint32_t low, std::uint32_t high);  // 5
  void* (*allocate)(std::size_t bytes);                                        // 6
  void* (*reallocate)(void* block, std::size_t bytes);                         // 7
  void (*free)(void* block);                                                   // 8
  void (*exitProgram)(int code);                                               // 9
  void (*runMessageLoop)();                                                    // 10
  void (*loadStartWindow)(std::uint32_t formId);                               // 11
  std::intptr_t (*runtimeService)(std::int32_t service, std::intptr_t a, std::intptr_t b,
                                  std::intptr_t c, std::intptr_t d);           // 12
};

const RuntimeEntryTable& Entries();

// Services of entry 12.
enum RuntimeServiceNumber : std::int32_t {
  kFindFile = 0,             // pattern, mask, skip-directories flag, handle variable
  kFindClose = 1,            // handle
  kDetachConstantArray = 2,  // element size, array variable
  kRegisterCleanup = 3,      // routine
  kReadObjectProperty = 4,
  kWriteObjectProperty = 5,
  kInitializeImage = 6,
};

// The next entry matching the pattern and mask, as a new text (null when
// none is left). `*search` carries the open search between calls.
char* FindFile(const char* pattern, std::int32_t mask, std::int32_t skipDirectories, void** search);
void FindClose(void* search);
// Replaces an array variable pointing into a constant range by a heap copy.
void DetachConstantArray(std::int32_t elementSize, void** arrayVariable);

// Calls an external declaration through the function type the application
// declared for it: CallExternal<int (*)(int)>(9, 5). The typed call lets the
// compiler lay the arguments out as the callee expects; the stack check after
// the call (runtime error 6) matters only for 32-bit x86 standard-call
// functions, where a wrong declaration leaves the stack misaligned, and this
// runtime is built for hosts without that convention.
template <class Function, class... Args>
auto CallExternal(std::uint32_t declaration, Args... args) {
  auto function = reinterpret_cast<Function>(Entries().callExternal(declaration));
  return function(args...);
}

}  // namespace horavia::runtime
