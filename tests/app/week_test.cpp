// A week of the program in seconds of test time, through the tick and
// calendar seams: the calendar follows the ticks, which start an hour before
// their 32-bit count wraps. The clock ticks every minute, the chime rings
// every full hour, and the wheel spins every ten minutes; nothing may pile
// up (box objects, armed timers, open sound streams) and the hands must show
// the time at the end.
#include <cstdint>
#include <ctime>
#include <fstream>
#include <limits>
#include <set>

#include "app/call.h"
#include "app/clock.h"
#include "app/operations.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/calendar.h"
#include "platform/timers.h"
#include "tests/anim/support/encoders.h"
#include "tests/app/app_fixture.h"

namespace horavia::app::testing {
namespace {

#if defined(__SANITIZE_ADDRESS__)
#define HORAVIA_WEEK_UNDER_SANITIZERS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HORAVIA_WEEK_UNDER_SANITIZERS 1
#endif
#endif
#ifdef HORAVIA_WEEK_UNDER_SANITIZERS
// A week's million box steps take many minutes in the sanitizers' debug
// build (a day takes about a minute): six hours there, the wrap among them.
constexpr int kHours = 6;
#else
constexpr int kHours = 7 * 24;
#endif
constexpr std::uint32_t kMinute = 60'000;
constexpr std::uint32_t kSpinEvery = 10 * kMinute;

// What the program holds while nothing happens.
struct Holdings {
  std::size_t objects = 0;
  std::size_t timers = 0;
  std::size_t streams = 0;
  bool operator==(const Holdings&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Holdings& h) {
  return out << h.objects << " objects, " << h.timers << " timers, " << h.streams << " streams";
}

// A 16 × 16 picture, white with a black bar from the centre up: what a
// hand or a needle is, at a size whose turns cost next to nothing. A week
// of turning the skin's 300 × 300 pictures would be pixel work, which the
// benchmarks measure; this test counts what the program holds.
std::vector<std::uint8_t> SmallHand() {
  anim::testing::GifFrame frame;
  frame.width = frame.height = 16;
  frame.indices.assign(16 * 16, 0);
  for (int y = 2; y < 8; ++y) frame.indices[static_cast<std::size_t>(y * 16 + 8)] = 1;
  return anim::testing::EncodeGif({16, 16, {0xFFFFFF, 0x000000}, {frame}, 2, {}});
}

class WeekTest : public AppTest {
 protected:
  // The default skin with small pictures for the face, the wheel, the hands
  // and the needle; its end pictures, sounds and prizes as shipped.
  void UseSmallSkin() {
    const std::string skin = CopySkin("蓝色", "小");
    const std::vector<std::uint8_t> hand = SmallHand();
    for (const char* name : {"表盘.gif", "转盘.gif", "时针.gif", "分针.gif", "秒针.gif", "选择针.gif"}) {
      std::ofstream(skin + "/" + name, std::ios::binary)
          .write(reinterpret_cast<const char*>(hand.data()), static_cast<std::streamsize>(hand.size()));
    }
    WriteSetting("皮肤文件名", "小");
  }
  // Streams the audio library still holds. Handles count up from 1 and a
  // freed one is never handed out again, so only the ones open last time
  // and the new ones need asking.
  std::size_t OpenStreams() {
    const std::uint32_t newest = State().stream;
    for (std::uint32_t handle = newestAsked_ + 1; handle <= newest; ++handle) open_.insert(handle);
    if (newest > newestAsked_) newestAsked_ = newest;
    for (auto it = open_.begin(); it != open_.end();) {
      const bool freed = State().player->GetLength(*it) == std::numeric_limits<std::uint64_t>::max();
      it = freed ? open_.erase(it) : std::next(it);
    }
    return open_.size();
  }
  Holdings Held() { return {Box().objectCount(), platform::ArmedTimerCount(), OpenStreams()}; }

  std::set<std::uint32_t> open_;
  std::uint32_t newestAsked_ = 0;
};

TEST_F(WeekTest, ChimesAndSpinsLeaveNothingBehindAndTheHandsKeepTime) {
  UseSmallSkin();
  WriteSetting("是否整点报时", "1");
  ticks_.set(std::numeric_limits<std::uint32_t>::max() - 60 * kMinute + 1);
  const std::uint32_t firstTick = ticks_.now();
  SetTime(23, 5, 0);
  const std::time_t firstTime = now_;
  platform::SetCalendarSource([&] { return firstTime + (platform::TickCount() - firstTick) / 1000; });
  Start();
  showWheel({});

  int chimes = 0;
  std::optional<Holdings> resting;
  const int spins = kHours * 6;
  for (int spin = 0; spin < spins; ++spin) {
    const std::uint32_t started = ticks_.now();
    const std::size_t eventsBefore = observer_.events.size();
    spinWheel({});
    RunSpin();
    ASSERT_FALSE(HasFailure()) << "spin " << spin;
    // The end pictures, the sounds and the result have had their time;
    // the next spin starts ten minutes after this one did.
    ticks_.advance(kSpinEvery - (ticks_.now() - started));
    for (std::size_t i = eventsBefore; i < observer_.events.size(); ++i) {
      chimes += observer_.events[i].rfind("chime", 0) == 0 ? 1 : 0;
    }
    const Holdings held = Held();
    if (!resting) resting = held;
    ASSERT_EQ(held, *resting) << "after spin " << spin;
  }
  // Every full hour rang once (each hour of the span has one).
  EXPECT_EQ(chimes, kHours);
  EXPECT_LT(ticks_.now(), firstTick) << "the ticks wrapped";

  // At the next once-a-minute correction the hands show the simulated time,
  // 23:05 plus the span and the seconds since.
  const anim::BoxObject* second = Object(State().secondHand);
  ASSERT_TRUE(second->rotating && second->rotationEnds);
  ticks_.advance(second->rotationEnd - ticks_.now());
  const std::time_t end = firstTime + (ticks_.now() - firstTick) / 1000;
  const std::tm* shown = std::gmtime(&end);
  const HandAngles angles = AnglesAt(shown->tm_hour, shown->tm_min, shown->tm_sec);
  EXPECT_EQ(Object(State().hourHand)->angle, angles.hour % 360);
  EXPECT_EQ(Object(State().minuteHand)->angle, angles.minute);
  EXPECT_EQ(Object(State().secondHand)->angle, angles.second);
}

}  // namespace
}  // namespace horavia::app::testing
