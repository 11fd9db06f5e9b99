// Objects of one box and of several: ids, layers, shared pictures,
// destruction, angles, moves and pictures.
#include <gtest/gtest.h>

#include "anim/cartoonbox/box_registry.h"
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
constexpr std::uint32_t kBlue = 0x000000FF;

TEST(BoxEventTable, KeepsAllEighteenSlotsInOrder) {
  ASSERT_EQ(kBoxEvents.size(), 18u);
  const int arguments[18] = {1, 1, 2, 1, 1, 2, 2, 3, 3, 3, 1, 4, 4, 1, 1, 1, 1, 2};
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(kBoxEvents[i].number, i);
    EXPECT_EQ(kBoxEvents[i].argumentCount, arguments[i]) << "event " << i;
    EXPECT_EQ(kBoxEvents[i].hasResult, i == kEventWillMove || i == kEventHitBorder || i == kEventLeftBox)
        << "event " << i;
  }
}

// [ids] -------------------------------------------------------------------------

TEST(BoxIds, KeepIncreasingAcrossBoxesAndNeverRepeatWhileOneIsLive) {
  platform::ManualTicks ticks;
  const ObjectTemplate hand = TemplateOf(Solid(4, 4, kRed));
  RecordingHost mainHost;
  mainHost.box = std::make_unique<CartoonBox>(mainHost);
  const std::int32_t hourHand = mainHost.box->createObject(&hand, 0, 0, true, "");
  const std::int32_t minuteHand = mainHost.box->createObject(&hand, 0, 0, true, "");
  EXPECT_EQ(hourHand, 1);
  EXPECT_EQ(minuteHand, 2);

  // A second box (the settings window's) holds one object and closes.
  RecordingHost settingsHost;
  settingsHost.box = std::make_unique<CartoonBox>(settingsHost);
  EXPECT_EQ(settingsHost.box->createObject(&hand, 0, 0, true, ""), 3);
  settingsHost.box.reset();

  // The main box still holds the hands: a new object must not take their
  // ids, or destroying it by id would take a hand away.
  const std::int32_t endPicture = mainHost.box->createObject(&hand, 0, 0, true, "");
  EXPECT_EQ(endPicture, 4);
  EXPECT_EQ(mainHost.box->destroy(endPicture), BoxStatus::Done);
  EXPECT_NE(mainHost.box->find(hourHand), nullptr);
  EXPECT_NE(mainHost.box->find(minuteHand), nullptr);

  // With no object left anywhere, ids start again at 1.
  mainHost.box.reset();
  RecordingHost next;
  next.box = std::make_unique<CartoonBox>(next);
  EXPECT_EQ(next.box->createObject(nullptr, 0, 0, true, ""), 1);
}

// [layers] ----------------------------------------------------------------------

TEST_F(BoxTest, LaterObjectOfEqualLayerIsOnTopAndWinsTheHitTest) {
  ObjectTemplate back = TemplateOf(Solid(10, 10, kRed));
  back.data.layer = 2;
  ObjectTemplate front = TemplateOf(Solid(10, 10, kBlue));
  front.data.layer = 2;
  ObjectTemplate bottom = TemplateOf(Solid(10, 10, kBlue));
  bottom.data.layer = 1;
  const std::int32_t first = Create(back);
  const std::int32_t second = Create(front);
  const std::int32_t lowest = Create(bottom);
  EXPECT_EQ(box().indexOf(lowest), 0);
  EXPECT_EQ(box().indexOf(first), 1);
  EXPECT_EQ(box().indexOf(second), 2);
  EXPECT_EQ(box().hitTest(5, 5), second);
  std::vector<std::uint32_t> pixels(1);
  box().compose({5, 5, 1, 1}, {pixels.data(), 1, 1});
  EXPECT_EQ(pixels[0], kBlue);
}

