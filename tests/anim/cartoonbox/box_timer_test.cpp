// The timer: rotation steps and ends, animation cycles, lifetimes, and how
// rarely the box wakes. Time moves only through ManualTicks.
#include <gtest/gtest.h>

#include "tests/anim/cartoonbox/box_fixture.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::BoxTest;
using testing::RaisedEvent;
using testing::RecordingHost;
using testing::Solid;
using testing::TemplateOf;

constexpr std::uint32_t kRed = 0x00FF0000;

// Two 4 × 4 frames of 100 ms each.
ObjectTemplate AnimatedTemplate(int cycles, int pauseMs = 0) {
  testing::GifFile file;
  file.screenWidth = file.screenHeight = 4;
  file.globalTable = {0xFF0000, 0x00FF00};
  file.minimumCodeSize = 2;
  for (std::uint8_t colour : {0, 1}) {
    testing::GifFrame frame;
    frame.width = frame.height = 4;
    frame.indices.assign(16, colour);
    frame.delayHundredths = 10;
    file.frames.push_back(frame);
  }
  ObjectTemplate t;
  t.data.picture = testing::EncodeGif(file);
  t.data.playGif = 1;
  t.data.gifAutoDestroy = cycles;
  t.data.gifDelay = pauseMs;
  t.picture = BuildTemplatePicture(t.data, nullptr);
  return t;
}

// [rotation] ----------------------------------------------------------------------

TEST_F(BoxTest, SecondHandTurnsSixDegreesASecondAndEndsOnceAfterAMinute) {
  const ObjectTemplate hand = TemplateOf(Solid(30, 10, kRed));
  const std::int32_t id = Create(hand, 100, 100);
  box().startRotation(id, 6, 1000, 0, 60000);
  EXPECT_TRUE(box().find(id)->rotateWithAngle);
  ticks.advance(999);
  EXPECT_EQ(box().find(id)->angle, 0);
  ticks.advance(1);
  EXPECT_EQ(box().find(id)->angle, 6);
  EXPECT_TRUE(Equal(*box().find(id)->rendered, *Rotate(hand.picture.image, 6)));
  ticks.advance(58000);
  EXPECT_EQ(box().find(id)->angle, 354);
  EXPECT_TRUE(host.Raised(kEventRotationStopped).empty());
  ticks.advance(1000);  // the end comes before a 60th step
  EXPECT_EQ(box().find(id)->angle, 354);
  EXPECT_EQ(host.Raised(kEventRotationStopped), (std::vector<RaisedEvent>{{kEventRotationStopped, {id}}}));
  ticks.advance(5000);
  EXPECT_EQ(host.Raised(kEventRotationStopped).size(), 1u);
  EXPECT_FALSE(box().find(id)->rotating);
}

// A clock hand: a 300 × 300 picture, white (the key) but for a 4-pixel bar
// from the centre up to row 30.
ObjectTemplate ThinHand() {
  FrameImage hand = Solid(300, 300, 0x00FFFFFF, 0xFFFFFF);
  for (int y = 30; y < 150; ++y) {
    for (int x = 148; x < 152; ++x) hand.frames[0].pixels[static_cast<std::size_t>(y) * 300 + x] = kRed;
  }
  ObjectTemplate t = TemplateOf(std::move(hand));
  t.data.rotateFollow = 1;
  return t;
}

