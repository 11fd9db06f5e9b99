// The application's state: one record for the whole process, created at
// start-up and released by the clean-up routine the runtime runs at exit.
#pragma once

#include <cstdint>
#include <memory>

#include "app/app_observer.h"
#include "app/desktop.h"
#include "app/local_control.h"
#include "app/picture_button.h"
#include "app/prizes/prizes.h"
#include "app/sound_player.h"
#include "app/spin.h"
#include "app/window_picture.h"

namespace horavia::app {

struct AppState {
  char* programFolder = nullptr;  // runtime text, always ending in "\"
  // Where the program writes (the settings, the audio library, the user's
  // own skins): the program folder when it may write there, else the user's
  // data folder. Runtime text ending in "\".
  char* dataFolder = nullptr;
  std::unique_ptr<SoundPlayer> player;
  std::uint32_t stream = 0;       // the stream currently loaded, 0 if none
  std::int32_t volume = 0;        // percent, as the settings slider gives it
  std::int32_t device = 0;        // device-list entry, 0 = system default
  // Start-up has not checked the output devices yet (app/sound.cpp).
  bool soundCheckPending = false;
  char* skinName = nullptr;       // folder under "skins\"
  std::int32_t chimeEnabled = 0;
  std::int32_t hourHand = 0, minuteHand = 0, secondHand = 0;
  std::int32_t wheel = 0, needle = 0;
  std::int32_t end1X = 0, end1Y = 0, end2X = 0, end2Y = 0;
  std::int32_t rotateWheel = 0;   // 1: the wheel turns under a still needle
  prizes::PrizeWheel prizes;      // the skin's prizes; none when it lists none or bad ones
  // The skin asks for its prizes on the wheel and they are not written yet.
  // Writing them needs the fonts and costs more than the rest of the skin,
  // so a start in clock mode leaves it until the wheel first shows.
  bool wheelLabelsPending = false;
  std::int32_t resultSeconds = 0;  // how long the winning label shows
  DisplayMode mode = DisplayMode::Clock;
  std::int32_t previewEnd1 = 0, previewEnd2 = 0;
  std::int32_t okButtonObject = 0;
  std::unique_ptr<PictureButton> okButton;
  // The spins: their queue, the one turning, the generator they draw from
  // (seeded once at start-up from the system's entropy).
  std::unique_ptr<WheelSpinner> spinner;
  AppObservers observers;
  // The main window's picture, for the control interface's overlay.
  WindowPicture picture;
  // The control interface, when the program has one (the program's main
  // installs it; it outlives the state), and how it stands.
  ControlService* control = nullptr;
  LocalControlStatus localControl;
  // Whether a failed write of the settings has been reported (once a run).
  bool settingsWriteReported = false;
  // The desktop switches and the tray icon, once the main window exists.
  std::unique_ptr<DesktopClock> desktop;
};

// The process-wide record, zero-initialised before start-up.
AppState& State();

// The application's start-up routine: image initialisation, state, clean-up
// registration and the start window. The message loop follows it.
void StartApplication();

// The exit clean-up routine registered with the runtime.
void releaseAppState();
// Releases the state and clears every field, as before start-up (tests run
// the program more than once in one process).
void ResetState();

}  // namespace horavia::app
