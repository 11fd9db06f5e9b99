// Watching the process end: with the exit seam set to throw ProcessExited, a
// test learns the exit code a call ended the process with.
#pragma once

#include "platform/process.h"

namespace horavia::testing {

struct ProcessExited {
  int code;
};

// Makes every exit throw ProcessExited (call once per test; undo with
// platform::SetExitHook({})).
inline void ThrowOnExit() {
  platform::SetExitHook([](int code) { throw ProcessExited{code}; });
}

// The exit code `f` ended the process with, or -999 when it returned.
template <class F>
int ExitCodeOf(F&& f) {
  try {
    f();
  } catch (const ProcessExited& e) {
    return e.code;
  }
  return -999;
}

}  // namespace horavia::testing
