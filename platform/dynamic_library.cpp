#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace horavia::platform {

LibraryHandle LoadLibraryFile(const std::string& hostPath) {
  if (hostPath.empty()) return nullptr;
  return dlopen(hostPath.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindLibrarySymbol(LibraryHandle library, const std::string& name) {
  if (library == nullptr) return nullptr;
  return dlsym(library, name.c_str());
}

void* FindLibraryOrdinal(LibraryHandle, std::uint16_t) {
  // ELF files export by name only.
  return nullptr;
}

void ReleaseLibrary(LibraryHandle library) {
  if (library != nullptr) dlclose(library);
}

LibraryHandle LoadSelf() { return dlopen(nullptr, RTLD_NOW); }

}  // namespace horavia::platform
