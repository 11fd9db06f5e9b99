#include "app/spin.h"

#include "app/app_state.h"
#include "app/call.h"
#include "app/literals.h"
#include "app/skins.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/calendar.h"
#include "platform/text_codec.h"
#include "platform/ticks.h"

namespace horavia::app {
namespace {

const auto& L = kConstants;
using namespace main_window;

// Everything a spin does acts on the main window's box; once the user has
// closed the window (Escape, the exit item) a spin goes no further.
bool BoxLoaded() { return Call(CoreCommand::IsLoaded, {Unit(kBox)}).boolean(); }

void SetAngle(std::int32_t object, int angle) {
  Call(BoxCommand::SetObjectAngle, {Unit(kBox), Int(object), Int(angle)});
}

std::int32_t CreateFrom(const UnitRef& source, std::int32_t x, std::int32_t y) {
  return Call(BoxCommand::CreateObject,
              {Unit(kBox), Unit(source), Int(InWindowPixels(x)), Int(InWindowPixels(y)), Bool(true)})
      .integer();
}

std::string Now() {
  const platform::LocalTime t = platform::LocalTimeAt(platform::CalendarTime());
  return prizes::IsoTime({t.year, t.month, t.day, t.hour, t.minute, t.second, t.utcOffsetSeconds});
}

}  // namespace

WheelSpinner::WheelSpinner(std::span<const std::uint32_t> seed)
    : random_(seed), stageDeadline_([this] { endStage(); }), nextTurn_([this] {
        if (waiting_.empty() || running_) return;
        Request next = std::move(waiting_.front());
        waiting_.pop_front();
        start(std::move(next));
      }) {}

SpinTicket WheelSpinner::request(std::string_view source) {
  if (waiting_.size() >= kMostWaitingSpins || !BoxLoaded()) return {};
  Request request{nextSpin_++, prizes::CleanSource(source)};
  if (!running_ && waiting_.empty()) {
    const int spin = request.spin;
    start(std::move(request));
    return {true, spin, 0};
  }
  waiting_.push_back(std::move(request));
  return {true, waiting_.back().spin, static_cast<int>(waiting_.size())};
}

// The winner is drawn before anything turns; the stages are shaped to land
// on it from angle 0.
void WheelSpinner::start(Request request) {
  if (!BoxLoaded()) return;
  AppState& state = State();
  banner_.hide();
  playSoundFile(SkinFolder() + L.StartSound);
  Running spin;
  const bool wheelTurns = state.rotateWheel == 1;
  spin.object = wheelTurns ? state.wheel : state.needle;
  SetAngle(spin.object, 0);
  const prizes::SpinDraw draw = prizes::DrawSpin(state.prizes, random_);
  const int rest = prizes::RestAngleFor(draw.pointedAngle, wheelTurns);
  spin.plan = prizes::PlanSpin(draw.fullSpeedSeconds, 0, rest);
  spin.result.spin = request.spin;
  spin.result.segment = draw.segment;
  if (draw.segment > 0) spin.result.label = state.prizes.prizes[static_cast<std::size_t>(draw.segment - 1)].label;
  spin.result.angle = rest;
  spin.result.skin = TextOf(state.skinName);
  spin.result.source = std::move(request.source);
  const std::string source = spin.result.source;
  running_ = std::move(spin);
  state.observers.notify([&](AppObserver& o) { o.spinStarted(request.spin, source); });
  startStage();
}

// Each stage starts from the angle the last one ended on, exactly; a stage
// without steps (none is planned so) passes at once rather than turning
// without a limit.
void WheelSpinner::startStage() {
  Running& spin = *running_;
  const prizes::SpinStage& stage = spin.plan[static_cast<std::size_t>(spin.stage)];
  SetAngle(spin.object, prizes::AngleAfter(spin.plan, 0, spin.stage));
  spin.stageStart = platform::TickCount();
  if (stage.degrees() <= 0) {
    endStage();
    return;
  }
  Call(BoxCommand::StartAutoRotate,
       {Unit(kBox), Int(spin.object), Int(stage.step), Int(prizes::kStepMs), Int(stage.degrees()), Omitted()});
  armDeadline();
}

// A shown object's stage ends with the box's event 15; the deadline only
// rescues a spin whose object cannot turn. A hidden object's stage lasts
// its nominal time.
void WheelSpinner::armDeadline() {
  if (!running_) return;
  const Running& spin = *running_;
  const std::uint32_t nominal = static_cast<std::uint32_t>(spin.plan[static_cast<std::size_t>(spin.stage)].durationMs());
  const bool shown = State().mode == DisplayMode::Wheel;
  stageDeadline_.startAt(spin.stageStart + (shown ? 2 * nominal + 1000 : nominal));
}

void WheelSpinner::displayChanged() { armDeadline(); }

bool WheelSpinner::rotationStopped(std::int32_t object) {
  if (!running_ || object != running_->object) return false;
  endStage();
  return true;
}

void WheelSpinner::endStage() {
  stageDeadline_.stop();
  if (!running_ || !BoxLoaded()) return;
  Running& spin = *running_;
  ++spin.stage;
  SetAngle(spin.object, prizes::AngleAfter(spin.plan, 0, spin.stage));
  if (spin.stage < prizes::kStageCount) {
    startStage();
    return;
  }
  finish();
}

// At rest: the object stands still in a last rotation that ends a minute
// later and so corrects the clock, the end sound and pictures, the banner,
// the record; then the next waiting spin after the banner's time.
void WheelSpinner::finish() {
  AppState& state = State();
  Running spin = std::move(*running_);
  running_.reset();
  Call(BoxCommand::StartAutoRotate,
       {Unit(kBox), Int(spin.object), Int(0), Int(prizes::kStepMs), Omitted(), Int(60000)});
  playSoundFile(SkinFolder() + L.EndSound);
  CreateFrom(kEnd1Template, state.end1X, state.end1Y);
  CreateFrom(kEnd2Template, state.end2X, state.end2Y);
  spin.result.time = Now();
  if (spin.result.segment > 0) banner_.show(spin.result.label, state.resultSeconds);
  record_.append(spin.result);
  last_ = spin.result;
  if (!waiting_.empty()) nextTurn_.startIn(static_cast<std::uint32_t>(state.resultSeconds) * 1000);
  state.observers.notify([&](AppObserver& o) { o.spinEnded(spin.result); });
}

}  // namespace horavia::app
