// The main of every test program. It sets the environment the tests rely on
// before anything starts, so a test program behaves the same under ctest and
// when run by hand: Qt draws off screen, SDL plays into nothing, message boxes
// print instead of waiting for a click. A test folder adds its own settings
// through HORAVIA_TEST_ENV ("NAME=value;NAME=value").
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#ifdef HORAVIA_TEST_ENV
namespace {

void SetFrom(const std::string& assignment) {
  std::size_t eq = assignment.find('=');
  if (eq == std::string::npos || eq == 0) return;
  setenv(assignment.substr(0, eq).c_str(), assignment.substr(eq + 1).c_str(), 1);
}

}  // namespace
#endif

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("HORAVIA_DIALOGS", "print", 1);
#ifdef HORAVIA_TEST_ENV
  std::istringstream extra(HORAVIA_TEST_ENV);
  for (std::string item; std::getline(extra, item, ';');) SetFrom(item);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
