// The pop-up menu's commands and the settings window: its filling when it
// opens and its OK picture button, which closes it.
#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/operations.h"
#include "app/skins.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "runtime/entry.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;

std::int32_t Arg(Args args, std::size_t i) { return i < args.size() ? static_cast<std::int32_t>(args[i]) : 0; }

}  // namespace

// [menu] -----------------------------------------------------------------------

// Opens at the mouse.
SubroutineResult showPopupMenu(Args) {
  Call(CoreCommand::PopupMenu, {Unit(main_window::kWindow), Unit(main_window::kMenu)});
  return SubroutineResult::None();
}

SubroutineResult openSettings(Args) {
  Call(CoreCommand::LoadWindow, {Unit(settings_window::kWindow), Unit(main_window::kWindow), Bool(true)});
  return SubroutineResult::None();
}

// The check mark and chimeEnabled change together, and the setting is
// written each time.
void SetChime(bool on) {
  using main_window::kChimeItem;
  Write(kChimeItem, property::kMenuChecked, on ? 1 : 0);
  State().chimeEnabled = Read(kChimeItem, property::kMenuChecked) == 1 ? 1 : 0;
  saveSettings();
}

SubroutineResult toggleChime(Args) {
  SetChime(Read(main_window::kChimeItem, property::kMenuChecked) != 1);
  return SubroutineResult::None();
}

SubroutineResult exitProgram(Args) {
  runtime::Entries().exitProgram(0);
  return SubroutineResult::None();
}

// [settings window] ------------------------------------------------------------

// Each opening rebuilds the lists and the OK object.
SubroutineResult onSettingsWindowCreated(Args) {
  using namespace settings_window;
  AppState& state = State();
  state.okButtonObject =
      Call(BoxCommand::CreateObject, {Unit(kOkBox), Unit(kOkTemplate), Int(0), Int(0), Bool(true)}).integer();
  state.okButton->Init(kWindow, kOkBox, &L.OkNormal, &L.OkPressed, &L.OkHover, state.okButtonObject);
  Write(kVolume, property::kSliderPosition, state.volume);
  if (state.desktop != nullptr) {
    Write(kOpacity, property::kSliderPosition, state.desktop->opacity());
    Write(kSize, property::kSliderPosition, state.desktop->size());
  }
  fillAutostartBox();
  fillSkinList();
  fillDeviceList();
  fillLocalControl();
  return SubroutineResult::None();
}

SubroutineResult okButtonPress(Args args) {
  State().okButton->Press(Arg(args, 0));
  return SubroutineResult::None();
}

SubroutineResult okButtonEnter(Args args) {
  State().okButton->Enter(Arg(args, 0), Arg(args, 1));
  return SubroutineResult::None();
}

SubroutineResult okButtonLeave(Args args) {
  State().okButton->Leave(Arg(args, 0));
  return SubroutineResult::None();
}

// A press that began on OK closes the window wherever the button comes up
// inside the box (the box holds only the OK object).
SubroutineResult okButtonRelease(Args args) {
  State().okButton->Release(Arg(args, 0));
  if (Arg(args, 1) >= 1) Call(CoreCommand::DestroyWindowOrUnit, {Unit(settings_window::kWindow)});
  return SubroutineResult::None();
}

}  // namespace horavia::app
