// The application's subroutines, by the module that owns them. The ones the
// forms bind (the handler list in app/handler_names.h) take the event's
// arguments; the others are called by them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/app_observer.h"
#include "ui/units/subroutines.h"

namespace horavia::app {

using Args = std::span<const std::uint32_t>;
using ui::SubroutineResult;

// [clock] clock.cpp: the hands and the hourly chime.
SubroutineResult onClockTick(Args);
void playHourlyChime();

// [sound] sound.cpp: playback through the audio library.
void playSoundFile(const std::string& path);
void reinitSoundDevice(std::int32_t entry);
// Start-up's check of the output devices: marked due, then run after the
// first frame or before the first sound, whichever comes first.
void checkSoundDeviceLater();
void checkSoundDeviceNow();
void fillDeviceList();
SubroutineResult onDeviceSelected(Args);
SubroutineResult onVolumeChanged(Args);

// [wheel] wheel.cpp: the prize wheel and the two display modes.
SubroutineResult spinWheel(Args);
SubroutineResult previewEndEffect(Args);
SubroutineResult showWheel(Args);
SubroutineResult showClock(Args);
SubroutineResult resetWheel(Args);
// The mode's bookkeeping: the state, the spin's deadlines, the observers.
void SetDisplayMode(DisplayMode mode);

// [skins] skins.cpp: the settings file, skins and autostart.
void loadSettings();
void saveSettings();
void loadSkin();
// Writes the skin's prizes onto the wheel if it asked for them and they are
// not written yet: they wait until the wheel first shows.
void WritePendingWheelLabels();
SubroutineResult applySelectedSkin(Args);
SubroutineResult onAutostartClicked(Args);
void fillSkinList();
void fillAutostartBox();

// [settings window] settings_window.cpp: the menu and the settings window.
SubroutineResult showPopupMenu(Args);
SubroutineResult openSettings(Args);
SubroutineResult toggleChime(Args);
SubroutineResult exitProgram(Args);
SubroutineResult onSettingsWindowCreated(Args);
SubroutineResult okButtonPress(Args);
SubroutineResult okButtonEnter(Args);
SubroutineResult okButtonLeave(Args);
SubroutineResult okButtonRelease(Args);

// [local control] local_control.cpp: its part of the settings window.
void fillLocalControl();
SubroutineResult onLocalControlClicked(Args);
SubroutineResult copyOverlayAddress(Args);

// [desktop] desktop.cpp: the desktop switches.
SubroutineResult onMainWindowMoved(Args);
SubroutineResult toggleClickThrough(Args);
SubroutineResult toggleSecondHand(Args);
SubroutineResult onOpacityChanged(Args);
SubroutineResult onSizeChanged(Args);

// [main window] main_window.cpp: what runs once the main window exists.
SubroutineResult onMainWindowCreated(Args);
void initialiseClockWindow();

}  // namespace horavia::app
