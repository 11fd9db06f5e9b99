// Watches a program's window from outside, through the X server, for the
// whole-program measurements in bench/*.sh:
//
//   x_watch first-frame START CLASS
//       Reads the screen (the root window) back every 10 ms where the first
//       viewable top-level window of that class lies, and prints the
//       milliseconds from START (seconds since the epoch, as bash's
//       EPOCHREALTIME gives them) until that rectangle shows at least a
//       dozen distinct colours: the window has painted. Prints "never"
//       after 20 s.
//   x_watch paints CLASS
//       Prints one line per paint of the first viewable top-level window of
//       that class, the time in seconds since the epoch, until it is
//       stopped (SIGTERM, SIGINT) or the window goes. Paints come from the
//       X server's damage reports; reports less than 2 ms apart are one
//       paint (a paint of several rectangles reports each).
//
// Exit code 0; 2 on a usage error, 3 when the display cannot be opened.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <unordered_set>

namespace {

constexpr long kPollMs = 10;
constexpr double kGiveUpSeconds = 20;
constexpr std::size_t kColoursOfAPaintedWindow = 12;
constexpr double kSamePaintSeconds = 0.002;

double Now() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void Sleep(long ms) {
  timespec t{ms / 1000, (ms % 1000) * 1000000};
  nanosleep(&t, nullptr);
}

bool HasClass(Display* display, Window window, const char* wanted) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return false;
  const bool match = (hint.res_class != nullptr && std::strcmp(hint.res_class, wanted) == 0) ||
                     (hint.res_name != nullptr && std::strcmp(hint.res_name, wanted) == 0);
  XFree(hint.res_name);
  XFree(hint.res_class);
  return match;
}

// The first viewable child of the root (no window manager runs: top-level
// windows are the root's children) whose class or name is `wanted`.
std::optional<Window> FindWindow(Display* display, const char* wanted) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return std::nullopt;
  std::optional<Window> found;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, children[i], &attributes) == 0) continue;
    if (attributes.map_state == IsViewable && HasClass(display, children[i], wanted)) found = children[i];
  }
  if (children != nullptr) XFree(children);
  return found;
}

std::size_t DistinctColours(Display* display, const XWindowAttributes& at) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), at.x, at.y, static_cast<unsigned>(at.width),
                            static_cast<unsigned>(at.height), AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  std::unordered_set<unsigned long> colours;
  for (int y = 0; y < image->height && colours.size() < kColoursOfAPaintedWindow; ++y) {
    for (int x = 0; x < image->width; ++x) colours.insert(XGetPixel(image, x, y));
  }
  XDestroyImage(image);
  return colours.size();
}

int FirstFrame(Display* display, double start, const char* wanted) {
  while (Now() - start < kGiveUpSeconds) {
    if (std::optional<Window> window = FindWindow(display, wanted)) {
      XWindowAttributes at{};
      if (XGetWindowAttributes(display, *window, &at) != 0 && DistinctColours(display, at) >= kColoursOfAPaintedWindow) {
        std::printf("%.0f\n", (Now() - start) * 1000);
        return 0;
      }
    }
    Sleep(kPollMs);
  }
  std::printf("never\n");
  return 0;
}

volatile std::sig_atomic_t stopped = 0;
void Stop(int) { stopped = 1; }

int Paints(Display* display, const char* wanted) {
  int eventBase = 0, errorBase = 0;
  if (XDamageQueryExtension(display, &eventBase, &errorBase) == 0) {
    std::fprintf(stderr, "x_watch: the X server has no damage extension\n");
    return 3;
  }
  std::optional<Window> window;
  while (!stopped && !(window = FindWindow(display, wanted))) Sleep(kPollMs);
  if (!window) return 0;
  XSelectInput(display, *window, StructureNotifyMask);
  XDamageCreate(display, *window, XDamageReportRawRectangles);
  XFlush(display);
  std::signal(SIGTERM, Stop);
  std::signal(SIGINT, Stop);
  const int fd = ConnectionNumber(display);
  double last = 0;
  while (!stopped) {
    if (XPending(display) == 0) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(fd, &readable);
      timeval wait{0, 100000};
      select(fd + 1, &readable, nullptr, nullptr, &wait);
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == DestroyNotify || event.type == UnmapNotify) break;
    if (event.type != eventBase + XDamageNotify) continue;
    const double now = Now();
    if (now - last >= kSamePaintSeconds) std::printf("%.6f\n", now);
    std::fflush(stdout);
    last = now;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (!((mode == "first-frame" && argc == 4) || (mode == "paints" && argc == 3))) {
    std::fprintf(stderr, "usage: x_watch first-frame START CLASS | x_watch paints CLASS\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_watch: cannot open the display\n");
    return 3;
  }
  const int code = mode == "first-frame" ? FirstFrame(display, std::atof(argv[2]), argv[3]) : Paints(display, argv[2]);
  XCloseDisplay(display);
  return code;
}
