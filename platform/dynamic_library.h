// Loading shared libraries by name or path and finding their functions.
#pragma once

#include <cstdint>
#include <string>

namespace horavia::platform {

using LibraryHandle = void*;

// Loads a library (host path or bare name); null when it cannot be loaded.
// A file loads whatever its name: "bass.dll" is an ELF file here.
LibraryHandle LoadLibraryFile(const std::string& hostPath);
// Null when the library has no such export.
void* FindLibrarySymbol(LibraryHandle library, const std::string& name);
// Exports by ordinal exist only where the host has them; null elsewhere.
void* FindLibraryOrdinal(LibraryHandle library, std::uint16_t ordinal);
void ReleaseLibrary(LibraryHandle library);
// The process itself with every library it has loaded, as one search scope.
LibraryHandle LoadSelf();

}  // namespace horavia::platform
