// The toolkit's event loop behind the platform's event-loop and timer
// seams: pending events, waiting, and one precise toolkit timer that wakes
// the loop at the earliest due tick of the timer schedule.
#pragma once

namespace horavia::platform {

// Installs both seams for the application object's thread. Safe to call
// again; does nothing before the application object exists.
void InstallQtEventLoop();

}  // namespace horavia::platform
