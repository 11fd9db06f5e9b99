// A runtime with a small image of its own, for tests of the frame: the exit
// seam throws instead of ending the process, dialogs are recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/process.h"
#include "platform/text_codec.h"
#include "runtime/runtime_app.h"

namespace horavia::runtime::testing {

struct ProcessExited {
  int code;
};

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Runtime().resetForTests();
    platform::SetExitHook([](int code) { throw ProcessExited{code}; });
    platform::SetDialogResponder([this](const platform::DialogRequest& r) {
      dialogs.push_back(r);
      return platform::DefaultButton(r.style);
    });
  }
  void TearDown() override {
    platform::SetExitHook({});
    platform::SetDialogResponder({});
    Runtime().resetForTests();
  }

  // Runs f and returns the exit code it ended the process with (or -999 when
  // it returned normally).
  template <class F>
  int ExitCodeOf(F&& f) {
    try {
      f();
    } catch (const ProcessExited& e) {
      return e.code;
    }
    return -999;
  }

  static std::string Cp(const char* utf8) { return platform::Utf8ToCp936(utf8); }

  std::vector<platform::DialogRequest> dialogs;
};

}  // namespace horavia::runtime::testing
