// The toolkit's side of the platform seams: the event loop and timer wake-up
// (qt_event_loop.cpp) and the desktop services (qt_desktop.cpp). The window
// layer installs them once the application object exists.
#pragma once

namespace horavia::platform {

// The event-loop and timer seams for the application object's thread. Safe
// to call again; does nothing before the application object exists.
void InstallQtEventLoop();
// The desktop backend: clipboard, alert sound, opener, standard folders.
void InstallQtDesktop();

inline void InstallQtPlatform() {
  InstallQtEventLoop();
  InstallQtDesktop();
}

}  // namespace horavia::platform