TEST_F(BoxTest, ATurningThinHandRepaintsOnlyWhereItWasAndIs) {
  const std::int32_t id = Create(ThinHand());
  EXPECT_EQ(host.invalidated.back(), (BoxRect{148, 30, 4, 120})) << "created";
  box().setAngle(id, 90);
  const BoxRect whole = box().find(id)->rect();
  ASSERT_EQ(host.invalidated.size(), 3u);
  EXPECT_EQ(host.invalidated[1], (BoxRect{148, 30, 4, 120})) << "where it was";
  const BoxRect now = host.invalidated[2];
  EXPECT_LE(now.width * now.height, 4 * 130) << "a quarter turn is a bar again, lying";
  EXPECT_GE(now.left, whole.left + whole.width / 2 - 2);

  // What was repainted holds every pixel that changed.
  std::vector<std::uint32_t> after(300 * 300);
  box().compose({0, 0, 300, 300}, {after.data(), 300, 300}, 0);
  box().setAngle(id, 0);
  std::vector<std::uint32_t> before(300 * 300);
  box().compose({0, 0, 300, 300}, {before.data(), 300, 300}, 0);
  auto repainted = [&](int x, int y) {
    for (const BoxRect& r : host.invalidated)
      if (r.intersects({x, y, 1, 1})) return true;
    return false;
  };
  int changed = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 300; ++x) {
      if (before[y * 300 + x] == after[y * 300 + x]) continue;
      ++changed;
      EXPECT_TRUE(repainted(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(changed, 400);
}

// A turned hand keeps only the part of its turned picture that its bar
// reaches; it draws and is hit exactly as the whole turned picture would be.
TEST_F(BoxTest, ATurnedThinHandDrawsAndHitsAsItsWholeTurnedPicture) {
  const ObjectTemplate hand = ThinHand();
  const std::int32_t turned = Create(hand);
  for (int angle : {37, 90, 200, 311}) {
    box().setAngle(turned, angle);
    const BoxObject& object = *box().find(turned);
    const BoxRect kept = object.keptRect();
    EXPECT_LT(kept.width * kept.height, object.rect().width * object.rect().height / 8) << angle;

    // The same picture turned whole, drawn untransformed at the same place.
    RecordingHost wholeHost;
    CartoonBox whole(wholeHost);
    whole.resize(box().width(), box().height());
    const ObjectTemplate wholeTurned = TemplateOf(*Rotate(hand.picture.image, angle));
    const BoxRect rect = object.rect();
    const std::int32_t reference = whole.createObject(&wholeTurned, rect.left, rect.top, true, "");
    ASSERT_EQ(whole.find(reference)->rect(), rect) << angle;

    std::vector<std::uint32_t> ours(300 * 300), theirs(300 * 300);
    box().compose({0, 0, 300, 300}, {ours.data(), 300, 300}, 0);
    whole.compose({0, 0, 300, 300}, {theirs.data(), 300, 300}, 0);
    EXPECT_EQ(ours, theirs) << angle;
    for (int y = 0; y < 300; y += 3) {
      for (int x = 0; x < 300; x += 3) {
        ASSERT_EQ(box().hitTest(x, y) == turned, whole.hitTest(x, y) == reference) << angle << ": " << x << "," << y;
      }
    }
  }
}

TEST_F(BoxTest, NegativeStepWithNinetyDegreesLeftStopsAfterFifteenSteps) {
  const std::int32_t id = Create(TemplateOf(Solid(10, 10, kRed)));
  box().startRotation(id, -6, 100, 90, 0);
  ticks.advance(1400);
  EXPECT_EQ(box().find(id)->angle, 360 - 84);
  EXPECT_TRUE(host.Raised(kEventRotationStopped).empty());
  ticks.advance(100);
  EXPECT_EQ(box().find(id)->angle, 270);
  EXPECT_EQ(host.Raised(kEventRotationStopped).size(), 1u);
  ticks.advance(1000);
  EXPECT_EQ(box().find(id)->angle, 270);
}

TEST_F(BoxTest, StandingRotationStillEndsWhenItsTimeIsUp) {
  // The wheel's last stage: step 0 for 60 s, whose end corrects the clock.
  const std::int32_t id = Create(TemplateOf(Solid(10, 10, kRed)));
  box().startRotation(id, 0, 50, 0, 60000);
  ticks.advance(59999);
  EXPECT_TRUE(host.Raised(kEventRotationStopped).empty());
  ticks.advance(1);
  EXPECT_EQ(host.Raised(kEventRotationStopped).size(), 1u);
  EXPECT_EQ(box().find(id)->angle, 0);
}

TEST_F(BoxTest, RotationStepsAcrossTheTickWrap) {
  ticks.set(0xFFFFFF00u);
  const std::int32_t id = Create(TemplateOf(Solid(10, 10, kRed)));
  box().startRotation(id, 6, 100, 0, 1000);
  ticks.advance(999);
  EXPECT_EQ(box().find(id)->angle, 54);
  ticks.advance(1);
  EXPECT_EQ(host.Raised(kEventRotationStopped).size(), 1u);
}

TEST_F(BoxTest, HandlerThatClosesTheBoxInEventFifteenEndsTheStep) {
  const std::int32_t id = Create(TemplateOf(Solid(10, 10, kRed)));
  Create(TemplateOf(Solid(10, 10, kRed)));
  box().startRotation(id, 6, 100, 6, 0);
  host.actions[kEventRotationStopped] = [&](auto) { host.box.reset(); };
  ticks.advance(500);
  EXPECT_EQ(host.box, nullptr);
  EXPECT_EQ(host.Raised(kEventRotationStopped).size(), 1u);
}

// [animation and lifetime] ----------------------------------------------------------

TEST_F(BoxTest, AnimationWithTwoPlaysRaisesSixteenThenTenAndIsGone) {
  const std::int32_t id = Create(AnimatedTemplate(2));
  ticks.advance(100);
  EXPECT_EQ(box().find(id)->currentFrame, 1);
  ticks.advance(299);
  EXPECT_EQ(box().find(id)->playsLeft, 1);
  EXPECT_TRUE(host.events.empty());
  ticks.advance(1);
  EXPECT_EQ(box().find(id), nullptr);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{{kEventAnimationDone, {id}}, {kEventWillDestroy, {id}}}));
}

