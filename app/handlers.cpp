// Handlers that later work fills in do nothing yet; each says what it will do.
#include "app/handlers.h"

#include <array>

#include "app/handler_names.h"
#include "app/image.h"
#include "runtime/entry.h"

namespace horavia::app {
namespace {

using Args = std::span<const std::uint32_t>;
using ui::SubroutineResult;

// Opens the settings window.
SubroutineResult openSettings(Args) { return SubroutineResult::None(); }
// Prepares the main window: folders, the audio library, settings, objects, skin.
SubroutineResult onMainWindowCreated(Args) { return SubroutineResult::None(); }
// Sets the hands from the current time and starts the next second's turn.
SubroutineResult onClockTick(Args) { return SubroutineResult::None(); }
// Pops up the hidden menu at the mouse.
SubroutineResult showPopupMenu(Args) { return SubroutineResult::None(); }
// Spins the wheel or the needle in slowing stages.
SubroutineResult spinWheel(Args) { return SubroutineResult::None(); }
// Switches to the clock.
SubroutineResult showClock(Args) { return SubroutineResult::None(); }
// Switches to the prize wheel.
SubroutineResult showWheel(Args) { return SubroutineResult::None(); }
// Turns the wheel and the needle back to zero.
SubroutineResult resetWheel(Args) { return SubroutineResult::None(); }
// Switches the hourly chime on or off and stores the choice.
SubroutineResult toggleChime(Args) { return SubroutineResult::None(); }
// Ends the program with exit code 0.
SubroutineResult exitProgram(Args) {
  runtime::Entries().exitProgram(0);
  return SubroutineResult::None();
}
// Fills the settings window from the current settings.
SubroutineResult onSettingsWindowCreated(Args) { return SubroutineResult::None(); }
// Loads the skin chosen in the list.
SubroutineResult applySelectedSkin(Args) { return SubroutineResult::None(); }
// Shows the chosen skin's end pictures as a preview.
SubroutineResult previewEndEffect(Args) { return SubroutineResult::None(); }
// Switches starting with the system on or off.
SubroutineResult onAutostartClicked(Args) { return SubroutineResult::None(); }
// Selects the sound output device.
SubroutineResult onDeviceSelected(Args) { return SubroutineResult::None(); }
// Sets the playback volume.
SubroutineResult onVolumeChanged(Args) { return SubroutineResult::None(); }
// The OK object's pressed look.
SubroutineResult okButtonPress(Args) { return SubroutineResult::None(); }
// The OK object's hover look.
SubroutineResult okButtonEnter(Args) { return SubroutineResult::None(); }
// The OK object's normal look.
SubroutineResult okButtonLeave(Args) { return SubroutineResult::None(); }
// Closes the settings window when the OK object is released.
SubroutineResult okButtonRelease(Args) { return SubroutineResult::None(); }

constexpr std::array<ui::AppSubroutine, kHandlerCount> kHandlers = {
#define HORAVIA_HANDLER_ENTRY(name) &name,
    HORAVIA_APP_HANDLERS(HORAVIA_HANDLER_ENTRY)
#undef HORAVIA_HANDLER_ENTRY
};

}  // namespace

ui::HandlerTable Handlers() { return {kCodeBase, kHandlers}; }

}  // namespace horavia::app
