// The main window's picture for the overlay: composed from the box and the
// window's outline, it is what the skin tool previews (the two share one
// composition), and each repaint is told as the clock's hands alone or as
// anything else.
#include <algorithm>

#include "app/operations.h"
#include "tests/app/app_fixture.h"
#include "tools/skin/skin_compose.h"

namespace horavia::app::testing {
namespace {

tools::skin::ComposedClock Preview(const std::string& skinFolder, bool wheel) {
  std::vector<std::string> leftOut;
  const tools::skin::SkinPictures skin = tools::skin::ReadSkinPictures(skinFolder, leftOut);
  EXPECT_TRUE(leftOut.empty());
  return tools::skin::ComposeSkin(skin, {{10, 10, 30}, wheel});
}

// Pixels that differ, by more than a rounding step in any channel.
int Differing(const anim::WindowFrame& a, const anim::WindowFrame& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) return -1;
  int differing = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) {
    if (a.pixels[i] != b.pixels[i]) ++differing;
  }
  return differing;
}

int Transparent(const anim::WindowFrame& frame) {
  return static_cast<int>(std::count(frame.pixels.begin(), frame.pixels.end(), 0u));
}

TEST_F(AppTest, TheWindowsPictureIsTheSkinToolsPreviewOfItsModeAndTime) {
  Start();  // at 10:10:30, the clock's face and outline
  const anim::WindowFrame clock = ComposeWindow();
  ASSERT_EQ(clock.width, 300);
  ASSERT_EQ(clock.height, 300);
  EXPECT_EQ(Differing(clock, Preview(FolderFile("skins/蓝色"), false)), 0);
  EXPECT_GT(Transparent(clock), 10000);  // the corners outside the round face
  EXPECT_EQ(clock.pixels[0], 0u);
  EXPECT_EQ(clock.pixels[150 * 300 + 150] >> 24, 0xFFu);

  ShowWheel();
  const anim::WindowFrame wheel = ComposeWindow();
  EXPECT_EQ(Differing(wheel, Preview(FolderFile("skins/蓝色"), true)), 0);
  EXPECT_GT(Differing(wheel, clock), 10000);
}

TEST_F(AppTest, RepaintsAreToldAsTheHandsAloneOrAsAnythingElse) {
  Start();
  auto only = [this](WindowChange change) {
    return !observer_.repaints.empty() &&
           std::all_of(observer_.repaints.begin(), observer_.repaints.end(), [change](WindowChange c) { return c == change; });
  };
  auto any = [this](WindowChange change) {
    return std::find(observer_.repaints.begin(), observer_.repaints.end(), change) != observer_.repaints.end();
  };
  observer_.repaints.clear();
  ticks_.advance(3000);  // three seconds of the second hand
  EXPECT_TRUE(only(WindowChange::ClockHands));

  observer_.repaints.clear();
  ShowWheel();
  EXPECT_TRUE(any(WindowChange::Other));
  observer_.repaints.clear();
  ticks_.advance(2000);  // the wheel stands still; the hands turn under it
  EXPECT_TRUE(only(WindowChange::ClockHands));

  observer_.repaints.clear();
  RequestSpin("mouse");
  ticks_.advance(200);
  EXPECT_TRUE(any(WindowChange::Other));
  RunSpin();
  ticks_.advance(60000);  // the end pictures and the banner gone
  observer_.repaints.clear();
  ticks_.advance(2000);
  EXPECT_TRUE(only(WindowChange::ClockHands));
}

// Telling what a repaint changed costs work at every mark of the box, so
// nothing is told while nobody follows; what changed meanwhile is not
// known, so the first repaint followed again counts as a change.
TEST_F(AppTest, RepaintsNobodyFollowsAreNotWorkedOut) {
  Start();
  observer_.followRepaints = false;
  observer_.repaints.clear();
  ticks_.advance(3000);
  EXPECT_TRUE(observer_.repaints.empty());

  observer_.followRepaints = true;
  ticks_.advance(1000);
  ASSERT_FALSE(observer_.repaints.empty());
  EXPECT_EQ(observer_.repaints.front(), WindowChange::Other);
  observer_.repaints.clear();
  ticks_.advance(2000);
  ASSERT_FALSE(observer_.repaints.empty());
  EXPECT_TRUE(std::all_of(observer_.repaints.begin(), observer_.repaints.end(),
                          [](WindowChange c) { return c == WindowChange::ClockHands; }));
}

}  // namespace
}  // namespace horavia::app::testing
