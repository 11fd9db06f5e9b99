// Pictures of box objects: decoded only while something shows them, and
// never beyond the picture ceiling, whatever a template, a zoom, a turn or
// a frame count asks for.
#include <gtest/gtest.h>

#include "anim/picture/pixel_size.h"
#include "tests/anim/cartoonbox/box_fixture.h"
#include "tests/anim/support/encoders.h"

namespace horavia::anim {
namespace {

using testing::BoxTest;
using testing::Bytes;
using testing::Solid;
using testing::TemplateOf;

constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kWhiteKey = 0xFFFFFF;

// A GIF of `frames` frames on a white screen of width × height, each a red
// pixel one place further right; `bar` rows tall.
Bytes Animation(int width, int height, int frames, int bar = 1) {
  testing::GifFile file;
  file.screenWidth = width;
  file.screenHeight = height;
  file.globalTable = {0xFFFFFF, 0xFF0000};
  file.minimumCodeSize = 2;
  for (int f = 0; f < frames; ++f) {
    testing::GifFrame frame;
    frame.left = f % width;
    frame.width = 1;
    frame.height = bar;
    frame.indices.assign(static_cast<std::size_t>(bar), 1);
    frame.delayHundredths = 5;
    file.frames.push_back(frame);
  }
  return testing::EncodeGif(file);
}

// A template as a form carries it: the picture's bytes, keyed by the top
// left pixel's colour.
ObjectTemplate FromBytes(const Bytes& picture) {
  ObjectTemplate t;
  t.data.picture = picture;
  t.data.autoGetTransColor = 1;
  t.picture = BuildTemplatePicture(t.data, nullptr);
  return t;
}

// Every pixel of the box, composed.
std::vector<std::uint32_t> Composed(CartoonBox& box) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(box.width()) * box.height());
  box.compose({0, 0, box.width(), box.height()}, {pixels.data(), box.width(), box.height()});
  return pixels;
}

// [decoding on demand] ----------------------------------------------------------

TEST_F(BoxTest, TemplatesKeepBytesAndObjectsDecodeThemOnlyWhileTheyLive) {
  const ObjectTemplate end = FromBytes(Animation(20, 10, 3));
  EXPECT_FALSE(end.picture.image.usable()) << "the template holds no decoded frames";
  EXPECT_FALSE(end.picture.packed.empty());

  const std::int32_t first = Create(end);
  const std::int32_t second = Create(end, 40, 40);
  ASSERT_TRUE(box().find(first)->hasPicture());
  EXPECT_EQ(box().find(first)->rendered->frameCount(), 3);
  EXPECT_EQ(box().find(first)->source, box().find(second)->source) << "decoded once, shared";
  EXPECT_EQ(box().cache().size(), 1u);

  box().destroy(first);
  box().destroy(second);
  EXPECT_EQ(box().cache().size(), 0u) << "no object shows it: nothing decoded is kept";
  const std::int32_t third = Create(end);
  EXPECT_EQ(box().find(third)->rendered->frameCount(), 3);
}

TEST_F(BoxTest, AHiddenObjectLetsItsPixelsGoAndShowsTheSameAgain) {
  ObjectTemplate turning;
  turning.data.rotateFollow = 1;
  const std::int32_t id = Create(turning, 100, 80);
  box().setPicture(id, Animation(60, 20, 1, 20), kWhiteKey);
  box().setAngle(id, 30);
  ASSERT_TRUE(box().find(id)->hasPicture());
  const FrameImage shown = *box().find(id)->rendered;
  const BoxRect rect = box().find(id)->rect();
  const std::vector<std::uint32_t> before = Composed(box());
  std::vector<std::int32_t> hits;
  for (int y = rect.top; y < rect.top + rect.height; ++y)
    for (int x = rect.left; x < rect.left + rect.width; ++x) hits.push_back(box().hitTest(x, y));

  box().setVisible(id, false);
  const BoxObject& hidden = *box().find(id);
  EXPECT_EQ(hidden.rendered, nullptr);
  EXPECT_EQ(hidden.source, nullptr);
  EXPECT_EQ(box().cache().size(), 0u) << "neither the picture nor its turned copy is kept";
  EXPECT_TRUE(hidden.hasPicture());
  EXPECT_EQ(hidden.rect(), rect);
  std::size_t at = 0;
  for (int y = rect.top; y < rect.top + rect.height; ++y)
    for (int x = rect.left; x < rect.left + rect.width; ++x) ASSERT_EQ(box().hitTest(x, y), hits[at++]) << x << "," << y;
  EXPECT_NE(Composed(box()), before);

  box().setVisible(id, true);
  ASSERT_NE(box().find(id)->rendered, nullptr);
  EXPECT_TRUE(Equal(*box().find(id)->rendered, shown));
  EXPECT_EQ(Composed(box()), before);
}

