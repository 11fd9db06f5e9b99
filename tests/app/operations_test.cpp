// The application's operations and what it tells its observers: the same
// steps the menu and the settings window take, the spins' results shown,
// recorded and read back, and the prizes written onto the wheel.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "anim/frameimage/frame_image.h"
#include "app/operations.h"
#include "app/units.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text_codec.h"
#include "tests/app/app_fixture.h"

namespace horavia::app::testing {
namespace {

namespace fs = std::filesystem;

std::string Cp936(const std::string& utf8) { return platform::Utf8ToCp936(utf8); }

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A key of a skin's pf.ini set to a value (UTF-8 both).
void SetSkinKey(const std::string& skin, const std::string& key, const std::string& value) {
  platform::WriteIniString(skin + "/pf.ini", Cp936("配置"), Cp936(key), Cp936(value));
}

TEST_F(AppTest, TheModesAndTheChimeAreTheMenusStepsAndAreTold) {
  Start();
  ShowWheel();
  ShowWheel();  // already shown: nothing new to tell
  EXPECT_EQ(Snapshot().mode, DisplayMode::Wheel);
  EXPECT_TRUE(Object(State().wheel)->visible);
  ShowClock();
  EXPECT_FALSE(Object(State().needle)->visible);
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"mode wheel", "mode clock"}));
  observer_.events.clear();
  SetChime(true);
  EXPECT_EQ(Setting("是否整点报时"), "1");
  EXPECT_EQ(ReadProperty(main_window::kChimeItem, property::kMenuChecked), 1);
  EXPECT_TRUE(Snapshot().chime);
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"setting 皮肤文件名", "setting 是否整点报时"}));
}

TEST_F(AppTest, ChoosingASkinByNameIsTheSkinListsChoice) {
  Start();
  const std::vector<std::string> names = SkinNames();
  EXPECT_NE(std::find(names.begin(), names.end(), Cp936("喜庆")), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), Cp936("蓝色")), names.end());
  EXPECT_FALSE(ChooseSkin(Cp936("没有这个皮肤")));
  EXPECT_FALSE(ChooseSkin(""));
  EXPECT_TRUE(observer_.events.empty());
  EXPECT_EQ(Setting("皮肤文件名"), "");  // nothing written

  ASSERT_TRUE(ChooseSkin(Cp936("喜庆")));
  EXPECT_EQ(Setting("皮肤文件名"), "喜庆");
  EXPECT_EQ(State().rotateWheel, 1);
  const AppSnapshot snapshot = Snapshot();
  EXPECT_EQ(snapshot.mode, DisplayMode::Wheel);
  EXPECT_EQ(snapshot.skin, Cp936("喜庆"));
  EXPECT_EQ(snapshot.volume, 60);
  EXPECT_FALSE(snapshot.spinning);
  EXPECT_EQ(snapshot.queued, 0);
  EXPECT_FALSE(snapshot.lastResult.has_value());
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"setting 皮肤文件名", "setting 是否整点报时", "mode wheel",
                                                       "skin 喜庆"}));
}

TEST_F(AppTest, AFullHoursChimeIsToldWithItsHour) {
  WriteSetting("是否整点报时", "1");
  SetTime(21, 0, 5);
  Start();
  EXPECT_EQ(observer_.events, (std::vector<std::string>{"chime 21"}));
}

TEST_F(AppTest, EverySpinIsToldAndRecordedAndReadBackNewestFirst) {
  Start();
  ShowWheel();
  observer_.events.clear();
  EXPECT_EQ(RequestSpin("mouse").position, 0);
  const SpinTicket second = RequestSpin("stream deck");
  EXPECT_EQ(second.position, 1);
  const std::uint32_t rest = RunSpin();
  const SpinResult first = *Snapshot().lastResult;
  ticks_.advance(rest + 5000 - ticks_.now());
  RunSpin();
  const SpinResult last = *Snapshot().lastResult;
  ASSERT_EQ(observer_.events.size(), 4u);
  EXPECT_EQ(observer_.events[0], "spin started 1 mouse");
  EXPECT_EQ(observer_.events[1].substr(0, 13), "spin ended 1 ");
  EXPECT_EQ(observer_.events[2], "spin started 2 stream deck");

  const std::string file = FileText(FolderFile("转盘记录.csv"));
  EXPECT_EQ(file.substr(0, 37), "time,skin,segment,label,angle,source\n");
  const std::vector<prizes::SpinRecord> records = RecentSpins(10);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].source, "stream deck");
  EXPECT_EQ(records[0].segment, last.segment);
  EXPECT_EQ(records[0].angle, last.angle);
  EXPECT_EQ(records[0].label, platform::Cp936ToUtf8(last.label));
  EXPECT_EQ(records[1].source, "mouse");
  EXPECT_EQ(records[1].angle, first.angle);
  EXPECT_EQ(records[1].skin, "蓝色");
  EXPECT_EQ(records[1].time.substr(10), "T10:10:30+00:00");  // the calendar stands still in these tests
  EXPECT_GE(first.segment, 1);
  EXPECT_EQ(RecentSpins(1).size(), 1u);
}

