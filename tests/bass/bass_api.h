// The audio library as the program meets it: loaded by path at run time
// and called through function pointers of the declared types.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "bass/bass.h"

namespace horavia::bass::testing {

struct BassApi {
  void* library = nullptr;
#define HORAVIA_BASS_FUNCTION(name) decltype(&::name) name = nullptr;
#include "tests/bass/bass_functions.inc"
#undef HORAVIA_BASS_FUNCTION

  // Throws when the file or any function is missing, so a test never calls
  // through a null pointer.
  explicit BassApi(const std::string& path) {
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
#define HORAVIA_BASS_FUNCTION(name) name = reinterpret_cast<decltype(name)>(find(#name));
#include "tests/bass/bass_functions.inc"
#undef HORAVIA_BASS_FUNCTION
  }

  void* find(const char* name) {
    void* address = dlsym(library, name);
    if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
    return address;
  }
};

}  // namespace horavia::bass::testing
