// The prize wheel's handlers and operations: a double-click asks for a spin
// (app/spin.h turns it), the skin list's preview of the end pictures, the
// two display modes of the main window (clock and wheel) and the reset.
#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/operations.h"
#include "app/skins.h"
#include "app/subroutines.h"
#include "app/units.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

std::int32_t CreateFrom(const UnitRef& source, std::int32_t x, std::int32_t y) {
  return Call(BoxCommand::CreateObject,
              {Unit(kBox), Unit(source), Int(InWindowPixels(x)), Int(InWindowPixels(y)), Bool(true)})
      .integer();
}

void ShowWheelObjects(bool visible) {
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(State().wheel), Bool(visible)});
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(State().needle), Bool(visible)});
}

}  // namespace

// [operations] -----------------------------------------------------------------

SpinTicket RequestSpin(std::string_view source) {
  WheelSpinner* spinner = State().spinner.get();
  return spinner != nullptr ? spinner->request(source) : SpinTicket{};
}

void ShowWheel() {
  WritePendingWheelLabels();
  ShapeWindowFrom(kWheelPicture);
  ShowWheelObjects(true);
  SetDisplayMode(DisplayMode::Wheel);
}

void ShowClock() {
  ShapeWindowFrom(kFacePicture);
  ShowWheelObjects(false);
  SetDisplayMode(DisplayMode::Clock);
}

void SetDisplayMode(DisplayMode mode) {
  AppState& state = State();
  const bool changed = state.mode != mode;
  state.mode = mode;
  if (state.spinner != nullptr) state.spinner->displayChanged();
  if (changed) state.observers.notify([mode](AppObserver& o) { o.modeChanged(mode); });
}

// A spin in progress lands where it was drawn: its turning object is left
// to it.
void ResetWheel() {
  const WheelSpinner* spinner = State().spinner.get();
  const std::int32_t turning = spinner != nullptr ? spinner->turningObject() : 0;
  for (const std::int32_t object : {State().needle, State().wheel}) {
    if (object != turning) Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(object), Int(0)});
  }
}

// [handlers] -------------------------------------------------------------------

// A double-click on any object, in either mode: while a spin turns, the new
// one waits its turn.
// A clock that lets clicks through takes no double-click for a spin (the
// control interface still spins it).
SubroutineResult spinWheel(Args) {
  if (State().desktop != nullptr && State().desktop->clickThrough()) return SubroutineResult::None();
  RequestSpin(prizes::kSourceMouse);
  return SubroutineResult::None();
}

SubroutineResult previewEndEffect(Args) {
  AppState& state = State();
  playSoundFile(SkinFolder() + L.EndSound);
  Call(BoxCommand::DestroyObjects, {Unit(kBox), Int(state.previewEnd1), Int(state.previewEnd2)});
  state.previewEnd1 = CreateFrom(kEnd1Template, state.end1X, state.end1Y);
  state.previewEnd2 = CreateFrom(kEnd2Template, state.end2X, state.end2Y);
  return SubroutineResult::None();
}

SubroutineResult showWheel(Args) {
  ShowWheel();
  return SubroutineResult::None();
}

SubroutineResult showClock(Args) {
  ShowClock();
  return SubroutineResult::None();
}

SubroutineResult resetWheel(Args) {
  ResetWheel();
  return SubroutineResult::None();
}

}  // namespace horavia::app