TEST_F(BoxTest, HandlerThatDestroysTheObjectOnSixteenLeavesOneDestruction) {
  // Found by the fuzzer: the step read the object after this handler freed it.
  const std::int32_t id = Create(AnimatedTemplate(1));
  const std::int32_t other = Create(AnimatedTemplate(0));
  host.actions[kEventAnimationDone] = [&](std::span<const std::int32_t> args) { box().destroy(args[0]); };
  ticks.advance(200);
  EXPECT_EQ(box().find(id), nullptr);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{{kEventAnimationDone, {id}}, {kEventWillDestroy, {id}}}));
  EXPECT_EQ(box().find(other)->frameStart, ticks.now());  // the next object was still visited in that step
}

TEST_F(BoxTest, CyclePauseLengthensTheFirstFrame) {
  const std::int32_t id = Create(AnimatedTemplate(0, 250));
  ticks.advance(349);
  EXPECT_EQ(box().find(id)->currentFrame, 0);
  ticks.advance(1);
  EXPECT_EQ(box().find(id)->currentFrame, 1);
  ticks.advance(100);
  EXPECT_EQ(box().find(id)->currentFrame, 0);
  EXPECT_TRUE(box().find(id)->playAnimation);  // 0 plays: for ever
}

TEST_F(BoxTest, HiddenObjectDoesNotAnimateButStillExpires) {
  ObjectTemplate t = AnimatedTemplate(0);
  t.data.existTime = 1500;
  const std::int32_t id = Create(t, 0, 0, false);
  ticks.advance(1000);
  EXPECT_EQ(box().find(id)->currentFrame, 0);
  EXPECT_FALSE(box().find(id)->frameStarted);
  ticks.advance(500);
  EXPECT_EQ(box().find(id), nullptr);
  EXPECT_EQ(host.events, (std::vector<RaisedEvent>{{kEventWillDestroy, {id}}}));
}

// [wake-ups] ------------------------------------------------------------------------

TEST_F(BoxTest, OneHandTurningEverySecondWakesTheBoxAboutOnceASecond) {
  const std::int32_t id = Create(TemplateOf(Solid(30, 10, kRed)));
  box().startRotation(id, 6, 1000, 0, 60000);
  ticks.advance(1);
  const int before = box().wakeUps();
  ticks.advance(10000);
  EXPECT_EQ(box().find(id)->angle, 60);
  EXPECT_EQ(box().wakeUps() - before, 10);
}

// A clock without its second hand: its hour and minute hands are set from
// outside once a minute, and between two settings the box has nothing due.
TEST_F(BoxTest, HandsSetOnceAMinuteLeaveTheBoxNothingDueBetweenTimes) {
  const std::int32_t hour = Create(ThinHand());
  const std::int32_t minute = Create(ThinHand());
  box().painted();
  for (int m = 1; m <= 3; ++m) {
    box().setAngle(hour, 30 + m / 2);
    box().setAngle(minute, 6 * m);
    box().painted();  // the host painted what the settings marked
    EXPECT_EQ(box().nextWake(), std::nullopt) << m;
    const int before = box().wakeUps();
    ticks.advance(60000);
    EXPECT_EQ(box().wakeUps(), before) << m;
  }
}

TEST_F(BoxTest, NothingTurningOrAnimatingSchedulesNoWakeUp) {
  Create(TemplateOf(Solid(30, 10, kRed)));
  Create(AnimatedTemplate(0), 0, 0, false);  // hidden: no frames to show
  ticks.advance(1);
  EXPECT_EQ(box().nextWake(), std::nullopt);
  const int before = box().wakeUps();
  ticks.advance(60000);
  EXPECT_EQ(box().wakeUps(), before);
}

TEST(BoxForcedUpdates, AllBoxesTogetherForceAtMostOneRepaintPer100Ms) {
  platform::ManualTicks ticks;
  std::vector<std::uint32_t> forcedAt;
  struct TimedHost : RecordingHost {
    std::vector<std::uint32_t>* log = nullptr;
    void UpdateNow() override { log->push_back(platform::TickCount()); }
  };
  TimedHost a, b;
  a.log = b.log = &forcedAt;
  a.box = std::make_unique<CartoonBox>(a);
  b.box = std::make_unique<CartoonBox>(b);
  a.box->resize(50, 50);
  b.box->resize(50, 50);
  const ObjectTemplate t = TemplateOf(Solid(10, 10, kRed));
  a.box->startRotation(a.box->createObject(&t, 0, 0, true, ""), 6, 200, 0, 0);
  ticks.advance(50);
  b.box->startRotation(b.box->createObject(&t, 0, 0, true, ""), 6, 200, 0, 0);
  ticks.advance(3000);
  ASSERT_GE(forcedAt.size(), 20u);
  for (std::size_t i = 1; i < forcedAt.size(); ++i) EXPECT_GT(forcedAt[i] - forcedAt[i - 1], 100u) << i;
}

}  // namespace
}  // namespace horavia::anim
