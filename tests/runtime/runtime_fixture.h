// A runtime with a small image of its own, for tests of the frame: the exit
// seam throws instead of ending the process, dialogs are recorded.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/process.h"
#include "platform/text_codec.h"
#include "runtime/runtime_app.h"
#include "tests/support/process_exit.h"

namespace horavia::runtime::testing {

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Runtime().resetForTests();
    horavia::testing::ThrowOnExit();
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

  template <class F>
  int ExitCodeOf(F&& f) {
    return horavia::testing::ExitCodeOf(std::forward<F>(f));
  }

  static std::string Cp(const char* utf8) { return platform::Utf8ToCp936(utf8); }

  std::vector<platform::DialogRequest> dialogs;
};

}  // namespace horavia::runtime::testing
