// Local control: the control interface turned on and off as "控制端口" says,
// with the token "控制令牌" it checks, and what the settings window shows of
// it. The interface itself lives above the application (it calls the
// application's operations); the program's main hands the application a
// ControlService to start and stop it, and tests leave it out.
#pragma once

#include <cstdint>
#include <string>

namespace horavia::app {

// The port "允许本机控制" turns the interface on at, one no common streaming
// tool uses.
inline constexpr std::uint16_t kUsualControlPort = 39801;

// What starting the interface gave.
struct ControlListening {
  bool listening = false;
  std::string address;  // the overlay's address (ASCII), whether it listens or not
  std::string problem;  // one line saying why it does not listen
};

class ControlService {
 public:
  virtual ~ControlService() = default;
  // Listens at `port` (1-65535) with `token`, in place of any earlier port.
  virtual ControlListening listen(std::uint16_t port, const std::string& token) = 0;
  virtual void stop() = 0;
};

// Local control as it stands.
struct LocalControlStatus {
  bool on = false;  // "控制端口" names a port
  std::uint16_t port = 0;
  ControlListening interface;
};

// Start-up: the interface as the settings say. When it cannot listen, one
// line on standard error and a note in the settings window; the program
// goes on without it.
void StartLocalControl();

}  // namespace horavia::app
