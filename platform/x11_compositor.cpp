#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/qt_platform.h"

namespace horavia::platform {

bool CompositingManagerRuns() {
  // The offscreen platform answers as an X11 application too, without a
  // connection.
  if (qGuiApp == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) return false;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 == nullptr ? nullptr : x11->connection();
  if (connection == nullptr) return false;
  // The connection's default screen; Qt opens the display with it.
  int screen = 0;
  if (const char* display = std::getenv("DISPLAY"); display != nullptr) {
    const std::string name = display;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > name.rfind(':')) screen = std::atoi(name.c_str() + dot + 1);
  }
  const std::string selection = "_NET_WM_CM_S" + std::to_string(screen);
  const xcb_intern_atom_cookie_t atomCookie =
      xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(selection.size()), selection.c_str());
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
      xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
  if (atom == nullptr || atom->atom == XCB_ATOM_NONE) return false;
  std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
      &std::free);
  return owner != nullptr && owner->owner != XCB_WINDOW_NONE;
}

}  // namespace horavia::platform
