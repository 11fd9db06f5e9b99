#include "runtime/memory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "runtime/fatal.h"
#include "runtime/messages.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime {

void* Heap::tryAllocate(std::size_t n) { return std::malloc(n == 0 ? 1 : n); }

void* Heap::allocate(std::size_t n) {
  void* p = tryAllocate(n);
  if (p != nullptr) return p;
  char message[128];
  std::snprintf(message, sizeof message, messages::kConstants.OutOfMemory, static_cast<int>(n));
  FatalError(message);
}

void* Heap::reallocate(void* p, std::size_t n) {
  if (p == nullptr) return allocate(n);
  if (const std::byte* end = constantRangeEnd(p)) {
    void* copy = allocate(n);
    auto available = static_cast<std::size_t>(end - static_cast<const std::byte*>(p));
    std::memcpy(copy, p, n < available ? n : available);
    return copy;
  }
  void* q = std::realloc(p, n == 0 ? 1 : n);
  if (q != nullptr) return q;
  char message[128];
  std::snprintf(message, sizeof message, messages::kConstants.OutOfMemory, static_cast<int>(n));
  FatalError(message);
}

void Heap::free(void* p) {
  if (p == nullptr || isConstant(p)) return;
  std::free(p);
}

void Heap::addConstantRange(const void* start, std::size_t length) {
  auto* s = static_cast<const std::byte*>(start);
  ranges_.emplace_back(s, s + length);
}

bool Heap::isConstant(const void* p) const { return constantRangeEnd(p) != nullptr; }

const std::byte* Heap::constantRangeEnd(const void* p) const {
  auto* b = static_cast<const std::byte*>(p);
  for (const auto& [start, end] : ranges_) {
    if (b >= start && b < end) return end;
  }
  return nullptr;
}

void* Allocate(std::size_t n) { return Runtime().heap().allocate(n); }
void* Reallocate(void* p, std::size_t n) { return Runtime().heap().reallocate(p, n); }
void Free(void* p) { Runtime().heap().free(p); }

}  // namespace horavia::runtime
