// Local control as the settings say, and its part of the settings window.
//
// Index
//   [switch]   StartLocalControl, AllowLocalControl, LocalControl
//   [window]   the check box, the overlay's address, its copy button, the note
#include "app/local_control.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/call.h"
#include "app/control_token.h"
#include "app/literals.h"
#include "app/operations.h"
#include "app/settings.h"
#include "app/subroutines.h"
#include "app/units.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace settings_window;

// A port the settings name, or nothing: 0 is off, and so is anything that
// is no port at all.
std::optional<std::uint16_t> ConfiguredPort() {
  const std::int32_t port = ReadSettingNumber(Setting::ControlPort);
  if (port < 1 || port > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(port);
}

// The token the settings hold, made and written first when there is none
// (or none that could be one): once, the first time control is on. Empty
// when the system gives no entropy.
std::string Token() {
  std::string token = ReadSetting(Setting::ControlToken);
  if (IsWellFormedToken(token)) return token;
  const std::optional<std::string> made = NewControlToken();
  if (!made) return {};
  WriteSetting(Setting::ControlToken, *made);
  return *made;
}

}  // namespace

// [switch] ---------------------------------------------------------------------

void StartLocalControl() {
  AppState& state = State();
  const std::optional<std::uint16_t> port = ConfiguredPort();
  if (!port) {
    if (state.control != nullptr) state.control->stop();
    state.localControl = {};
    return;
  }
  LocalControlStatus status{true, *port, {}};
  if (state.control != nullptr) {
    status.interface = state.control->listen(*port, Token());
    if (!status.interface.listening) std::fprintf(stderr, "horavia: %s\n", status.interface.problem.c_str());
  }
  state.localControl = std::move(status);
}

void AllowLocalControl(bool on) {
  WriteSetting(Setting::ControlPort, on ? kUsualControlPort : 0);
  StartLocalControl();
}

LocalControlStatus LocalControl() { return State().localControl; }

// [window] ---------------------------------------------------------------------

// The check box, the address with its copy button, and the note when the
// interface is on but does not listen.
void fillLocalControl() {
  const LocalControlStatus& status = State().localControl;
  Write(kLocalControl, property::kChecked, status.on ? 1 : 0);
  WritePointer(kOverlayAddress, property::kEditText, status.on ? status.interface.address.c_str() : L.Empty);
  Write(kCopyAddress, property::kDisabled, status.on && !status.interface.address.empty() ? 0 : 1);
  std::string note;
  if (status.on && !status.interface.listening && State().control != nullptr) {
    note = L.ControlNoteBefore + std::to_string(status.port) + L.ControlNoteAfter;
  }
  WritePointer(kControlNote, property::kLabelCaption, note.c_str());
}

SubroutineResult onLocalControlClicked(Args) {
  AllowLocalControl(Read(kLocalControl, property::kChecked) != 0);
  fillLocalControl();
  return SubroutineResult::None();
}

// The address is ASCII, the same in code page 936 as on the clipboard.
SubroutineResult copyOverlayAddress(Args) {
  const LocalControlStatus& status = State().localControl;
  if (status.on) Call(CoreCommand::SetClipboardText, {Text(status.interface.address)});
  return SubroutineResult::None();
}

}  // namespace horavia::app
