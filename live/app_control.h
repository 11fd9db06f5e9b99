// The control interface over the real application: the application's
// operations behind ControlPort (the same ones the menu and the settings
// window call), its observer notices passed on as events and overlay
// frames, and the ControlService with which the application turns the
// interface on and off as its settings say. The program's main makes one
// and hands it to the application before start-up.
//
// The application keeps its texts in code page 936; here they become UTF-8
// and back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_observer.h"
#include "app/local_control.h"
#include "live/control_port.h"
#include "live/live_server.h"

namespace horavia::live {

class AppControl : public ControlPort, public app::AppObserver, public app::ControlService {
 public:
  AppControl() = default;
  AppControl(const AppControl&) = delete;
  AppControl& operator=(const AppControl&) = delete;

  // Registers with the application's state as its observer and its control
  // service (before start-up); `withdraw` undoes it.
  void install();
  void withdraw();

  LiveServer& server() { return server_; }

  // ControlPort
  StateSnapshot state() const override;
  std::optional<SpinTicket> spin(std::string_view source) override;
  void setMode(DisplayMode mode) override;
  void resetWheel() override;
  void setChime(bool on) override;
  bool chooseSkin(std::string_view name) override;
  std::vector<std::string> skins() const override;
  std::vector<SpinRecord> history(int limit) const override;
  Frame frame() const override;

  // app::AppObserver
  void spinStarted(int spin, std::string_view source) override;
  void spinEnded(const app::SpinResult& result) override;
  void modeChanged(app::DisplayMode mode) override;
  void skinChanged(std::string_view skin) override;
  void chimed(int hour) override;
  void settingsChanged(app::Setting setting) override;
  void windowRepainted(app::WindowChange change) override;
  bool followsRepaints() const override;

  // app::ControlService
  app::ControlListening listen(std::uint16_t port, const std::string& token) override;
  void stop() override;

 private:
  LiveServer server_{*this};
};

// The overlay's address for a browser source.
std::string OverlayAddress(std::uint16_t port, std::string_view token);

// horavia --overlay-only: the overlay is the only way to see the program,
// so local control is turned on as the settings window's check box turns
// it on when the settings have it off, and the overlay's address goes to
// standard output. False when the interface does not listen (the reason is
// already on standard error).
bool StartOverlayOnly();

}  // namespace horavia::live