TEST_F(BoxTest, ObjectsOfOneTemplateShareTheirSourcePicture) {
  ObjectTemplate t = TemplateOf(Solid(8, 8, kRed));
  t.data.angle = 45;
  t.data.rotateFollow = 1;
  const std::int32_t a = Create(t);
  const std::int32_t b = Create(t);
  EXPECT_EQ(box().find(a)->source, box().find(b)->source);
  EXPECT_EQ(box().find(a)->rendered, box().find(b)->rendered);  // same picture, same angle
  box().destroy(a);
  const BoxObject* left = box().find(b);
  ASSERT_TRUE(left->hasPicture());
  EXPECT_EQ(box().cache().ReferenceCount(left->source), 1);
  EXPECT_EQ(left->source->frames[0].pixels[0], kRed);
}

// [destroying] ------------------------------------------------------------------

TEST_F(BoxTest, DestroyRaisesTenFirstThenFreesAndPlaysTheSound) {
  ObjectTemplate t = TemplateOf(Solid(8, 8, kRed));
  t.data.destroySound = {'W', 'A', 'V'};
  const std::int32_t id = Create(t);
  host.actions[kEventWillDestroy] = [&](auto) { EXPECT_NE(box().find(id), nullptr); };
  EXPECT_EQ(box().destroy(id), BoxStatus::Done);
  EXPECT_EQ(box().find(id), nullptr);
  EXPECT_EQ(host.Raised(kEventWillDestroy), (std::vector<RaisedEvent>{{kEventWillDestroy, {id}}}));
  ASSERT_EQ(host.sounds.size(), 1u);
  EXPECT_EQ(box().cache().size(), 0u);
  EXPECT_EQ(box().destroy(id), BoxStatus::Done);  // unknown now: nothing
  EXPECT_EQ(host.Raised(kEventWillDestroy).size(), 1u);
}

TEST_F(BoxTest, DestroyingAnIdInsideItsOwnEventTenDestroysItOnce) {
  ObjectTemplate t = TemplateOf(Solid(8, 8, kRed));
  t.data.destroySound = {1, 2};
  const std::int32_t id = Create(t);
  host.actions[kEventWillDestroy] = [&](std::span<const std::int32_t> args) { box().destroy(args[0]); };
  EXPECT_EQ(box().destroy(id), BoxStatus::ObjectGone);
  EXPECT_EQ(box().find(id), nullptr);
  EXPECT_EQ(host.Raised(kEventWillDestroy).size(), 1u);
  EXPECT_EQ(host.sounds.size(), 1u);
  EXPECT_EQ(box().cache().size(), 0u);
}

TEST_F(BoxTest, HandlerThatDestroysTheBoxEndsTheDestroy) {
  const std::int32_t id = Create(TemplateOf(Solid(8, 8, kRed)));
  host.actions[kEventWillDestroy] = [&](auto) { host.box.reset(); };
  EXPECT_EQ(host.box->destroy(id), BoxStatus::BoxGone);
  EXPECT_EQ(host.box, nullptr);
}

// [angles and moves] -------------------------------------------------------------

TEST_F(BoxTest, AnglesAreKeptInZeroTo359AndRepeatsChangeNothing) {
  ObjectTemplate t = TemplateOf(Solid(10, 10, kRed));
  t.data.rotateFollow = 1;
  const std::int32_t id = Create(t);
  box().setAngle(id, 370);
  EXPECT_EQ(box().find(id)->angle, 10);
  box().setAngle(id, -30);
  EXPECT_EQ(box().find(id)->angle, 330);
  const std::size_t marked = host.invalidated.size();
  const FrameImage* picture = box().find(id)->rendered;
  box().setAngle(id, 330 - 720);
  EXPECT_EQ(host.invalidated.size(), marked);
  EXPECT_EQ(box().find(id)->rendered, picture);
}

TEST_F(BoxTest, WithoutRotateFollowTheAngleIsKeptButThePictureStays) {
  const std::int32_t id = Create(TemplateOf(Solid(100, 20, kRed)));
  const FrameImage* picture = box().find(id)->rendered;
  box().setAngle(id, 90);
  EXPECT_EQ(box().find(id)->angle, 90);
  EXPECT_EQ(box().find(id)->rendered, picture);
  box().setRotateWithAngle(id, true);  // now the stored angle shows, without re-centring
  EXPECT_EQ(box().find(id)->rendered->width, 20);
  EXPECT_EQ(box().find(id)->x, 0);
}

