// The prize wheel: a spin in slowing stages with its sounds and end pictures,
// the skin list's preview of the end pictures, and the two display modes of
// the main window (clock and wheel).
#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/skins.h"
#include "app/subroutines.h"
#include "app/units.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

// One stage of a spin: a rotation of `step` degrees every 50 ms, held for
// `wait` ms.
struct Stage {
  std::int32_t step;
  std::int32_t wait;
};

void Rotate(std::int32_t target, std::int32_t step) {
  Call(BoxCommand::StartAutoRotate, {Unit(kBox), Int(target), Int(step), Int(50), Omitted(), Int(60000)});
}

// Waits while events go on. The user may close the window meanwhile (Escape,
// or the exit item): then the spin ends instead of acting on a box that no
// longer exists.
bool WaitWhileLoaded(std::int32_t ms) {
  Call(SpecialCommand::Delay, {Int(ms)});
  return Call(CoreCommand::IsLoaded, {Unit(kBox)}).boolean();
}

std::int32_t CreateFrom(const UnitRef& source, std::int32_t x, std::int32_t y) {
  return Call(BoxCommand::CreateObject, {Unit(kBox), Unit(source), Int(x), Int(y), Bool(true)}).integer();
}

void ShowWheelObjects(bool visible) {
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(State().wheel), Bool(visible)});
  Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(State().needle), Bool(visible)});
}

}  // namespace

// Where the turning object stops follows from d and from how many steps the
// box performs; nothing computes it. The last rotation stands still and ends
// a minute later, which corrects the clock.
SubroutineResult spinWheel(Args) {
  AppState& state = State();
  playSoundFile(SkinFolder() + L.StartSound);
  std::int32_t target = state.rotateWheel == 1 ? state.wheel : state.needle;
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(target), Int(0)});
  std::int32_t d = Call(CoreCommand::RandomInteger, {Int(1), Int(12)}).integer();
  const Stage stages[] = {
      {100, d * 1000}, {50, 1000}, {25, 1000}, {12, static_cast<std::int32_t>(d / 3.0 * 1000)},
      {6, 1000},       {3, 1000},  {2, 1000},  {1, 1000},
  };
  for (const Stage& stage : stages) {
    Rotate(target, stage.step);
    if (!WaitWhileLoaded(stage.wait)) return SubroutineResult::None();
  }
  Rotate(target, 0);
  playSoundFile(SkinFolder() + L.EndSound);
  CreateFrom(kEnd1Template, state.end1X, state.end1Y);
  CreateFrom(kEnd2Template, state.end2X, state.end2Y);
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
  ShapeWindowFrom(kWheelPicture);
  ShowWheelObjects(true);
  return SubroutineResult::None();
}

SubroutineResult showClock(Args) {
  ShapeWindowFrom(kFacePicture);
  ShowWheelObjects(false);
  return SubroutineResult::None();
}

SubroutineResult resetWheel(Args) {
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(State().needle), Int(0)});
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(State().wheel), Int(0)});
  return SubroutineResult::None();
}

}  // namespace horavia::app
