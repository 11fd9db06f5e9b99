// Resolution of external functions: first call loads the library along the
// search order and looks the export up; later calls use the cached address.
#include "runtime/external.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/text_codec.h"
#include "runtime/fatal.h"
#include "runtime/messages.h"

namespace horavia::runtime {

void ExternalTable::declare(std::uint32_t count, const char* const* libraryNames,
                            const char* const* functionNames) {
  releaseAll();
  slots_.assign(count, Slot{});
  for (std::uint32_t i = 0; i < count; ++i) {
    if (libraryNames != nullptr && libraryNames[i] != nullptr) slots_[i].library = libraryNames[i];
    if (functionNames != nullptr && functionNames[i] != nullptr) slots_[i].function = functionNames[i];
  }
}

platform::LibraryHandle ExternalTable::loadFor(const std::string& library) {
  auto tryLoad = [this](const std::string& runtimePath) -> platform::LibraryHandle {
    ++loadAttempts_;
    return platform::LoadLibraryFile(platform::HostPath(runtimePath));
  };
  if (library.find(':') != std::string::npos) return tryLoad(library);
  platform::LibraryHandle module = nullptr;
  if (!searchFolder_.empty()) module = tryLoad(searchFolder_ + library);
  if (module == nullptr) module = tryLoad(programDir_ + "\\" + library);
  if (module == nullptr && !programFolder_.empty()) module = tryLoad(programFolder_ + library);
  if (module == nullptr) module = tryLoad(library);
  return module;
}

void* ExternalTable::lookup(platform::LibraryHandle module, const std::string& function) const {
  if (!function.empty() && function[0] == '#') {
    auto ordinal = static_cast<std::uint16_t>(std::atoi(function.c_str() + 1) & 0xFFFF);
    return platform::FindLibraryOrdinal(module, ordinal);
  }
  return platform::FindLibrarySymbol(module, function);
}

void* ExternalTable::resolve(std::uint32_t index) {
  if (index >= slots_.size()) FatalError({}, 0);
  Slot& slot = slots_[index];
  if (slot.address != nullptr) return slot.address;

  platform::LibraryHandle module = nullptr;
  void* address = nullptr;
  if (slot.library.empty()) {
    // No library named: the system's own libraries. Here those are the ones
    // the process has already loaded, searched as one global scope.
    module = platform::LoadSelf();
    address = lookup(module, slot.function);
  } else {
    module = loadFor(slot.library);
    if (module != nullptr) address = lookup(module, slot.function);
  }

  if (address == nullptr) {
    platform::ReleaseLibrary(module);
    const auto& m = messages::kConstants;
    char message[1024];
    if (slot.library.empty()) {
      std::snprintf(message, sizeof message, m.ExternalNotFoundNoLibrary, slot.function.c_str());
    } else {
      std::snprintf(message, sizeof message, m.ExternalNotFound, slot.library.c_str(), slot.function.c_str());
    }
    FatalError(message, 0);
  }
  slot.address = address;
  slot.module = module;
  return address;
}

void ExternalTable::releaseAll() {
  for (Slot& slot : slots_) {
    platform::ReleaseLibrary(slot.module);
    slot.module = nullptr;
    slot.address = nullptr;
  }
  slots_.clear();
}

}  // namespace horavia::runtime
