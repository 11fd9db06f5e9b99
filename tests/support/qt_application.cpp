#include "tests/support/qt_application.h"

namespace horavia::testing {

QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "horavia-test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace horavia::testing
