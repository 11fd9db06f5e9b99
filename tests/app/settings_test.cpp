// Skins and settings on the real program: missing and damaged skins, the
// settings window's lists and switches, the audio library beside the program.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/call.h"
#include "app/operations.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/files.h"
#include "platform/text_codec.h"
#include "tests/app/app_fixture.h"
#include "ui/window/engine.h"

namespace horavia::app::testing {
namespace {

namespace fs = std::filesystem;
using namespace settings_window;

void Put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
std::string Get(const std::string& path) {
  std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

class SettingsTest : public AppTest {
 protected:
  // The settings window, loaded the way the menu opens it but without its
  // modal loop, so the test goes on while it is open.
  void OpenSettings() {
    auto* engine = static_cast<ui::WindowEngine*>(runtime::Runtime().windowHost());
    ASSERT_TRUE(engine->buildWindowFromForm(kForm, false, nullptr));
  }
  std::vector<std::string> ListItems() {
    std::vector<std::string> items;
    std::int32_t count = Call(CoreCommand::GetListItemCount, {Unit(kSkinList)}).integer();
    for (std::int32_t i = 0; i < count; ++i) {
      items.push_back(platform::Cp936ToUtf8(Call(CoreCommand::GetListItemText, {Unit(kSkinList), Int(i)}).text()));
    }
    return items;
  }
  std::string SelectedSkin() {
    std::int32_t selection = ReadProperty(kSkinList, property::kListSelection);
    if (selection < 0) return {};
    return platform::Cp936ToUtf8(Call(CoreCommand::GetListItemText, {Unit(kSkinList), Int(selection)}).text());
  }
  std::string AutostartValue() {
    Returned value = Call(CoreCommand::ReadRegistryText,
                          {Int(kLocalMachine), Text(platform::Utf8ToCp936(
                                                   "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\horavia")),
                           Text("absent")});
    return value.text();
  }
};

TEST_F(SettingsTest, AMissingSkinGivesEmptyPicturesAndSilentSoundsWithoutAMessage) {
  WriteSetting("皮肤文件名", "没有这个皮肤");
  Start();
  EXPECT_EQ(Object(State().hourHand)->rendered, nullptr);
  EXPECT_EQ(Object(State().wheel)->rendered, nullptr);
  EXPECT_EQ(ReadProperty(main_window::kFacePicture, property::kPicture), 0);  // an empty byte-set
  // A spin of a needle without a picture: the box cannot turn it, so its
  // stages end on their time; it comes to rest silently all the same.
  showWheel({});
  spinWheel({});
  RunSpin();
  EXPECT_EQ(Object(State().needle)->angle, Snapshot().lastResult->angle);
  EXPECT_EQ(State().stream, 0u);
  EXPECT_TRUE(dialogs_.empty());
}

TEST_F(SettingsTest, ASkinOfJunkLoadsWithoutHarm) {
  std::string skin = MakeSkin("坏");
  Put(skin + "/表盘.gif", "GIF89a\xff\xff\xff\xff\xf7");                 // a huge screen, then nothing
  Put(skin + "/转盘.gif", std::string(5000, '\x7f'));                       // no picture at all
  Put(skin + "/时针.gif", "BM" + std::string(1200, 'G'));                  // a bitmap of nonsense
  // A real hand cut off in the middle of its image data.
  const std::string minute = Get(FolderFile("skins/蓝色/分针.gif"));
  Put(skin + "/分针.gif", minute.substr(0, minute.size() / 2));
  Put(skin + "/开始.mp3", std::string(3000, '\xff'));
  Put(skin + "/pf.ini", platform::Utf8ToCp936("[配置]\n结束1=99999999999\n结束1x=-7\n结束2y=一百\n转盘=abc\n\x01\x02"));
  WriteSetting("皮肤文件名", "坏");
  Start();
  EXPECT_EQ(Object(State().hourHand)->rendered, nullptr);
  EXPECT_EQ(State().end1X, -7);
  EXPECT_EQ(State().end2Y, 0);  // not a number: 0
  EXPECT_EQ(State().rotateWheel, 0);
  spinWheel({});
  RunSpin();  // to its end, with a sound that does not decode
  EXPECT_TRUE(dialogs_.empty());
}

TEST_F(SettingsTest, TheSkinListHoldsFoldersOnlyAndSelectsTheCurrentByteForByte) {
  MakeSkin("Neon");
  MakeSkin("neon");
  Put(FolderFile("skins/说明.txt"), "not a skin");
  WriteSetting("皮肤文件名", "neon");
  Start();
  OpenSettings();
  std::vector<std::string> items = ListItems();
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (std::vector<std::string>{"Neon", "neon", "喜庆", "蓝色"}));
  EXPECT_EQ(SelectedSkin(), "neon");
}

TEST_F(SettingsTest, ChoosingASkinStoresItAndShowsItsWheel) {
  Start();
  OpenSettings();
  std::vector<std::string> items = ListItems();
  auto festive = std::find(items.begin(), items.end(), "喜庆");
  ASSERT_NE(festive, items.end());
  Write(kSkinList, property::kListSelection, festive - items.begin());
  applySelectedSkin({});
  EXPECT_EQ(Setting("皮肤文件名"), "喜庆");
  EXPECT_EQ(State().rotateWheel, 1);
  EXPECT_TRUE(Object(State().wheel)->visible);
  EXPECT_NE(Object(State().wheel)->rendered, nullptr);
}

TEST_F(SettingsTest, AutostartOnWritesTheProgramPathAndOffLeavesTheValueEmpty) {
  Start();
  OpenSettings();
  EXPECT_EQ(ReadProperty(kAutostart, property::kChecked), 0);
  Write(kAutostart, property::kChecked, 1);
  onAutostartClicked({});
  const std::string path = platform::Cp936ToUtf8(AutostartValue());
  EXPECT_EQ(path.substr(path.size() - 8), "\\horavia");
  Write(kAutostart, property::kChecked, 0);
  onAutostartClicked({});
  EXPECT_EQ(AutostartValue(), "");  // present, with an empty text
}

TEST_F(SettingsTest, TheVolumeAndDeviceAreStoredAsTheyChange) {
  Start();
  OpenSettings();
  EXPECT_EQ(ReadProperty(kVolume, property::kSliderPosition), 60);  // the default volume
  Write(kVolume, property::kSliderPosition, 35);
  onVolumeChanged({});
  EXPECT_EQ(Setting("音量"), "35");
  EXPECT_EQ(State().volume, 35);
  Write(kDevices, property::kComboSelection, 0);
  onDeviceSelected({});
  EXPECT_EQ(Setting("通道"), "0");
}

TEST_F(SettingsTest, AReleaseAfterAPressOnOkClosesTheWindow) {
  Start();
  OpenSettings();
  std::int32_t ok = State().okButtonObject;
  ASSERT_GT(ok, 0);
  okButtonPress(std::vector<std::uint32_t>{static_cast<std::uint32_t>(ok)});
  // Released off the object, with the press on it.
  okButtonRelease(std::vector<std::uint32_t>{0, static_cast<std::uint32_t>(ok)});
  QCoreApplication::sendPostedEvents();
  EXPECT_FALSE(Call(CoreCommand::IsLoaded, {Unit(kWindow)}).boolean());
}

// Once the clock is on screen: the check waits for the audio thread.
TEST_F(SettingsTest, ADeviceThatCannotOpenIsReportedAtStartUp) {
  WriteSetting("通道", "7");
  Start();
  EXPECT_TRUE(dialogs_.empty());
  PaintFrame();
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].text, "设备初始化失败！");
  EXPECT_EQ(dialogs_[0].caption, "失败");
}

