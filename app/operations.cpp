// The snapshot of the application's state and the window's picture; the
// other operations live beside the handlers that call them (wheel.cpp,
// skins.cpp, settings_window.cpp, spin_result.cpp, local_control.cpp).
#include "app/operations.h"

#include "app/app_state.h"
#include "app/call.h"

namespace horavia::app {

anim::WindowFrame ComposeWindow() { return State().picture.compose(); }

AppSnapshot Snapshot() {
  const AppState& state = State();
  AppSnapshot snapshot;
  snapshot.mode = state.mode;
  snapshot.skin = TextOf(state.skinName);
  snapshot.chime = state.chimeEnabled != 0;
  snapshot.volume = state.volume;
  if (const WheelSpinner* spinner = state.spinner.get()) {
    snapshot.spinning = spinner->spinning();
    snapshot.queued = spinner->waiting();
    snapshot.lastResult = spinner->lastResult();
  }
  return snapshot;
}

}  // namespace horavia::app
