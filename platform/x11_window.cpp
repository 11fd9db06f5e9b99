// What the toolkit does not offer of X11, through the toolkit's own
// connection: its send buffer, whether a compositing manager runs, and a
// window's input shape apart from its bounding shape.
#include <sys/socket.h>
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QRegion>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_platform.h"

namespace horavia::platform {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// The toolkit's connection, on X11 alone (the offscreen platform answers
// as an X11 application too, without a connection).
xcb_connection_t* Connection() {
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 == nullptr ? nullptr : x11->connection();
}

// The number of the display's screen that DISPLAY names (":0.1" is 1).
int DefaultScreen() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr) return 0;
  const std::string name = display;
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot < name.rfind(':')) return 0;
  return std::atoi(name.c_str() + dot + 1);
}

}  // namespace

void WidenDisplaySendBuffer() {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return;
  const int socket = xcb_get_file_descriptor(connection);
  int size = 0;
  socklen_t length = sizeof size;
  if (getsockopt(socket, SOL_SOCKET, SO_SNDBUF, &size, &length) != 0 || size >= kDisplaySendBuffer) return;
  size = kDisplaySendBuffer;
  setsockopt(socket, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);  // a refusal leaves the default, no worse
}

bool CompositingManagerRuns() {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr) return false;
  const std::string selection = "_NET_WM_CM_S" + std::to_string(DefaultScreen());
  const xcb_intern_atom_cookie_t atomCookie =
      xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(selection.size()), selection.c_str());
  Reply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
  if (atom == nullptr || atom->atom == XCB_ATOM_NONE) return false;
  Reply<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
      &std::free);
  return owner != nullptr && owner->owner != XCB_WINDOW_NONE;
}

void SetInputRegion(QWindow& window, const QRegion& region) {
  xcb_connection_t* connection = Connection();
  if (connection == nullptr || window.handle() == nullptr) return;
  std::vector<xcb_rectangle_t> rectangles;
  for (const QRect& r : region) {
    rectangles.push_back({static_cast<std::int16_t>(r.x()), static_cast<std::int16_t>(r.y()),
                          static_cast<std::uint16_t>(r.width()), static_cast<std::uint16_t>(r.height())});
  }
  xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                       static_cast<xcb_window_t>(window.winId()), 0, 0,
                       static_cast<std::uint32_t>(rectangles.size()), rectangles.data());
  xcb_flush(connection);
}

}  // namespace horavia::platform