TEST_F(BoxTest, AHiddenObjectTurnsAsAVisibleOneDoes) {
  ObjectTemplate turning;
  turning.data.rotateFollow = 1;
  const std::int32_t seen = Create(turning, 50, 50);
  const std::int32_t unseen = Create(turning, 50, 50);
  for (std::int32_t id : {seen, unseen}) box().setPicture(id, Animation(40, 10, 1, 10), kWhiteKey);
  box().setVisible(unseen, false);
  box().setAngle(seen, 45);
  box().setAngle(unseen, 45);
  EXPECT_EQ(box().find(unseen)->rect(), box().find(seen)->rect()) << "moved to keep its centre";
  EXPECT_EQ(box().find(unseen)->rendered, nullptr);
  box().setVisible(unseen, true);
  EXPECT_EQ(box().find(unseen)->rendered, box().find(seen)->rendered);
}

TEST_F(BoxTest, AnObjectMadeHiddenKeepsNoPixelsUnlessItCannotDecodeThemAgain) {
  const std::int32_t fromBytes = Create(FromBytes(Animation(20, 10, 2)), 0, 0, false);
  EXPECT_TRUE(box().find(fromBytes)->hasPicture());
  EXPECT_EQ(box().find(fromBytes)->rendered, nullptr);
  EXPECT_EQ(box().cache().size(), 0u);
  // A text image (or one made by code) has no bytes to decode again.
  const std::int32_t ready = Create(TemplateOf(Solid(5, 5, kRed)), 0, 0, false);
  EXPECT_NE(box().find(ready)->rendered, nullptr);
}

// [trimmed sources] -------------------------------------------------------------

// A 61 × 61 picture, white (its key) but for a 2 × 26 red bar from its
// centre up: a clock hand.
Bytes Hand() {
  testing::GifFile file;
  file.screenWidth = 61;
  file.screenHeight = 61;
  file.globalTable = {0xFFFFFF, 0xFF0000};
  file.minimumCodeSize = 2;
  testing::GifFrame bar;
  bar.left = 30;
  bar.top = 5;
  bar.width = 2;
  bar.height = 26;
  bar.indices.assign(2 * 26, 1);
  file.frames.push_back(bar);
  return testing::EncodeGif(file);
}

