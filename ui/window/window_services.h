// What a live window asks of the engine that loaded it, and nothing more:
// raising its own events, running a menu command, its closing and its end,
// the music player, the other live windows and the modal one, and the
// hidden owner of windows without a taskbar button.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ui/window/events.h"

class QWidget;

namespace horavia::ui {

class CWinFormUnit;

// What a window's background music is played with. Without one the music
// is silent.
class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  virtual void play(std::span<const std::uint8_t> wave, bool loop) = 0;
  virtual void stop() = 0;
};

class WindowServices {
 public:
  // Raises window event `event` (no arguments) with the window as source.
  virtual EventOutcome raiseWindowEvent(const CWinFormUnit& window, std::int32_t event) = 0;
  // A command message reached the window (a menu item was chosen).
  virtual void menuCommand(const CWinFormUnit& window, std::int32_t commandId) = 0;
  // The window's close was accepted, and the window object has gone.
  virtual void windowClosing(CWinFormUnit& window) = 0;
  virtual void windowDestroyed(CWinFormUnit& window) = 0;
  // Null without one.
  virtual MusicPlayer* musicPlayer() = 0;
  virtual std::vector<CWinFormUnit*> liveWindows() = 0;
  // The live window whose modal loop runs, or null.
  virtual CWinFormUnit* modalWindow() = 0;
  // The owner of windows that must not show a taskbar button.
  virtual QWidget* hiddenOwner() = 0;

 protected:
  ~WindowServices() = default;
};

}  // namespace horavia::ui
