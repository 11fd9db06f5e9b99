// The clock face's hands and the hourly chime. The clock has no timer of its
// own: each tick sets the three hands from the time of day and lets the box
// turn the second hand 6° a second for a minute; the end of that turn is the
// next tick.
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

SubroutineResult onClockTick(Args) {
  AppState& state = State();
  double now = Call(CoreCommand::CurrentTime).real();
  std::int32_t h = Call(CoreCommand::HourOf, {Date(now)}).integer();
  std::int32_t m = Call(CoreCommand::MinuteOf, {Date(now)}).integer();
  std::int32_t s = Call(CoreCommand::SecondOf, {Date(now)}).integer();
  HandAngles angles = AnglesAt(h, m, s);
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(state.hourHand), Int(angles.hour)});
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(state.minuteHand), Int(angles.minute)});
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(state.secondHand), Int(angles.second)});
  // The menu's check mark decides, not chimeEnabled; the two change together.
  if (m == 0 && Read(kChimeItem, property::kMenuChecked) == 1) playHourlyChime();
  Call(BoxCommand::StartAutoRotate,
       {Unit(kBox), Int(state.secondHand), Int(6), Int(1000), Omitted(), Int(60000)});
  return SubroutineResult::None();
}

// The chime object destroys itself once its animation has played.
void playHourlyChime() {
  Call(BoxCommand::CreateObject, {Unit(kBox), Unit(kChimeTemplate), Int(56), Int(96), Bool(true)});
  playSoundFile(TextOf(State().programFolder) + L.ChimeSound);
}

}  // namespace horavia::app