TEST_F(AppTest, ARecordFileThatCannotBeWrittenIsReportedOnceAndTheSpinsGoOn) {
  fs::create_directories(FolderFile("转盘记录.csv"));  // a folder where the file should be
  Start();
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 2; ++i) {
    RequestSpin("mouse");
    RunSpin();
    ticks_.advance(6000);
  }
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Snapshot().lastResult->spin, 2);
  std::size_t reports = 0;
  for (std::size_t at = errors.find("cannot write"); at != std::string::npos; at = errors.find("cannot write", at + 1)) {
    ++reports;
  }
  EXPECT_EQ(reports, 1u) << errors;
  EXPECT_TRUE(RecentSpins(10).empty());
}

// Objects the end of a spin leaves besides its two end pictures: the banner.
int Banners(anim::CartoonBox& box, std::size_t startUp) {
  return static_cast<int>(box.objectCount() - startUp) - 2;
}

TEST_F(AppTest, TheWinnerShowsOverTheWheelForTheSkinsSeconds) {
  const std::string quiet = CopySkin("蓝色", "静");
  SetSkinKey(quiet, "显示结果秒数", "0");
  Start();
  ShowWheel();
  const std::size_t startUp = Box().objectCount();
  RequestSpin("mouse");
  const std::uint32_t rest = RunSpin();
  EXPECT_EQ(Banners(Box(), startUp), 1);
  const anim::BoxObject& banner = Box().objectAt(Box().objectCount() - 1);
  ASSERT_NE(banner.rendered, nullptr);
  EXPECT_GT(banner.rendered->width, 100);
  EXPECT_LT(banner.rendered->width, 300);
  const std::int32_t bannerId = banner.id;
  ticks_.advance(rest + 4990 - ticks_.now());
  EXPECT_NE(Box().find(bannerId), nullptr);
  ticks_.advance(20);
  EXPECT_EQ(Box().find(bannerId), nullptr);
  ticks_.advance(30000);  // the end pictures are gone too

  ASSERT_TRUE(ChooseSkin(Cp936("静")));
  RequestSpin("mouse");
  RunSpin();
  EXPECT_EQ(Banners(Box(), startUp), 0);
}

// "写奖项"=1 (as the shipped skins have it) writes the labels onto the wheel
// object's picture, once the wheel first shows (a start in clock mode does
// not wait for the fonts); the window's outline keeps the picture as drawn.
// Without it, or with prizes that are no good, the wheel is the file's.
TEST_F(AppTest, ASkinsPrizesAreWrittenOnItsWheelWhenItAsks) {
  const std::string plain = CopySkin("蓝色", "无字");
  SetSkinKey(plain, "写奖项", "0");
  const std::string broken = CopySkin("蓝色", "坏");
  SetSkinKey(broken, "奖项数", "1");
  Start();
  const std::optional<std::vector<std::uint8_t>> file = platform::ReadWholeFile(FolderFile("skins/蓝色/转盘.gif"));
  ASSERT_TRUE(file.has_value());
  auto wheelIsTheFile = [&] {
    const std::span<const std::uint8_t> bytes = Object(State().wheel)->origin.bytes();
    return std::equal(bytes.begin(), bytes.end(), file->begin(), file->end());
  };
  EXPECT_TRUE(wheelIsTheFile()) << "not written while the clock shows";
  EXPECT_TRUE(State().wheelLabelsPending);
  ShowWheel();
  EXPECT_FALSE(wheelIsTheFile());
  EXPECT_FALSE(State().wheelLabelsPending);
  ShowClock();
  ShowWheel();
  EXPECT_FALSE(wheelIsTheFile()) << "written once";
  EXPECT_EQ(State().prizes.segments(), 12);
  // The outline is cut from the picture box, which holds the file's bytes.
  ASSERT_TRUE(ChooseSkin(Cp936("无字")));
  EXPECT_TRUE(wheelIsTheFile());
  EXPECT_EQ(State().prizes.segments(), 12);
  ASSERT_TRUE(ChooseSkin(Cp936("坏")));
  EXPECT_TRUE(wheelIsTheFile());
  EXPECT_EQ(State().prizes.segments(), 0);
  RequestSpin("mouse");
  RunSpin();
  EXPECT_EQ(Snapshot().lastResult->segment, 0);
  EXPECT_EQ(Snapshot().lastResult->label, "");
}

}  // namespace
}  // namespace horavia::app::testing
