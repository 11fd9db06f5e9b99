// The toolkit's side of the platform seams: the event loop and timer wake-up
// (qt_event_loop.cpp) and the desktop services (qt_desktop.cpp). The window
// layer installs them once the application object exists.
#pragma once

class QRegion;
class QWindow;

namespace horavia::platform {

// The event-loop and timer seams for the application object's thread. Safe
// to call again; does nothing before the application object exists.
void InstallQtEventLoop();
// The desktop backend: clipboard, alert sound, opener, standard folders.
void InstallQtDesktop();

// The clock needs what only X11 gives a window: staying on top, a shape, and
// being dragged by any point. On a Wayland session with XWayland (DISPLAY
// set) the toolkit is asked to use X11, unless the user chose a platform
// (QT_QPA_PLATFORM). Call before the application object is made.
void PreferX11Windows();

// No window reaches a screen: the toolkit's offscreen platform, for a
// program shown only through its overlay (horavia --overlay-only). Its
// windows, units and animation run as on a desktop, so the overlay shows
// exactly what the window would, and no display server is needed. Message
// boxes are printed on standard error and answered with their default
// button (HORAVIA_DIALOGS=print), since nobody could answer them. Call
// before the application object is made; it overrides QT_QPA_PLATFORM.
void UseOffscreenWindows();

// The clock changes a few thousand pixels a second. On X11 the toolkit
// hands window pixels to the server through shared memory, and each such
// flush costs a round trip that wakes two of our threads; sending the
// changed pixels over the connection costs neither. Kept when the user set
// QT_XCB_NO_MITSHM. Call before the application object is made.
void AvoidSharedMemoryFlushes();

// Those pixels go out in one request per flush (a second-hand step is
// 40-60 KB). A local socket counts as writable only while less than a
// quarter of its send buffer is in flight, so with the default buffer the
// request after such a flush waited for the server to read the pixels: a
// second wake-up every other second. The X connection's send buffer is
// widened: a whole window's flush (300 × 300 × 4 bytes) stays below that
// quarter, and where the system caps the size (net.core.wmem_max, 208 KiB
// by default, which the kernel doubles) a second-hand step still does.
// Does nothing off X11. Call once the application object exists.
inline constexpr int kDisplaySendBuffer = 1 << 20;
void WidenDisplaySendBuffer();

// Whether the X11 display has a compositing manager (the owner of the
// screen's _NET_WM_CM_Sn selection), which shows a window's alpha channel
// and gives capturing programs the window with it. False off X11 and
// before the application object exists.
bool CompositingManagerRuns();

// Cuts the window's input region (where clicks land; elsewhere they reach
// what lies below) to `region`, in the window's coordinates, leaving what
// it shows alone; an empty region takes no input at all. Nothing off X11
// or for a window not made yet.
void SetInputRegion(QWindow& window, const QRegion& region);

inline void InstallQtPlatform() {
  InstallQtEventLoop();
  InstallQtDesktop();
}

}  // namespace horavia::platform
