// What the application does, as one set of operations that the menu, the
// double-click, the settings window and the control interface all call: the
// same handlers, the same settings written. Each runs on the user-interface
// thread once the main window exists (after start-up) and tells the
// observers (app/app_observer.h) what changed.
//
// Texts are code page 936 unless marked UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "anim/cartoonbox/window_frame.h"
#include "app/app_observer.h"
#include "app/local_control.h"
#include "app/prizes/record.h"

namespace horavia::app {

inline constexpr std::size_t kMostWaitingSpins = 20;

// A spin asked for: started at once (position 0) or waiting its turn
// (position 1 = next). Not accepted when 20 spins already wait (the queue
// is full) or the main window is gone.
struct SpinTicket {
  bool accepted = false;
  int spin = 0;
  int position = 0;
};
// `source` (UTF-8) names what asked, for the record: prizes::kSourceMouse,
// kSourceApi, kSourceHotkey or a client's own name (cleaned, 32 bytes).
SpinTicket RequestSpin(std::string_view source);

void ShowClock();
void ShowWheel();
// Wheel and needle back to 0; a spin in progress keeps its turning object.
void ResetWheel();
void SetChime(bool on);
// Applies the skin of that folder name as the skin list does (saved, shown
// in wheel mode); false when no such skin is there.
bool ChooseSkin(const std::string& name);
// The skin folders, the user's own first, each name once.
std::vector<std::string> SkinNames();

struct AppSnapshot {
  DisplayMode mode = DisplayMode::Clock;
  std::string skin;
  bool chime = false;
  int volume = 0;
  bool spinning = false;  // a spin is turning
  int queued = 0;         // spins waiting their turn
  std::optional<SpinResult> lastResult;
};
AppSnapshot Snapshot();

// The newest `limit` spins of the record file (UTF-8), newest first.
std::vector<prizes::SpinRecord> RecentSpins(std::size_t limit);

// The settings window's "允许本机控制": on writes "控制端口" = 39801 and,
// unless a good one is there, a new "控制令牌", then starts the control
// interface; off writes 0 and stops it.
void AllowLocalControl(bool on);
LocalControlStatus LocalControl();

// The main window as the desktop shows it, composed from its animation box
// and its outline (never read back from the screen); no pixels once the
// window is gone.
anim::WindowFrame ComposeWindow();

}  // namespace horavia::app
