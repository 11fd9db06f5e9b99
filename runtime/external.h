// Functions of external libraries, declared by library file name and
// function name and resolved on their first call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"

namespace horavia::runtime {

class ExternalTable {
 public:
  // Sizes the tables to the declarations and copies the names (code page 936).
  void declare(std::uint32_t count, const char* const* libraryNames, const char* const* functionNames);
  // The search folder set by the library-folder command ("" or ending in "\").
  void setSearchFolder(std::string folder) { searchFolder_ = std::move(folder); }
  const std::string& searchFolder() const { return searchFolder_; }
  // The program folder, without and with trailing backslash.
  void setProgramFolder(std::string withoutSlash, std::string withSlash) {
    programDir_ = std::move(withoutSlash);
    programFolder_ = std::move(withSlash);
  }

  // The address of declaration i, resolving it on first use. A library or
  // export that cannot be found is fatal and names both.
  void* resolve(std::uint32_t index);
  // Releases every module and empties the tables.
  void releaseAll();

  std::uint32_t count() const { return static_cast<std::uint32_t>(slots_.size()); }
  // For tests: how many loads were attempted in total.
  int loadAttempts() const { return loadAttempts_; }

 private:
  struct Slot {
    std::string library;
    std::string function;
    void* address = nullptr;
    platform::LibraryHandle module = nullptr;
  };
  platform::LibraryHandle loadFor(const std::string& library);
  void* lookup(platform::LibraryHandle module, const std::string& function) const;

  std::vector<Slot> slots_;
  std::string searchFolder_, programDir_, programFolder_;
  int loadAttempts_ = 0;
};

}  // namespace horavia::runtime
