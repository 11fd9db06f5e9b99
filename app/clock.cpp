// The clock face's hands and the hourly chime. The clock has no timer of its
// own: each tick sets the three hands from the time of day and lets the box
// turn the second hand 6° a second for a minute; the end of that turn is the
// next tick. With the second hand hidden ("显示秒针" = 0) the next tick is the
// next minute's start.
#include "app/clock.h"

#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/subroutines.h"
#include "app/units.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

ArgRecord Date(double date) { return ArgRecord::Double(date, runtime::kTagDateTime); }

}  // namespace

// The end of a spin's stage goes on with the spin; the end of any other
// rotation (the second hand's minute, the still wheel's after a spin) is a
// tick.
SubroutineResult onClockTick(Args args) {
  AppState& state = State();
  const auto object = args.empty() ? 0 : static_cast<std::int32_t>(args[0]);
  if (state.spinner != nullptr && state.spinner->rotationStopped(object)) return SubroutineResult::None();
  double now = Call(CoreCommand::CurrentTime).real();
  std::int32_t h = Call(CoreCommand::HourOf, {Date(now)}).integer();
  std::int32_t m = Call(CoreCommand::MinuteOf, {Date(now)}).integer();
  std::int32_t s = Call(CoreCommand::SecondOf, {Date(now)}).integer();
  HandAngles angles = AnglesAt(h, m, s);
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(state.hourHand), Int(angles.hour)});
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(state.minuteHand), Int(angles.minute)});
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(state.secondHand), Int(angles.second)});
  // The menu's check mark decides, not chimeEnabled; the two change together.
  if (m == 0 && Read(kChimeItem, property::kMenuChecked) == 1) {
    playHourlyChime();
    state.observers.notify([h](AppObserver& o) { o.chimed(h); });
  }
  // Without the second hand nothing turns: the clock wakes for the next
  // minute alone.
  if (state.desktop != nullptr && !state.desktop->secondHand()) {
    Call(BoxCommand::SetObjectVisible, {Unit(kBox), Int(state.secondHand), Bool(false)});
    state.desktop->wakeAtNextMinute(s);
    return SubroutineResult::None();
  }
  Call(BoxCommand::StartAutoRotate,
       {Unit(kBox), Int(state.secondHand), Int(6), Int(1000), Omitted(), Int(60000)});
  return SubroutineResult::None();
}

// The chime object destroys itself once its animation has played.
void playHourlyChime() {
  Call(BoxCommand::CreateObject,
       {Unit(kBox), Unit(kChimeTemplate), Int(InWindowPixels(56)), Int(InWindowPixels(96)), Bool(true)});
  playSoundFile(TextOf(State().programFolder) + L.ChimeSound);
}

}  // namespace horavia::app