// Two hands of one picture: one decoded from its bytes, which keeps only the
// part that shows, and one from ready pixels, which keeps all of it. At every
// angle, quarter turns and back to none included, they show the same pixels
// in the same places and are hit in the same places.
TEST_F(BoxTest, AHandFromBytesKeepsOnlyThePartThatShowsAndShowsTheSame) {
  ObjectTemplate fromBytes = FromBytes(Hand());
  fromBytes.data.rotateFollow = 1;
  ObjectTemplate ready = fromBytes;
  ready.picture.image = LoadFrameImage(Hand(), kNoKey, true).image;
  const std::int32_t trimmed = Create(fromBytes, 20, 20);
  const std::int32_t whole = Create(ready, 170, 170);
  EXPECT_EQ(box().find(trimmed)->sourceKept, (ImageArea{30, 5, 2, 26}));
  EXPECT_EQ(box().find(trimmed)->source->width * box().find(trimmed)->source->height, 2 * 26);
  EXPECT_EQ(box().find(whole)->source->width, 61) << "ready pixels have no bytes to decode again";

  for (std::int32_t angle : {0, 1, 37, 90, 135, 180, 271, 359, 0}) {
    box().setAngle(trimmed, angle);
    box().setAngle(whole, angle);
    const BoxObject& a = *box().find(trimmed);
    const BoxObject& b = *box().find(whole);
    ASSERT_TRUE(a.hasPicture() && b.hasPicture()) << angle;
    const BoxRect ra = a.rect();
    const BoxRect rb = b.rect();
    ASSERT_EQ(ra.width, rb.width) << angle;
    ASSERT_EQ(ra.height, rb.height) << angle;
    EXPECT_EQ(a.paintRect().left - ra.left, b.paintRect().left - rb.left) << angle;
    EXPECT_EQ(a.paintRect().width, b.paintRect().width) << angle;
    const std::vector<std::uint32_t> composed = Composed(box());
    for (int y = 0; y < ra.height; ++y) {
      for (int x = 0; x < ra.width; ++x) {
        const std::size_t at = static_cast<std::size_t>(ra.top + y) * box().width() + ra.left + x;
        const std::size_t bt = static_cast<std::size_t>(rb.top + y) * box().width() + rb.left + x;
        ASSERT_EQ(composed[at], composed[bt]) << angle << "° at " << x << "," << y;
        ASSERT_EQ(box().hitTest(ra.left + x, ra.top + y) == trimmed, box().hitTest(rb.left + x, rb.top + y) == whole)
            << angle << "° at " << x << "," << y;
      }
    }
  }
  EXPECT_EQ(box().find(trimmed)->sourceKept, (ImageArea{30, 5, 2, 26})) << "still trimmed";
}

// [ceiling] -------------------------------------------------------------------------

TEST_F(BoxTest, AZoomBeyondTheCeilingGivesNoPictureAsAZoomToNothingDoes) {
  ObjectTemplate t = TemplateOf(Solid(10, 10, kRed));
  t.data.zoom = 2000;
  EXPECT_EQ(box().find(Create(t))->rect().width, 20);
  t.data.zoom = 1;  // 10 × 1 ‰: nothing
  EXPECT_FALSE(box().find(Create(t))->hasPicture());
  t.data.zoom = 500000;  // 5000 × 5000: beyond 4096 × 4096
  const std::int32_t huge = Create(t, 100, 100);
  EXPECT_FALSE(box().find(huge)->hasPicture());
  EXPECT_EQ(box().hitTest(103, 103), -1);
  EXPECT_EQ(box().find(huge)->rect().width, 0);
}

TEST_F(BoxTest, ATurnOfAllFramesBeyondTheCeilingGivesNoPicture) {
  FrameImage line = Solid(4096, 1, kRed);
  line.frames.push_back(line.frames[0]);
  ObjectTemplate t = TemplateOf(std::move(line));
  t.data.rotateFollow = 1;
  t.data.angle = 90;
  const std::int32_t upright = Create(t);
  EXPECT_EQ(box().find(upright)->rect().height, 4096);
  box().setAngle(upright, 45);  // two frames of about 2898 × 2898
  EXPECT_FALSE(box().find(upright)->hasPicture());
}

// The input the fuzzer found (fuzz/anim/corpus/cartoon-found-template-beyond-
// the-ceiling.bin): a template whose 8 × 4110 picture of three frames is
// zoomed fourfold, turned by -256° and tinted. The turn alone was 12 million
// pixels and the zoom after it 190 million, each then tinted: minutes of
// work for one object. Both are refused from their sizes, before any pixel
// is touched.
TEST_F(BoxTest, TheFoundTemplateIsRefusedBeforeAnyPixelWork) {
  testing::GifFile file;
  file.screenWidth = 8;
  file.screenHeight = 4110;
  file.globalTable = {0xFFFFFF, 0x000000};
  file.minimumCodeSize = 2;
  for (int f = 0; f < 3; ++f) {
    testing::GifFrame frame;
    frame.left = frame.top = f;
    frame.width = 5;
    frame.height = 4;
    frame.indices.assign(20, static_cast<std::uint8_t>(f & 1));
    file.frames.push_back(frame);
  }
  ObjectTemplate found;
  found.data.picture = testing::EncodeGif(file);
  found.data.zoom = 4000;
  found.data.angle = -256;
  found.data.rotateFollow = 1;
  found.data.trendDepth = 100;
  found.picture = BuildTemplatePicture(found.data, nullptr);
  const std::int32_t id = Create(found);
  EXPECT_FALSE(box().find(id)->hasPicture());
  EXPECT_EQ(box().cache().size(), 1u) << "the source alone: no turned or zoomed copy was made";
  box().setAngle(id, 33);
  EXPECT_FALSE(box().find(id)->hasPicture());
}