TEST_F(BoxTest, QuarterTurnKeepsTheCentre) {
  ObjectTemplate t = TemplateOf(Solid(100, 20, kRed));
  t.data.rotateFollow = 1;
  const std::int32_t id = Create(t, 50, 80);
  EXPECT_EQ(box().setAngle(id, 90), BoxStatus::Done);
  const BoxObject* object = box().find(id);
  EXPECT_EQ(object->rect(), (BoxRect{90, 40, 20, 100}));
  EXPECT_EQ(host.Raised(kEventWillMove), (std::vector<RaisedEvent>{{kEventWillMove, {id, 90, 40}}}));
  EXPECT_EQ(host.Raised(kEventMoved), (std::vector<RaisedEvent>{{kEventMoved, {id, 90, 40}}}));
}

TEST_F(BoxTest, FalseFromEventEightKeepsTheObjectWhereItWas) {
  ObjectTemplate t = TemplateOf(Solid(100, 20, kRed));
  t.data.rotateFollow = 1;
  const std::int32_t id = Create(t, 50, 80);
  host.results[kEventWillMove] = 0;
  box().setAngle(id, 90);
  const BoxObject* object = box().find(id);
  EXPECT_EQ(object->rect(), (BoxRect{50, 80, 20, 100}));  // turned, not moved
  EXPECT_TRUE(host.Raised(kEventMoved).empty());
}

TEST_F(BoxTest, HandlerOfEventEightThatDestroysTheObjectStopsTheTurn) {
  ObjectTemplate t = TemplateOf(Solid(100, 20, kRed));
  t.data.rotateFollow = 1;
  const std::int32_t id = Create(t);
  host.actions[kEventWillMove] = [&](std::span<const std::int32_t> args) { box().destroy(args[0]); };
  EXPECT_EQ(box().setAngle(id, 90), BoxStatus::ObjectGone);
  EXPECT_EQ(box().find(id), nullptr);
  EXPECT_TRUE(host.Raised(kEventMoved).empty());
}

// [pictures and visibility] --------------------------------------------------------

TEST_F(BoxTest, SetPictureTakesTheKeyItIsGivenAndStopsAnimation) {
  ObjectTemplate t = TemplateOf(Solid(4, 4, kRed));
  t.data.playGif = 1;
  t.data.gifAutoDestroy = 3;
  const std::int32_t id = Create(t);
  const std::vector<std::uint8_t> bmp = testing::EncodeBmpTrueColour(2, 1, {0x0000FF, 0xFF0000}, 24);  // blue, red
  box().setPicture(id, bmp, kPictureAutoKey);
  const BoxObject* object = box().find(id);
  ASSERT_TRUE(object->hasPicture());
  EXPECT_EQ(object->rendered->frames[0].keyColour, 0xFF0000u);  // the blue top-left pixel as 0x00BBGGRR
  EXPECT_FALSE(object->playAnimation);
  EXPECT_FALSE(object->destroyAfterPlays);
  box().setPicture(id, bmp, kPictureNoKey);
  EXPECT_EQ(box().find(id)->rendered->frames[0].keyColour, kNoKey);
  box().setPicture(id, bmp, 0x0000FF);
  EXPECT_EQ(box().find(id)->rendered->frames[0].keyColour, 0x0000FFu);
  box().setPicture(id, {}, kPictureNoKey);
  EXPECT_FALSE(box().find(id)->hasPicture());
  EXPECT_EQ(box().cache().size(), 0u);
}

TEST_F(BoxTest, HiddenObjectIsNotDrawnButStillHit) {
  const std::int32_t id = Create(TemplateOf(Solid(10, 10, kRed)), 0, 0, false);
  std::vector<std::uint32_t> pixels(1);
  box().setBackground({}, 0, 0x00FFFFFF);
  box().compose({2, 2, 1, 1}, {pixels.data(), 1, 1});
  EXPECT_EQ(pixels[0], 0x00FFFFFFu);
  EXPECT_EQ(box().hitTest(2, 2), id);
  box().setVisible(id, true);
  box().compose({2, 2, 1, 1}, {pixels.data(), 1, 1});
  EXPECT_EQ(pixels[0], kRed);
}

}  // namespace
}  // namespace horavia::anim
