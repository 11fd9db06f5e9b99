#include "runtime/entry.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/text_codec.h"
#include "runtime/fatal.h"
#include "runtime/memory.h"
#include "runtime/messages.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime {
namespace {

ArgRecord CallCommand(CommandFunction function, std::int32_t count, ArgRecord* args) {
  ArgRecord result{};
  // A slot that holds no command leaves the zeroed result.
  if (function != nullptr) function(&result, count, args);
  return result;
}

void* CallExternalEntry(std::uint32_t declaration) { return Runtime().externals().resolve(declaration); }

std::uint64_t ReadUnitPropertyEntry(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                                    std::int32_t subIndex) {
  WindowHost* host = Runtime().windowHost();
  if (host == nullptr) FatalError(messages::kConstants.FormNotLoaded);
  return host->readProperty(formId, unitId, property, subIndex);
}

void WriteUnitPropertyEntry(std::uint32_t formId, std::uint32_t unitId, std::int32_t property,
                            std::int32_t subIndex, std::uint32_t low, std::uint32_t high) {
  WindowHost* host = Runtime().windowHost();
  if (host == nullptr) FatalError(messages::kConstants.FormNotLoaded);
  host->writeProperty(formId, unitId, property, subIndex, low, high);
}

void ExitProgramEntry(int code) { Runtime().exitProgram(code); }

void RunMessageLoopEntry() {
  RuntimeApp& app = Runtime();
  app.setMessageLoopRunning();
  WindowHost* host = app.windowHost();
  if (host != nullptr && host->anyWindowLive()) host->runMessageLoop();
}

void LoadStartWindowEntry(std::uint32_t formId) {
  WindowHost* host = Runtime().windowHost();
  if (host == nullptr || !host->loadStartWindow(formId)) FatalError(messages::kConstants.StartWindowFailed);
}

std::intptr_t RuntimeServiceEntry(std::int32_t service, std::intptr_t a, std::intptr_t b, std::intptr_t c,
                                  std::intptr_t d) {
  switch (service) {
    case kFindFile:
      return reinterpret_cast<std::intptr_t>(FindFile(reinterpret_cast<const char*>(a), static_cast<std::int32_t>(b),
                                                      static_cast<std::int32_t>(c), reinterpret_cast<void**>(d)));
    case kFindClose:
      FindClose(reinterpret_cast<void*>(a));
      return 0;
    case kDetachConstantArray:
      DetachConstantArray(static_cast<std::int32_t>(a), reinterpret_cast<void**>(b));
      return 0;
    case kRegisterCleanup:
      Runtime().registerCleanup(reinterpret_cast<CleanupRoutine>(a));
      return 0;
    case kInitializeImage:
      Runtime().initializeImage();
      return 0;
    default:
      // Object properties of non-window library objects: no such objects
      // exist in this program.
      return 0;
  }
}

void FreeEntry(void* p) { Free(p); }
void* AllocateEntry(std::size_t n) { return Allocate(n); }
void* ReallocateEntry(void* p, std::size_t n) { return Reallocate(p, n); }

bool Accepts(std::int32_t mask, std::uint32_t attributes) {
  if (mask == -1) return (attributes & platform::kAttrDirectory) == 0;
  if (mask == 0) return attributes == 0;
  return (attributes & static_cast<std::uint32_t>(mask)) != 0;
}

}  // namespace

const RuntimeEntryTable& Entries() {
  static constexpr RuntimeEntryTable kTable = {
      &ReportRuntimeError, &CallExternalEntry,     &CallCommand,     &CallCommand,
      &ReadUnitPropertyEntry, &WriteUnitPropertyEntry, &AllocateEntry,  &ReallocateEntry,
      &FreeEntry,          &ExitProgramEntry,      &RunMessageLoopEntry, &LoadStartWindowEntry,
      &RuntimeServiceEntry,
  };
  return kTable;
}

char* FindFile(const char* pattern, std::int32_t mask, std::int32_t skipDirectories, void** search) {
  std::int32_t effective = skipDirectories != 0 ? -1 : (mask & 0x37);
  auto* current = search != nullptr ? static_cast<platform::FileSearch*>(*search) : nullptr;
  if (pattern != nullptr && *pattern != '\0') {
    delete current;
    current = platform::FileSearch::Start(platform::HostPath(pattern)).release();
  }
  while (current != nullptr) {
    std::optional<platform::FoundEntry> entry = current->next();
    if (!entry) {
      delete current;
      current = nullptr;
      break;
    }
    if (!Accepts(effective, entry->attributes)) continue;
    if (search != nullptr) *search = current;
    return CopyText(platform::Utf8ToCp936(entry->name));
  }
  if (search != nullptr) *search = nullptr;
  return nullptr;
}

void FindClose(void* search) { delete static_cast<platform::FileSearch*>(search); }

void DetachConstantArray(std::int32_t elementSize, void** arrayVariable) {
  if (arrayVariable == nullptr || *arrayVariable == nullptr) return;
  Heap& heap = Runtime().heap();
  const std::byte* end = heap.constantRangeEnd(*arrayVariable);
  if (end == nullptr) return;
  auto* block = static_cast<const std::uint8_t*>(*arrayVariable);
  auto available = static_cast<std::size_t>(end - reinterpret_cast<const std::byte*>(block));
  // Header: dimension count, then the sizes; never read past the constant range.
  if (available < 4) return;
  std::int32_t dims;
  std::memcpy(&dims, block, 4);
  if (dims < 0 || static_cast<std::size_t>(dims) > (available - 4) / 4) return;
  std::size_t count = 1;
  for (std::int32_t i = 0; i < dims; ++i) {
    std::int32_t size;
    std::memcpy(&size, block + 4 + 4 * i, 4);
    count *= size > 0 ? static_cast<std::size_t>(size) : 0;
    if (count > available) return;
  }
  std::size_t bytes = 4 + 4 * static_cast<std::size_t>(dims) + count * static_cast<std::size_t>(elementSize);
  if (elementSize < 0 || bytes > available) return;
  void* copy = heap.allocate(bytes);
  std::memcpy(copy, block, bytes);
  *arrayVariable = copy;
}

}  // namespace horavia::runtime