// [frames] --------------------------------------------------------------------------

TEST_F(BoxTest, APictureOfTooManyFramesPlaysThoseThatFitAndSaysSo) {
  ObjectTemplate end = FromBytes(Animation(1024, 1024, 17));  // 17 × 4 MiB decoded; 16 fit
  end.data.playGif = 1;
  const std::int32_t first = Create(end);
  ASSERT_TRUE(box().find(first)->hasPicture());
  EXPECT_EQ(box().find(first)->rendered->frameCount(), 16);
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_NE(host.warnings[0].find("only its first 16 frames"), std::string::npos) << host.warnings[0];
  Create(end);
  EXPECT_EQ(host.warnings.size(), 1u) << "the second object shares what the first decoded";
  ticks.advance(50);
  EXPECT_EQ(box().find(first)->currentFrame, 1);
  for (int step = 1; step < 16; ++step) ticks.advance(50);
  EXPECT_EQ(box().find(first)->currentFrame, 0) << "a whole cycle is the 16 frames";
}

// [picture scale] ---------------------------------------------------------------

// A clock shown at another size: every picture decoded from bytes is made
// anew at that size, hidden ones and shared ones too, and the background.
TEST_F(BoxTest, APictureScaleDecodesEveryPictureAgainAtThatSize) {
  const ObjectTemplate end = FromBytes(Animation(20, 10, 3));
  const std::int32_t shown = Create(end);
  const std::int32_t alsoShown = Create(end, 40, 40);
  const std::int32_t hidden = Create(end, 0, 0, /*visible=*/false);
  std::vector<std::uint32_t> face(30 * 30, 0x00336699);
  box().setBackground(testing::EncodeBmpTrueColour(30, 30, face, 24), 0, 0x00FFFFFF);

  box().setPictureScale(200);
  for (std::int32_t id : {shown, alsoShown, hidden}) {
    EXPECT_EQ(box().find(id)->rect().width, 40) << id;
    EXPECT_EQ(box().find(id)->rect().height, 20) << id;
  }
  EXPECT_EQ(box().find(shown)->source, box().find(alsoShown)->source) << "still decoded once, at the new size";
  EXPECT_EQ(box().find(shown)->rendered->frameCount(), 3);
  EXPECT_EQ(box().find(hidden)->source, nullptr) << "a hidden object still keeps no pixels";
  EXPECT_EQ(box().surface().at(59, 59), 0x00336699u);
  EXPECT_EQ(box().surface().at(60, 60), 0x00FFFFFFu) << "the background is twice as large";

  const std::int32_t later = Create(end);
  EXPECT_EQ(box().find(later)->rect().width, 40) << "objects made later take the scale";
  box().setPicture(later, Animation(10, 10, 1), kPictureAutoKey);
  EXPECT_EQ(box().find(later)->rect().width, 20) << "so do pictures set later";

  box().setPictureScale(kMaxDisplayPercent + 1);
  EXPECT_EQ(box().pictureScale(), 200) << "a scale out of range is ignored";
  box().setPictureScale(100);
  EXPECT_EQ(box().find(shown)->rect().width, 20);
}

// Pixels a template made itself (a text) have no bytes to decode again:
// objects made from them take the scale they are made at.
TEST_F(BoxTest, ReadyPixelsTakeTheScaleWhenAnObjectIsMade) {
  const ObjectTemplate ready = TemplateOf(Solid(10, 6, kRed));
  box().setPictureScale(150);
  const std::int32_t id = Create(ready);
  EXPECT_EQ(box().find(id)->rect().width, 15);
  EXPECT_EQ(box().find(id)->rect().height, 9);
}

}  // namespace
}  // namespace horavia::anim
