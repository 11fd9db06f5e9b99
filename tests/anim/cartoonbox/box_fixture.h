// A box driven without any window: a host that records every event,
// repaint, sound and warning, answers events as a test tells it to, and owns the
// box so that a handler can destroy it. Time is a ManualTicks clock.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "anim/cartoonbox/cartoon_box.h"
#include "platform/ticks.h"

namespace horavia::anim::testing {

struct RaisedEvent {
  std::int32_t event;
  std::vector<std::int32_t> args;
  friend bool operator==(const RaisedEvent&, const RaisedEvent&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const RaisedEvent& e) {
  out << "event " << e.event << " (";
  for (std::size_t i = 0; i < e.args.size(); ++i) out << (i ? ", " : "") << e.args[i];
  return out << ")";
}

class RecordingHost : public BoxHost {
 public:
  std::optional<std::int32_t> RaiseEvent(BoxEvent event, std::span<const std::int32_t> args) override {
    events.push_back({event, {args.begin(), args.end()}});
    if (auto action = actions.find(event); action != actions.end()) action->second(args);
    if (auto result = results.find(event); result != results.end()) return result->second;
    return std::nullopt;
  }
  void Invalidate(const BoxRect& rect) override { invalidated.push_back(rect); }
  void UpdateNow() override { ++updates; }
  void PlaySound(std::span<const std::uint8_t> wave) override { sounds.emplace_back(wave.begin(), wave.end()); }
  void Warn(std::string_view line) override { warnings.emplace_back(line); }

  // The events raised so far with this number.
  std::vector<RaisedEvent> Raised(std::int32_t event) const {
    std::vector<RaisedEvent> out;
    for (const RaisedEvent& e : events)
      if (e.event == event) out.push_back(e);
    return out;
  }

  std::unique_ptr<CartoonBox> box;
  std::vector<RaisedEvent> events;
  std::map<std::int32_t, std::int32_t> results;
  std::map<std::int32_t, std::function<void(std::span<const std::int32_t>)>> actions;
  std::vector<BoxRect> invalidated;
  std::vector<std::vector<std::uint8_t>> sounds;
  std::vector<std::string> warnings;
  int updates = 0;
};

// A w × h frame of one pixel value (0xTTRRGGBB, T = transparency).
inline FrameImage Solid(int width, int height, std::uint32_t pixel, std::uint32_t key = kNoKey) {
  FrameImage image;
  image.width = width;
  image.height = height;
  image.frames.push_back({key, 0, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, pixel)});
  return image;
}

inline ObjectTemplate TemplateOf(FrameImage picture) {
  ObjectTemplate t;
  t.picture = std::move(picture);
  return t;
}

class BoxTest : public ::testing::Test {
 protected:
  BoxTest() {
    host.box = std::make_unique<CartoonBox>(host);
    host.box->resize(300, 300);
  }
  CartoonBox& box() { return *host.box; }
  std::int32_t Create(const ObjectTemplate& t, double x = 0, double y = 0, bool visible = true) {
    return box().createObject(&t, x, y, visible, "");
  }

  platform::ManualTicks ticks{1000};
  RecordingHost host;
};

}  // namespace horavia::anim::testing
