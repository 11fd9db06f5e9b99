#include "platform/process.h"

#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace horavia::platform {
namespace {

std::function<void(int)>& Hook() {
  static std::function<void(int)> hook;
  return hook;
}

}  // namespace

void ExitProcess(int code) {
  if (Hook()) Hook()(code);
  std::fflush(nullptr);
  std::_Exit(code);
}

void SetExitHook(std::function<void(int)> hook) { Hook() = std::move(hook); }

void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

void ReleaseConstantPages(const void* data, std::size_t size) {
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + page - 1) / page * page;
  const std::uintptr_t end = (start + size) / page * page;
  if (end <= first) return;
  // Read-only pages mapped from the file: dropping them loses nothing.
  madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
}

unsigned long CurrentThreadId() { return static_cast<unsigned long>(pthread_self()); }

void WaitForProcessEnd() {
  for (;;) pause();
}

}  // namespace horavia::platform
