// What the control interface needs from the application (ControlPort) and
// what it hears from it (ControlEvents). The program's main wires the
// application to both; tests put a fake behind them.
//
// Every text here is UTF-8: the application converts its code-page-936 texts
// (skin names, prize labels, setting keys) at this edge.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace horavia::live {

enum class DisplayMode { Clock, Wheel };

// Where a finished spin came to rest. `segment` counts prizes from 1 (0 when
// the skin lists none); `label` is the prize's label (empty without
// prizes); `angle` is the rest angle in degrees clockwise from 12 o'clock.
struct SpinResult {
  std::int64_t spin = 0;
  int segment = 0;
  std::string label;
  double angle = 0;
};

// The application's state as the interface reports it.
struct StateSnapshot {
  DisplayMode mode = DisplayMode::Clock;
  std::string skin;
  bool chime = false;
  int volume = 60;      // 1-100
  bool spinning = false;
  int queued = 0;       // spins waiting behind the running one
  std::optional<SpinResult> lastResult;
  std::string version;  // the program's version
};

// A spin that was asked for: its number, and how many spins go before it
// (0: it starts at once).
struct SpinTicket {
  std::int64_t spin = 0;
  int position = 0;
};

// One line of the record of spins.
struct SpinRecord {
  std::string time;  // ISO 8601 with offset, as recorded
  std::string skin;
  int segment = 0;
  std::string label;
  double angle = 0;
  std::string source;  // what started it
};

// The window as the desktop shows it: width × height pixels 0xAARRGGBB (not
// premultiplied), top row first, alpha 0 outside the window's outline.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The application's operations. Each is the same operation the menu or the
// settings window performs, with the same settings written. All run on the
// user-interface thread and return at once.
class ControlPort {
 public:
  virtual ~ControlPort() = default;

  virtual StateSnapshot state() const = 0;
  // Nothing when the spin queue is full. `source` goes into the record's
  // "what started it" column.
  virtual std::optional<SpinTicket> spin(std::string_view source) = 0;
  virtual void setMode(DisplayMode mode) = 0;
  // The wheel and its needle back to the start.
  virtual void resetWheel() = 0;
  virtual void setChime(bool on) = 0;
  // False when no skin of that name is there (nothing changes then).
  virtual bool chooseSkin(std::string_view name) = 0;
  virtual std::vector<std::string> skins() const = 0;
  // The newest `limit` spins of the record, newest first.
  virtual std::vector<SpinRecord> history(int limit) const = 0;
  // The window composed from the animation box's model, never read back
  // from the screen.
  virtual Frame frame() const = 0;
};

// [events] What happened in the application. Each kind carries its name on
// the events socket.
struct SpinStarted {
  static constexpr std::string_view kName = "spinStarted";
  std::int64_t spin = 0;
  std::string source;
};
struct SpinEnded {
  static constexpr std::string_view kName = "spinEnded";
  SpinResult result;
};
struct ModeChanged {
  static constexpr std::string_view kName = "modeChanged";
  DisplayMode mode = DisplayMode::Clock;
};
struct SkinChanged {
  static constexpr std::string_view kName = "skinChanged";
  std::string skin;
};
// The hourly chime rang (hour 0-23).
struct ChimeRang {
  static constexpr std::string_view kName = "chime";
  int hour = 0;
};
// A setting was written: its key and new value as text.
struct SettingsChanged {
  static constexpr std::string_view kName = "settingsChanged";
  std::string key;
  std::string value;
};
using AppEvent = std::variant<SpinStarted, SpinEnded, ModeChanged, SkinChanged, ChimeRang, SettingsChanged>;

// Why the animation box repainted: only the clock's hands moving, or
// anything else (a spin, an end picture, the chime, a mode or skin change).
// Overlay frames follow the clock at a slower pace than the rest.
enum class Repaint { ClockTick, Motion };

// The interface's ear on the application.
class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  virtual void publish(const AppEvent& event) = 0;
  virtual void repainted(Repaint what) = 0;
};

}  // namespace horavia::live
