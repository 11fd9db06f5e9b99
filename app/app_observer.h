// What the application tells whoever listens (the control interface, tests):
// one small interface of its own. Observers are registered with the
// application state (State().observers) and called on the user-interface
// thread, right after the change and before the operation that made it
// returns. Texts are code page 936, as the application keeps them.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_table.h"

namespace horavia::app {

enum class DisplayMode { Clock, Wheel };

// A spin at rest: the winner and where the turning object stopped.
struct SpinResult {
  int spin = 0;         // the id RequestSpin gave
  int segment = 0;      // 1-based; 0 when the skin lists no prizes
  std::string label;    // the prize's label; empty without prizes
  int angle = 0;        // rest angle of the turning object, 0..359 clockwise from 12
  std::string skin;     // the skin it was spun on
  std::string source;   // what asked for it: "mouse", "api", "hotkey" or a client's name (UTF-8)
  std::string time;     // ISO 8601 with the offset from UTC
};

// What a repaint of the main window's box changed: the clock's hands alone
// (a second ticking by), or anything else.
enum class WindowChange { ClockHands, Other };

class AppObserver {
 public:
  virtual ~AppObserver() = default;
  virtual void spinStarted(int /*spin*/, std::string_view /*source*/) {}
  virtual void spinEnded(const SpinResult& /*result*/) {}
  virtual void modeChanged(DisplayMode /*mode*/) {}
  virtual void skinChanged(std::string_view /*skin*/) {}
  virtual void chimed(int /*hour*/) {}
  // A key of "配置.ini" was written.
  virtual void settingsChanged(Setting /*setting*/) {}
  // The main window's box asked to be repainted. Told while the box is in
  // the middle of its work: an observer may read the application, not
  // change it. Told only while some observer follows repaints: telling
  // what changed costs work at every mark of the box, several a second.
  virtual void windowRepainted(WindowChange /*change*/) {}
  virtual bool followsRepaints() const { return false; }
};

// The registered observers. An observer may add or remove observers (itself
// included) while it is told something; the change applies from the next
// notice.
class AppObservers {
 public:
  void add(AppObserver* observer) {
    if (std::find(list_.begin(), list_.end(), observer) == list_.end()) list_.push_back(observer);
  }
  void remove(AppObserver* observer) { std::erase(list_, observer); }

  template <typename Question>
  bool any(Question question) const {
    return std::any_of(list_.begin(), list_.end(), [&question](const AppObserver* o) { return question(*o); });
  }

  template <typename Notice>
  void notify(Notice notice) const {
    const std::vector<AppObserver*> now = list_;
    for (AppObserver* observer : now) {
      if (std::find(list_.begin(), list_.end(), observer) != list_.end()) notice(*observer);
    }
  }

 private:
  std::vector<AppObserver*> list_;
};

}  // namespace horavia::app
