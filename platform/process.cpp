#include "platform/process.h"

#include <pthread.h>
#include <unistd.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <climits>
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
