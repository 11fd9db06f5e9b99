// The one QApplication of a test program.
#pragma once

#include <QApplication>

namespace horavia::testing {

// Made on first use and kept to the end of the process: widgets and Qt's
// own caches that outlive a test still need it, and Qt allows only one.
QApplication& TestApplication();

}  // namespace horavia::testing
