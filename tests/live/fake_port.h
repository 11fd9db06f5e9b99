// An application behind the control port, in memory: it does what the real
// one would visibly do (the mode changes, spins queue up to a limit, skins
// exist or not) and records every call, for the tests and the fuzz target.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "live/control_port.h"

namespace horavia::live::testing {

class FakePort : public ControlPort {
 public:
  StateSnapshot snapshot = [] {
    StateSnapshot s;
    s.skin = "蓝色";
    s.version = "0.1";
    return s;
  }();
  std::vector<std::string> skinNames{"蓝色", "喜庆"};
  std::vector<SpinRecord> records;  // newest first
  int queueCapacity = 20;           // spins that may wait behind the running one
  Frame picture{2, 2, {0xFF102030u, 0x80FFFFFFu, 0x00000000u, 0xFF00FF00u}};

  std::vector<std::string> calls;  // "spin:<source>", "mode:wheel", ...
  std::int64_t nextSpin = 1;
  mutable int lastHistoryLimit = -1;

  StateSnapshot state() const override { return snapshot; }

  std::optional<SpinTicket> spin(std::string_view source) override {
    calls.push_back("spin:" + std::string(source));
    if (snapshot.spinning && snapshot.queued >= queueCapacity) return std::nullopt;
    SpinTicket ticket{nextSpin++, snapshot.spinning ? snapshot.queued + 1 : 0};
    if (snapshot.spinning) ++snapshot.queued;
    snapshot.spinning = true;
    return ticket;
  }
  void setMode(DisplayMode mode) override {
    calls.push_back(mode == DisplayMode::Wheel ? "mode:wheel" : "mode:clock");
    snapshot.mode = mode;
  }
  void resetWheel() override { calls.push_back("reset"); }
  void setChime(bool on) override {
    calls.push_back(on ? "chime:on" : "chime:off");
    snapshot.chime = on;
  }
  bool chooseSkin(std::string_view name) override {
    calls.push_back("skin:" + std::string(name));
    if (std::find(skinNames.begin(), skinNames.end(), name) == skinNames.end()) return false;
    snapshot.skin = name;
    return true;
  }
  std::vector<std::string> skins() const override { return skinNames; }
  std::vector<SpinRecord> history(int limit) const override {
    lastHistoryLimit = limit;
    const auto count = std::min<std::size_t>(records.size(), static_cast<std::size_t>(std::max(limit, 0)));
    return {records.begin(), records.begin() + static_cast<std::ptrdiff_t>(count)};
  }
  Frame frame() const override { return picture; }
};

}  // namespace horavia::live::testing
