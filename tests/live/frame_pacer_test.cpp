// Overlay frames: whatever the repaints do, a streaming program gets at
// most 30 frames a second during a spin and one a second while only the
// clock ticks, and never loses the last change.
#include "live/frame_pacer.h"

#include <gtest/gtest.h>

#include <vector>

#include "live/limits.h"
#include "platform/ticks.h"

namespace horavia::live {
namespace {

// Plays repaints of one kind every `every` ms for `duration` ms and sends
// each frame at the tick the pacer names; answers the ticks frames went out.
std::vector<std::uint32_t> FramesFor(Repaint what, std::uint32_t every, std::uint32_t duration, std::uint32_t start = 0) {
  FramePacer pacer;
  std::vector<std::uint32_t> sent;
  bool waiting = false;
  std::uint32_t due = 0;
  for (std::uint32_t now = start; now - start <= duration; ++now) {
    if ((now - start) % every == 0) {
      const std::uint32_t at = pacer.repainted(what, now);
      if (!waiting || platform::TickBefore(at, due)) due = at;
      waiting = true;
    }
    if (waiting && platform::TickReached(now, due)) {
      pacer.sent(now);
      sent.push_back(now);
      waiting = false;
    }
  }
  return sent;
}

TEST(FramePacer, TheFirstRepaintGoesOutAtOnce) {
  FramePacer pacer;
  EXPECT_EQ(pacer.repainted(Repaint::ClockTick, 5000), 5000u);
  EXPECT_TRUE(pacer.pending());
  pacer.sent(5000);
  EXPECT_FALSE(pacer.pending());
}

TEST(FramePacer, ASpinRepaintingEvery5MsGetsAtMost30FramesASecond) {
  const std::vector<std::uint32_t> sent = FramesFor(Repaint::Motion, 5, 3000);
  EXPECT_GE(sent.size(), 80u);  // about 29 a second: smooth, not starved
  for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_GE(sent[i] - sent[i - 1], limits::kMotionFrameMs);
  for (std::size_t i = 30; i < sent.size(); ++i) EXPECT_GE(sent[i] - sent[i - 30], 1000u);
}

TEST(FramePacer, TheClockAloneGetsOneFrameASecondAlsoAcrossTheTickWrap) {
  // Even if the box repainted for the clock far more often than it does.
  for (std::uint32_t start : {0u, 0xFFFFF000u}) {
    const std::vector<std::uint32_t> sent = FramesFor(Repaint::ClockTick, 100, 10000, start);
    ASSERT_EQ(sent.size(), 11u) << start;
    for (std::size_t i = 1; i < sent.size(); ++i) EXPECT_EQ(sent[i] - sent[i - 1], 1000u) << start;
  }
}

TEST(FramePacer, MotionAfterAClockFrameWaitsOnlyTheShortGap) {
  FramePacer pacer;
  pacer.sent(pacer.repainted(Repaint::ClockTick, 1000));
  EXPECT_EQ(pacer.repainted(Repaint::ClockTick, 1010), 2000u);
  // A mode change while the clock's frame waits: it goes out soon, and
  // shows both.
  EXPECT_EQ(pacer.repainted(Repaint::Motion, 1020), 1000u + limits::kMotionFrameMs);
  // A later clock repaint does not slow the waiting motion frame down.
  EXPECT_EQ(pacer.repainted(Repaint::ClockTick, 1025), 1000u + limits::kMotionFrameMs);
}

TEST(FramePacer, ARepaintLongAfterTheLastFrameGoesOutAtOnce) {
  FramePacer pacer;
  pacer.sent(pacer.repainted(Repaint::Motion, 1000));
  EXPECT_EQ(pacer.repainted(Repaint::ClockTick, 9000), 9000u);
}

}  // namespace
}  // namespace horavia::live