TEST_F(SettingsTest, TheAudioLibraryIsWrittenOnceAndReplacedNeverOverwritten) {
  fs::remove(FolderFile("bass.dll"));
  Start();
  struct stat first {};
  ASSERT_EQ(stat(FolderFile("bass.dll").c_str(), &first), 0);
  EXPECT_GT(first.st_size, 0);
  // Another start finds the same bytes: nothing is written.
  TearDown();
  SetUp();
  Start();
  struct stat second {};
  ASSERT_EQ(stat(FolderFile("bass.dll").c_str(), &second), 0);
  EXPECT_EQ(second.st_ino, first.st_ino);
  EXPECT_EQ(second.st_mtim.tv_nsec, first.st_mtim.tv_nsec);
  // Other bytes are replaced through a new file renamed over the old one, so
  // a program that has the old file mapped keeps a valid file.
  const std::string carried = Get(FolderFile("bass.dll"));
  TearDown();
  SetUp();
  // (The older file arrives as a new file too: this process has the current
  // one mapped, and overwriting that in place would pull its code away.)
  ASSERT_TRUE(platform::ReplaceFile(FolderFile("bass.dll"), "an older library"));
  struct stat older {};
  ASSERT_EQ(stat(FolderFile("bass.dll").c_str(), &older), 0);
  Start();
  struct stat replaced {};
  ASSERT_EQ(stat(FolderFile("bass.dll").c_str(), &replaced), 0);
  EXPECT_NE(replaced.st_ino, older.st_ino);
  EXPECT_EQ(static_cast<std::size_t>(replaced.st_size), carried.size());
}

}  // namespace
}  // namespace horavia::app::testing
