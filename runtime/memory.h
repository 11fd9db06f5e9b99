// The runtime heap: every text, byte-set and array handed to application code
// lives here. Pointers into a registered constant range (the application's
// literals) are never freed and are copied out of on resize.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace horavia::runtime {

class Heap {
 public:
  // A block of n bytes; a failure is the fatal "分配 %d 字节内存失败!".
  void* allocate(std::size_t n);
  // Null on failure instead of the fatal error.
  void* tryAllocate(std::size_t n);
  // Null p allocates; a p inside a constant range is copied out (at most to
  // the range's end); otherwise the block is resized.
  void* reallocate(void* p, std::size_t n);
  // Null and constant pointers are ignored.
  void free(void* p);

  void addConstantRange(const void* start, std::size_t length);
  void clearConstantRanges() { ranges_.clear(); }
  bool isConstant(const void* p) const;
  // The end of the constant range holding p, or null.
  const std::byte* constantRangeEnd(const void* p) const;

 private:
  std::vector<std::pair<const std::byte*, const std::byte*>> ranges_;
};

// The heap of the runtime application object (entries 6, 7 and 8).
void* Allocate(std::size_t n);
void* Reallocate(void* p, std::size_t n);
void Free(void* p);

}  // namespace horavia::runtime
