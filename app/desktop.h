// The clock on a streamer's desktop: the place it was dragged to, kept and
// restored; clicks passing through it; its opacity and size; the second
// hand shown or not; the tray icon with the pop-up menu's items; and, where a
// compositing manager runs, a window transparent outside its outline.
// Every switch is a row of the settings table, written the moment it
// changes and applied again at the next start.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/timers.h"

class QMenu;
class QSystemTrayIcon;

namespace horavia::app {

struct WindowPlace {
  int left = 0;
  int top = 0;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

struct ScreenArea {
  int x = 0, y = 0, width = 0, height = 0;
};

// A skin draws the clock in 300 × 300 of its own units, and gives places in
// them; at another size every picture is resampled and every place scaled.
inline constexpr int kSkinSide = 300;

// A length in the skin's units as window pixels at the clock's size.
int InWindowPixels(int skinUnits);

// Where a fresh settings file puts the clock, from the primary screen's
// top-left corner.
inline constexpr WindowPlace kDefaultPlace{200, 200};
// A kept place counts as shown when one screen shows at least this many
// pixels of the window each way (or the whole window, when it is smaller):
// enough to grab it and drag it back.
inline constexpr int kShownAtLeast = 50;

// Where the clock starts: its kept place when a screen shows enough of a
// width × height window there, else the default place on the primary screen
// (the first of `screens`; the default as it stands without any screen).
WindowPlace RestoredPlace(WindowPlace kept, int width, int height, std::span<const ScreenArea> screens);

// How long the window must stand still after a move before its place is
// written: a drag ends with one write (of each key), not one per mouse move.
inline constexpr std::uint32_t kPlaceSettleMs = 400;

// What the desktop switches keep while the program runs (AppState owns it).
class DesktopClock {
 public:
  DesktopClock();
  ~DesktopClock();

  // Takes the kept size, before the skin's pictures are first decoded, so
  // that they are decoded at it once.
  void startSize();
  // Reads the other switches and applies them to the main window, before
  // it first shows: place, opacity, click-through, second hand, the
  // translucent window where a compositing manager runs, the tray icon.
  void start();

  void setClickThrough(bool on);
  bool clickThrough() const { return clickThrough_; }
  void setOpacity(int percent);
  int opacity() const { return opacity_; }
  // Percent of the skin's size (the settings row's range): the window, its
  // outline and the pictures in it are made anew at that size, keeping the
  // window's top-left corner.
  void setSize(int percent);
  int size() const { return size_; }
  void setSecondHand(bool on);
  bool secondHand() const { return secondHand_; }
  // Shows (and raises) or hides the clock's window.
  void setClockShown(bool shown);

  // The window moved: its place is written once it has settled.
  void windowMoved();
  // The clock's next tick when the second hand is hidden: the start of the
  // next minute, `second` being the current second of the minute.
  void wakeAtNextMinute(int second);

  // The tray's menu as it stands: the pop-up menu's items, then "显示时钟"
  // or "隐藏时钟". Filled anew each time it opens.
  void fillTrayMenu(QMenu& menu);
  // The tray icon, when the desktop has a tray.
  QSystemTrayIcon* tray() const { return tray_.get(); }

 private:
  void placeSettled();
  void startTray();
  void checkSwitchItems();
  void applySize();

  platform::Timer placeTimer_;
  platform::Timer minuteTimer_;
  WindowPlace kept_;
  bool clickThrough_ = false;
  bool secondHand_ = true;
  int opacity_ = 100;
  int size_ = 100;
  std::unique_ptr<QMenu> trayMenu_;
  std::unique_ptr<QSystemTrayIcon> tray_;
};

}  // namespace horavia::app
