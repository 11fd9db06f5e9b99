// Index
//   [port]      the application's operations, texts converted at this edge
//   [events]    the application's notices as events and overlay frames
//   [service]   listening as the application's settings say
#include "live/app_control.h"

#include <cstdio>

#include "app/app_state.h"
#include "app/operations.h"
#include "app/settings.h"
#include "live/routes.h"
#include "platform/text_codec.h"

namespace horavia::live {
namespace {

DisplayMode ModeOf(app::DisplayMode mode) {
  return mode == app::DisplayMode::Wheel ? DisplayMode::Wheel : DisplayMode::Clock;
}

std::string Utf8(std::string_view cp936) { return platform::Cp936ToUtf8(cp936); }

SpinResult ResultOf(const app::SpinResult& result) {
  return {result.spin, result.segment, Utf8(result.label), static_cast<double>(result.angle)};
}

}  // namespace

void AppControl::install() {
  app::AppState& state = app::State();
  state.observers.add(this);
  state.control = this;
}

void AppControl::withdraw() {
  app::AppState& state = app::State();
  state.observers.remove(this);
  if (state.control == this) state.control = nullptr;
  server_.stop();
}

// [port] -----------------------------------------------------------------------

StateSnapshot AppControl::state() const {
  const app::AppSnapshot now = app::Snapshot();
  StateSnapshot snapshot;
  snapshot.mode = ModeOf(now.mode);
  snapshot.skin = Utf8(now.skin);
  snapshot.chime = now.chime;
  snapshot.volume = now.volume;
  snapshot.spinning = now.spinning;
  snapshot.queued = now.queued;
  if (now.lastResult) snapshot.lastResult = ResultOf(*now.lastResult);
  snapshot.version = HORAVIA_VERSION;
  return snapshot;
}

std::optional<SpinTicket> AppControl::spin(std::string_view source) {
  const app::SpinTicket ticket = app::RequestSpin(source);
  if (!ticket.accepted) return std::nullopt;
  return SpinTicket{ticket.spin, ticket.position};
}

void AppControl::setMode(DisplayMode mode) {
  if (mode == DisplayMode::Wheel) return app::ShowWheel();
  app::ShowClock();
}

void AppControl::resetWheel() { app::ResetWheel(); }

void AppControl::setChime(bool on) { app::SetChime(on); }

// A name with a character code page 936 does not have names no skin: it
// must not turn into another name on the way.
bool AppControl::chooseSkin(std::string_view name) {
  const std::string cp936 = platform::Utf8ToCp936(name);
  if (Utf8(cp936) != name) return false;
  return app::ChooseSkin(cp936);
}

std::vector<std::string> AppControl::skins() const {
  std::vector<std::string> names;
  for (const std::string& name : app::SkinNames()) names.push_back(Utf8(name));
  return names;
}

std::vector<SpinRecord> AppControl::history(int limit) const {
  std::vector<SpinRecord> records;
  for (app::prizes::SpinRecord& r : app::RecentSpins(static_cast<std::size_t>(std::max(limit, 0)))) {
    records.push_back({std::move(r.time), std::move(r.skin), r.segment, std::move(r.label),
                       static_cast<double>(r.angle), std::move(r.source)});
  }
  return records;
}

Frame AppControl::frame() const {
  anim::WindowFrame composed = app::ComposeWindow();
  return {composed.width, composed.height, std::move(composed.pixels)};
}

// [events] ---------------------------------------------------------------------

void AppControl::spinStarted(int spin, std::string_view source) {
  server_.publish(SpinStarted{spin, std::string(source)});
}

void AppControl::spinEnded(const app::SpinResult& result) { server_.publish(SpinEnded{ResultOf(result)}); }

void AppControl::modeChanged(app::DisplayMode mode) { server_.publish(ModeChanged{ModeOf(mode)}); }

void AppControl::skinChanged(std::string_view skin) { server_.publish(SkinChanged{Utf8(skin)}); }

void AppControl::chimed(int hour) { server_.publish(ChimeRang{hour}); }

// The token is the one secret of the settings: it never goes out, not even
// to clients that hold it.
void AppControl::settingsChanged(app::Setting setting) {
  if (setting == app::Setting::ControlToken) return;
  server_.publish(SettingsChanged{Utf8(app::RowOf(setting).key), Utf8(app::ReadSetting(setting))});
}

void AppControl::windowRepainted(app::WindowChange change) {
  server_.repainted(change == app::WindowChange::ClockHands ? Repaint::ClockTick : Repaint::Motion);
}

// Repaints become overlay frames, for the sockets that take them.
bool AppControl::followsRepaints() const { return server_.sendsFrames(); }

// [service] --------------------------------------------------------------------

app::ControlListening AppControl::listen(std::uint16_t port, const std::string& token) {
  app::ControlListening result;
  result.address = OverlayAddress(port, token);
  if (const std::optional<std::string> problem = server_.start(port, token)) {
    result.problem = *problem;
    return result;
  }
  result.listening = true;
  return result;
}

void AppControl::stop() { server_.stop(); }

bool StartOverlayOnly() {
  if (!app::LocalControl().on) app::AllowLocalControl(true);
  const app::LocalControlStatus status = app::LocalControl();
  if (!status.interface.listening) return false;
  std::printf("overlay: %s\n", status.interface.address.c_str());
  std::fflush(stdout);
  return true;
}

std::string OverlayAddress(std::uint16_t port, std::string_view token) {
  return "http://127.0.0.1:" + std::to_string(port) + std::string(kOverlayPath) + "?token=" + std::string(token);
}

}  // namespace horavia::live
