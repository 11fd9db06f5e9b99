// The picture box's player: still pictures without a thread, animations on a
// worker paced by the tick seam, loads that stop the worker first, and
// transparency that shows the player's own background.
#include "ui/controls/gif_player.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "platform/ticks.h"
#include "tests/anim/support/encoders.h"
#include "tests/ui/window/engine_fixture.h"

namespace horavia::ui::controls {
namespace {

using anim::testing::EncodeGif;
using anim::testing::GifFile;
using anim::testing::GifFrame;

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// Palette: 0 red, 1 green, 2 blue, 3 white. Each frame fills the 2 × 1
// screen with its two indices.
Bytes Gif(std::vector<std::pair<std::uint8_t, std::uint8_t>> frames, int transparentIndex = -1, int delay = 0) {
  GifFile file;
  file.screenWidth = 2;
  file.screenHeight = 1;
  file.globalTable = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  file.minimumCodeSize = 2;
  for (auto [left, right] : frames) {
    GifFrame f;
    f.width = 2;
    f.height = 1;
    f.indices = {left, right};
    f.transparentIndex = transparentIndex;
    f.delayHundredths = delay;
    file.frames.push_back(f);
  }
  return EncodeGif(file);
}

class GifPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    horavia::testing::TestApplication();
    player_ = std::make_unique<GifPlayer>(nullptr);
    player_->resize(4, 2);
    player_->setKeepBackground(false);
  }
  QRgb Shown(int x, int y) { return player_->grab().toImage().pixel(x, y); }

  // Declared first: the clock outlives the worker that reads it.
  platform::ManualTicks ticks_;
  std::unique_ptr<GifPlayer> player_;
};

TEST_F(GifPlayerTest, ASingleImageIsDrawnAtTheFirstPaintWithoutAThread) {
  player_->load(Gif({{0, 1}}));
  EXPECT_EQ(Shown(0, 0), kRed);
  EXPECT_EQ(Shown(1, 0), kGreen);
  EXPECT_EQ(Shown(3, 1), kWhite);  // the player's background around it
  EXPECT_FALSE(player_->playing());
}

TEST_F(GifPlayerTest, DecodesWhenThePictureIsFirstPaintedWithTheBackgroundThen) {
  player_->load(Gif({{0, 1}}));
  player_->setBackground(0x00FF00);
  EXPECT_FALSE(player_->decoded()) << "loaded and set up, never painted";
  EXPECT_EQ(Shown(0, 0), kRed);
  EXPECT_EQ(Shown(3, 1), kGreen);
  EXPECT_TRUE(player_->decoded());
  player_->load({});
  EXPECT_TRUE(player_->decoded()) << "nothing to decode";
}

TEST_F(GifPlayerTest, AnImageWithoutDelayStaysFiftyMilliseconds) {
  player_->load(Gif({{0, 0}, {2, 2}}));
  EXPECT_EQ(Shown(0, 0), kWhite);  // the first paint starts the worker
  GifAnimation& animation = player_->animation();
  animation.recheckClock();
  EXPECT_EQ(animation.imagesComposed(), 1u);
  EXPECT_EQ(Shown(0, 0), kRed);
  ticks_.advance(49);
  animation.recheckClock();
  EXPECT_EQ(animation.imagesComposed(), 1u);
  ticks_.advance(1);
  animation.recheckClock();
  EXPECT_EQ(animation.imagesComposed(), 2u);
  EXPECT_EQ(Shown(0, 0), kBlue);
  ticks_.advance(50);  // and round again
  animation.recheckClock();
  EXPECT_EQ(Shown(0, 0), kRed);
}

TEST_F(GifPlayerTest, ANewLoadDuringPlayStopsTheOldWorkerBeforeTheDataIsReplaced) {
  player_->load(Gif({{0, 0}, {2, 2}}, -1, 10));
  player_->grab();
  player_->animation().recheckClock();
  ASSERT_TRUE(player_->playing());
  player_->load(Gif({{1, 1}, {3, 3}}, -1, 10));
  EXPECT_FALSE(player_->playing());
  ticks_.advance(1000);
  EXPECT_EQ(player_->animation().imagesComposed(), 0u);  // nothing composes without a worker
  player_->grab();
  player_->animation().recheckClock();
  EXPECT_EQ(Shown(0, 0), kGreen);
}

TEST_F(GifPlayerTest, TransparentPixelsShowThePlayersBackgroundNotTheParent) {
  QWidget parent;
  parent.resize(8, 8);
  QPalette red;
  red.setColor(QPalette::Window, Qt::red);
  parent.setPalette(red);
  parent.setAutoFillBackground(true);
  auto* player = new GifPlayer(&parent);
  player->resize(2, 1);
  player->setBackground(0xFF0000);  // blue, as 0x00BBGGRR
  player->load(Gif({{3, 1}}, 3));   // white is transparent
  const QImage shot = parent.grab().toImage();
  EXPECT_EQ(shot.pixel(0, 0), kBlue);
  EXPECT_EQ(shot.pixel(1, 0), kGreen);
  EXPECT_EQ(shot.pixel(5, 5), 0xFFFF0000u);  // outside the player: the parent
}

TEST_F(GifPlayerTest, WithoutAutoPlayAnAnimationShowsOnlyTheBackground) {
  player_->setAutoPlay(false);
  player_->setBackground(0x00FF00);
  player_->load(Gif({{0, 0}, {2, 2}}));
  EXPECT_EQ(Shown(0, 0), kGreen);
  EXPECT_FALSE(player_->playing());
  player_->play();  // asked for, it runs
  player_->animation().recheckClock();
  EXPECT_EQ(Shown(0, 0), kRed);
}

}  // namespace
}  // namespace horavia::ui::controls
